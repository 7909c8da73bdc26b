#include "update/http_request.hpp"

#include <gtest/gtest.h>

namespace zivmora {
namespace {

struct SplitRow {
    const char* name;
    std::string address;
    bool valid;
    bool secure = false;
    const char* host = "";
    int port = 0;
    const char* object = "";
    const char* user = "";
    const char* password = "";
};

TEST(make_http_request, splits_addresses) {
    const SplitRow rows[] = {
        {"plain", "http://example.test/version.html", true, false, "example.test", 80,
         "/version.html"},
        {"https default port", "https://example.test/v", true, true, "example.test", 443, "/v"},
        {"explicit port", "http://127.0.0.1:8642/version", true, false, "127.0.0.1", 8642,
         "/version"},
        {"https other port", "https://example.test:8443/v", true, true, "example.test", 8443, "/v"},
        {"query kept", "http://h/play/?:585", true, false, "h", 80, "/play/?:585"},
        {"fragment cut", "http://h/page.html?a=1#top", true, false, "h", 80, "/page.html?a=1"},
        {"no path", "http://h", true, false, "h", 80, "/"},
        {"only a fragment", "http://h#x", true, false, "h", 80, "/"},
        {"dot segments", "http://h/a/b/../c/./d", true, false, "h", 80, "/a/c/d"},
        {"dots above the root", "http://h/../../x", true, false, "h", 80, "/x"},
        {"dots stay in the query", "http://h/a?b/../c", true, false, "h", 80, "/a?b/../c"},
        {"nothing percent-encoded", "http://h/版本 1", true, false, "h", 80, "/版本 1"},
        {"user and password", "http://me:secret@h/v", true, false, "h", 80, "/v", "me", "secret"},
        {"user only", "http://me@h:81/v", true, false, "h", 81, "/v", "me", ""},
        {"ipv6 literal", "http://[::1]:8080/v", true, false, "::1", 8080, "/v"},
        {"scheme in capitals", "HTTP://h/v", true, false, "h", 80, "/v"},
        {"empty", "", false},
        {"no scheme", "example.test/v", false},
        {"other scheme", "ftp://h/v", false},
        {"no host", "http:///v", false},
        {"bad port", "http://h:80a/v", false},
        {"port zero", "http://h:0/v", false},
        {"port too large", "http://h:65536/v", false},
        {"host too long", "http://" + std::string(256, 'h') + "/", false},
        {"longest host", "http://" + std::string(255, 'h') + "/", true, false, "", 80, "/"},
        {"object too long", "http://h/" + std::string(2047, 'o'), false},
        {"user too long", "http://" + std::string(128, 'u') + "@h/", false},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto request = make_http_request(row.address);
        ASSERT_EQ(request.has_value(), row.valid);
        if (!request) {
            continue;
        }
        EXPECT_EQ(request->secure, row.secure);
        if (*row.host) {
            EXPECT_EQ(request->host, row.host);
        }
        EXPECT_EQ(request->port, row.port);
        EXPECT_EQ(request->object, row.object);
        EXPECT_EQ(request->user_name, row.user);
        EXPECT_EQ(request->password, row.password);
    }
}

struct ChunkRow {
    const char* name;
    std::optional<std::string> content_length;
    std::size_t chunk;
};

TEST(chunk_size_for, follows_content_length) {
    const ChunkRow rows[] = {
        {"missing", std::nullopt, 10240},
        {"99 bytes", "99", 100},
        {"just below the largest", "102399", 102400},
        {"large", "500000", 102400},
        {"huge", "99999999999999999999999", 102400},
        {"zero", "0", 10240},
        {"negative", "-5", 10240},
        {"not a number", "abc", 10240},
        {"leading blanks", "  42", 43},
        {"trailing junk", "42xyz", 43},
        {"empty", "", 10240},
    };
    for (const ChunkRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(chunk_size_for(row.content_length), row.chunk);
    }
}

}  // namespace
}  // namespace zivmora
