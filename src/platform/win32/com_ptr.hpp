#pragma once

#include <unknwn.h>

#include <utility>

namespace zivmora::win32 {

// Owns one reference to a COM interface.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    void reset() {
        if (pointer_) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }
    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference.
    T** put() {
        reset();
        return &pointer_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    template <typename U>
    ComPtr<U> query() const {
        ComPtr<U> other;
        if (pointer_) {
            pointer_->QueryInterface(__uuidof(U), other.put_void());
        }
        return other;
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace zivmora::win32
