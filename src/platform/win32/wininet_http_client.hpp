#pragma once

#include <windows.h>
#include <wininet.h>

#include "ports/http_client.hpp"

namespace zivmora::win32 {

// Closes one WinINet handle.
class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { reset(); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    InternetHandle(InternetHandle&& other) noexcept : handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    InternetHandle& operator=(InternetHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    void reset(HINTERNET handle = nullptr) {
        if (handle_) {
            InternetCloseHandle(handle_);
        }
        handle_ = handle;
    }
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_ = nullptr;
};

// The program's GET request through WinINet. The internet handle is opened by the first
// fetch and kept until the client goes away at process exit.
class WinInetHttpClient final : public HttpClient {
public:
    std::unique_ptr<HttpResponse> send(const HttpRequest& request) override;

private:
    InternetHandle internet_;
};

}  // namespace zivmora::win32
