#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zivmora {

// One GET request, already canonicalised and split by the core (update/http_request.hpp).
struct HttpRequest {
    bool secure = false;  // https: the same request over TLS
    std::string host;
    std::uint16_t port = 80;
    std::string user_name;
    std::string password;
    std::string object;  // path and query, fragment already cut
};

enum class ReadStatus { data, end, failed };

struct ReadResult {
    ReadStatus status = ReadStatus::end;
    std::size_t count = 0;  // bytes delivered with ReadStatus::data
};

// A request that was sent and answered; the body is read from it.
class HttpResponse {
public:
    virtual ~HttpResponse() = default;
    // The Content-Length header as text, or nothing when missing or longer than 31 bytes.
    virtual std::optional<std::string> content_length() = 0;
    // Reads up to `size` bytes of the body into `buffer`.
    virtual ReadResult read(char* buffer, std::size_t size) = 0;
};

// The platform's HTTP client. It sends the request's fixed shape (see update/http_request.hpp)
// and applies the core's time-outs.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Null when the connection cannot be made or the request cannot be sent.
    virtual std::unique_ptr<HttpResponse> send(const HttpRequest& request) = 0;
};

}  // namespace zivmora
