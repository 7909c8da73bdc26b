#pragma once

#include <glib-object.h>

#include <utility>

namespace zivmora::gtk {

// Owns one reference to a GObject.
template <typename T>
class GObjectPtr {
public:
    GObjectPtr() = default;
    // Takes over a reference the caller owns (a "transfer full" result).
    explicit GObjectPtr(T* owned) : object_(owned) {}
    ~GObjectPtr() { reset(); }
    GObjectPtr(const GObjectPtr&) = delete;
    GObjectPtr& operator=(const GObjectPtr&) = delete;
    GObjectPtr(GObjectPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GObjectPtr& operator=(GObjectPtr&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }

    void reset(T* owned = nullptr) {
        if (object_) {
            g_object_unref(object_);
        }
        object_ = owned;
    }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

}  // namespace zivmora::gtk
