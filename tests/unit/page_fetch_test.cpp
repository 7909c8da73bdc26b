#include "update/page_fetch.hpp"

#include <gtest/gtest.h>

#include "fake/fake_platform.hpp"
#include "update/http_request.hpp"

namespace zivmora {
namespace {

class page_fetch : public ::testing::Test {
protected:
    testing::Log log;
    testing::FakeHttp http{log};

    std::string fetch(std::string_view address = "http://h/v") {
        const Bytes body = fetch_page(http, address);
        return std::string(body.begin(), body.end());
    }
};

TEST_F(page_fetch, empty_or_unsplittable_address_sends_nothing) {
    EXPECT_EQ(fetch(""), "");
    EXPECT_EQ(fetch("not an address"), "");
    EXPECT_TRUE(log.empty());
}

TEST_F(page_fetch, reads_without_content_length_in_chunks_of_10240) {
    http.answer.body = std::string(50000, 'x');
    EXPECT_EQ(fetch(), http.answer.body);
    EXPECT_EQ(log, (testing::Log{"GET http h:80 /v"}));
    ASSERT_EQ(http.read_sizes.size(), 6u);  // five reads with data, one at the end
    for (std::size_t size : http.read_sizes) {
        EXPECT_EQ(size, 10240u);
    }
}

TEST_F(page_fetch, sizes_chunks_from_content_length) {
    http.answer.body = std::string(99, 'y');
    http.answer.content_length = "99";
    EXPECT_EQ(fetch(), http.answer.body);
    EXPECT_EQ(http.read_sizes, (std::vector<std::size_t>{100, 100}));
}

TEST_F(page_fetch, failed_read_returns_what_arrived_before) {
    http.answer.body = std::string(30000, 'z');
    http.answer.fail_after = 20480;
    EXPECT_EQ(fetch().size(), 20480u);
}

TEST_F(page_fetch, connection_failure_gives_empty_body) {
    http.answer.connect_fails = true;
    EXPECT_EQ(fetch(), "");
}

TEST_F(page_fetch, zero_bytes_survive_the_fetch) {
    http.answer.body = std::string("ab\0cd", 5);
    EXPECT_EQ(fetch(), http.answer.body);
}

TEST_F(page_fetch, stops_at_the_body_limit) {
    http.answer.body = std::string(kBodyLimit + 5000, 'm');
    EXPECT_EQ(fetch().size(), kBodyLimit);
}

}  // namespace
}  // namespace zivmora
