#pragma once

#include "ports/http_client.hpp"

namespace zivmora::linux_platform {

// The program's GET request through libcurl. The transfer is driven step by step through a
// multi handle so that the core reads the body in its own chunks, as from any HTTP client.
class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient();
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    std::unique_ptr<HttpResponse> send(const HttpRequest& request) override;
};

}  // namespace zivmora::linux_platform
