#include "update/page_fetch.hpp"

#include <algorithm>
#include <memory>
#include <new>

#include "ports/http_client.hpp"
#include "update/http_request.hpp"

namespace zivmora {

Bytes fetch_page(HttpClient& client, std::string_view address) {
    const std::optional<HttpRequest> request = make_http_request(address);
    if (!request) {
        return {};
    }
    const std::unique_ptr<HttpResponse> response = client.send(*request);
    if (!response) {
        return {};
    }
    const std::size_t chunk_size = chunk_size_for(response->content_length());
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[chunk_size]);
    if (!buffer) {
        return {};
    }
    Bytes body;
    while (body.size() < kBodyLimit) {
        const std::size_t wanted = std::min(chunk_size, kBodyLimit - body.size());
        const ReadResult read = response->read(buffer.get(), wanted);
        if (read.status != ReadStatus::data) {
            break;  // complete, or failed: either way the body so far is the result
        }
        body.insert(body.end(), buffer.get(), buffer.get() + std::min(read.count, wanted));
    }
    return body;
}

}  // namespace zivmora
