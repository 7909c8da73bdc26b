#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zivmora {

// The paragraph that publishes the newest version, as GB18030 (= GBK) bytes:
//
//   p>升级不升级你得看我的版本号sew/(.*?)khj更改情况就知道了。</p>
//
// Group 1 is the published version. The page is searched byte by byte in this encoding.
inline constexpr std::string_view kVersionMarker =
    "p>"
    "\xc9\xfd\xbc\xb6\xb2\xbb\xc9\xfd\xbc\xb6\xc4\xe3\xb5\xc3\xbf\xb4\xce\xd2\xb5\xc4\xb0\xe6"
    "\xb1\xbe\xba\xc5"
    "sew/(.*?)khj"
    "\xb8\xfc\xb8\xc4\xc7\xe9\xbf\xf6\xbe\xcd\xd6\xaa\xb5\xc0\xc1\xcb\xa1\xa3"
    "</p>";

struct MatchGroup {
    std::size_t start = 0;  // byte offset in the searched text
    std::size_t length = 0;
    bool matched = false;
};

// Group 0 is the whole match, then one entry per capture group.
struct MatchResult {
    std::vector<MatchGroup> groups;
};

// A compiled Perl-syntax pattern over bytes. "." matches every byte, line breaks included;
// case-insensitive compilation folds only the ASCII letters.
class RegexObject {
public:
    RegexObject();
    ~RegexObject();
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // False for an invalid pattern; the object then keeps what it had.
    bool compile(std::string_view pattern, bool case_sensitive = true);
    bool empty() const;

    // Every match in text order, each search starting where the previous match ended. A
    // search that exceeds the engine's complexity bound counts as no further match.
    std::vector<MatchResult> search_all(std::string_view text) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

// The text of one group of a match; empty when the group did not take part.
std::string submatch_text(const MatchResult& match, std::string_view text, std::size_t group,
                          std::size_t* start = nullptr);

}  // namespace zivmora
