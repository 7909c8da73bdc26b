#include "platform/win32/wininet_http_client.hpp"

#include <string>

#include "platform/win32/wide_text.hpp"
#include "update/http_request.hpp"

namespace zivmora::win32 {
namespace {

// WinINet's default time-outs would hold the hidden window for minutes.
void set_time_outs(HINTERNET handle) {
    DWORD connect = http_shape::kConnectTimeoutMs;
    DWORD receive = http_shape::kTransferTimeoutMs;
    InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
    InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
}

class WinInetResponse final : public HttpResponse {
public:
    WinInetResponse(InternetHandle connection, InternetHandle request)
        : connection_(std::move(connection)), request_(std::move(request)) {}

    ~WinInetResponse() override {
        request_.reset();  // the request before its connection
        connection_.reset();
    }

    std::optional<std::string> content_length() override {
        wchar_t value[32] = {};
        DWORD size = sizeof value;
        if (!HttpQueryInfoW(request_.get(), HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr)) {
            return std::nullopt;
        }
        return narrow(std::wstring_view(value, size / sizeof(wchar_t)));
    }

    ReadResult read(char* buffer, std::size_t size) override {
        DWORD read = 0;
        if (!InternetReadFile(request_.get(), buffer, static_cast<DWORD>(size), &read)) {
            return {ReadStatus::failed, 0};
        }
        return read == 0 ? ReadResult{ReadStatus::end, 0} : ReadResult{ReadStatus::data, read};
    }

private:
    InternetHandle connection_;
    InternetHandle request_;
};

}  // namespace

std::unique_ptr<HttpResponse> WinInetHttpClient::send(const HttpRequest& request) {
    if (!internet_) {
        internet_.reset(InternetOpenW(widen(http_shape::kAgent).c_str(), INTERNET_OPEN_TYPE_DIRECT,
                                      nullptr, nullptr, 0));
        if (!internet_) {
            return nullptr;
        }
        set_time_outs(internet_.get());
    }
    InternetHandle connection(InternetConnectW(internet_.get(), widen(request.host).c_str(),
                                               request.port, widen(request.user_name).c_str(),
                                               widen(request.password).c_str(),
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return nullptr;
    }
    set_time_outs(connection.get());
    // The system's preconfigured proxy settings; no proxy credentials.
    INTERNET_PROXY_INFO proxy{INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr};
    InternetSetOptionW(internet_.get(), INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
    wchar_t empty[] = L"";
    InternetSetOptionW(connection.get(), INTERNET_OPTION_PROXY_USERNAME, empty, 1);
    InternetSetOptionW(connection.get(), INTERNET_OPTION_PROXY_PASSWORD, empty, 1);

    const std::wstring verb = widen(http_shape::kVerb);
    const std::wstring version = widen(http_shape::kVersion);
    const std::wstring object = widen(request.object);
    const std::wstring accept_type = widen(std::string(http_shape::kAcceptHeader) + " \r\n");
    LPCWSTR accept_types[] = {accept_type.c_str(), nullptr};
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (request.secure) {
        flags |= INTERNET_FLAG_SECURE;
    }
    InternetHandle http_request(HttpOpenRequestW(connection.get(), verb.c_str(), object.c_str(),
                                                 version.c_str(), nullptr, accept_types, flags, 0));
    if (!http_request) {
        return nullptr;
    }
    const std::wstring headers = widen(std::string(http_shape::kAcceptHeader) + "\r\n\r\n");
    if (!HttpSendRequestW(http_request.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                          nullptr, 0)) {
        return nullptr;
    }
    return std::make_unique<WinInetResponse>(std::move(connection), std::move(http_request));
}

}  // namespace zivmora::win32
