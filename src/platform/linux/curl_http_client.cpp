#include "platform/linux/curl_http_client.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "update/http_request.hpp"

namespace zivmora::linux_platform {
namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

// Longest Content-Length value the request policy reads (a 32-byte buffer with terminator).
constexpr std::size_t kContentLengthRoom = 32;

std::string request_url(const HttpRequest& request) {
    std::string url = request.secure ? "https://" : "http://";
    const bool ipv6_literal = request.host.find(':') != std::string::npos;
    url += ipv6_literal ? "[" + request.host + "]" : request.host;
    url += ":" + std::to_string(request.port);
    url += request.object;
    return url;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

class CurlResponse final : public HttpResponse {
public:
    // Sets the transfer up; start() then runs it until the response has begun.
    bool start(const HttpRequest& request) {
        easy_.reset(curl_easy_init());
        multi_.reset(curl_multi_init());
        if (!easy_ || !multi_) {
            return false;
        }
        CURL* easy = easy_.get();
        url_ = request_url(request);
        headers_.reset(curl_slist_append(nullptr, std::string(http_shape::kAcceptHeader).c_str()));
        if (!headers_) {
            return false;
        }
        const std::string agent(http_shape::kAgent);
        curl_easy_setopt(easy, CURLOPT_URL, url_.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);  // dot segments are already resolved
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.get());
        if (!request.user_name.empty() || !request.password.empty()) {
            curl_easy_setopt(easy, CURLOPT_USERNAME, request.user_name.c_str());
            curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str());
        }
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // cookies kept in memory only
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, http_shape::kConnectTimeoutMs);
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, http_shape::kTransferTimeoutMs);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kLargestChunkSize));
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlResponse::on_header);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlResponse::on_body);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        // Proxies come from the environment (http_proxy, https_proxy, no_proxy), libcurl's
        // way of finding the system's settings; certificates are verified by default.
        if (curl_multi_add_handle(multi_.get(), easy) != CURLM_OK) {
            return false;
        }
        added_ = true;
        while (!finished_ && pending_.empty()) {
            step();
        }
        // A transfer that ended before any response arrived failed to connect or to send.
        return status_line_seen_;
    }

    ~CurlResponse() override {
        if (added_) {
            curl_multi_remove_handle(multi_.get(), easy_.get());
        }
    }

    std::optional<std::string> content_length() override { return content_length_; }

    ReadResult read(char* buffer, std::size_t size) override {
        while (pending_read_ == pending_.size() && !finished_) {
            pending_.clear();
            pending_read_ = 0;
            step();
        }
        if (pending_read_ < pending_.size()) {
            const std::size_t count = std::min(size, pending_.size() - pending_read_);
            std::memcpy(buffer, pending_.data() + pending_read_, count);
            pending_read_ += count;
            return {ReadStatus::data, count};
        }
        return {result_ == CURLE_OK ? ReadStatus::end : ReadStatus::failed, 0};
    }

private:
    void step() {
        int running = 0;
        if (curl_multi_perform(multi_.get(), &running) != CURLM_OK) {
            finish(CURLE_FAILED_INIT);
            return;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
            if (message->msg == CURLMSG_DONE) {
                finish(message->data.result);
            }
        }
        if (!finished_ && running > 0 && pending_read_ == pending_.size()) {
            // Wait for the socket; curl's own time-outs bound the whole transfer.
            curl_multi_poll(multi_.get(), nullptr, 0, 200, nullptr);
        } else if (!finished_ && running == 0) {
            finish(CURLE_RECV_ERROR);
        }
    }

    void finish(CURLcode result) {
        finished_ = true;
        result_ = result;
    }

    static std::size_t on_header(char* data, std::size_t size, std::size_t count, void* self) {
        auto& response = *static_cast<CurlResponse*>(self);
        const std::string_view line(data, size * count);
        if (starts_with_ignoring_case(line, "HTTP/")) {
            // A new response begins (after a redirect, or an interim 1xx): forget the last.
            response.status_line_seen_ = true;
            response.content_length_.reset();
        } else if (starts_with_ignoring_case(line, "Content-Length:")) {
            const std::string_view value = trim(line.substr(std::strlen("Content-Length:")));
            if (value.size() < kContentLengthRoom) {
                response.content_length_ = std::string(value);
            } else {
                response.content_length_.reset();
            }
        }
        return size * count;
    }

    static std::size_t on_body(char* data, std::size_t size, std::size_t count, void* self) {
        auto& response = *static_cast<CurlResponse*>(self);
        response.pending_.append(data, size * count);
        return size * count;
    }

    EasyHandle easy_;
    MultiHandle multi_;
    HeaderList headers_;
    std::string url_;
    bool added_ = false;
    bool finished_ = false;
    bool status_line_seen_ = false;
    CURLcode result_ = CURLE_OK;
    std::optional<std::string> content_length_;
    std::string pending_;
    std::size_t pending_read_ = 0;
};

}  // namespace

CurlHttpClient::CurlHttpClient() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
}
CurlHttpClient::~CurlHttpClient() {
    curl_global_cleanup();
}

std::unique_ptr<HttpResponse> CurlHttpClient::send(const HttpRequest& request) {
    auto response = std::make_unique<CurlResponse>();
    if (!response->start(request)) {
        return nullptr;
    }
    return response;
}

}  // namespace zivmora::linux_platform
