#include "update/version_marker.hpp"

#include <boost/regex.hpp>
#include <exception>
#include <locale>

namespace zivmora {

// The C++ locale traits, imbued with the classic locale, fold only ASCII letters whatever the
// process locale or the system code page is; the default traits on Windows would follow the
// code page and could fold the bytes of Chinese characters.
using ByteRegex = boost::basic_regex<char, boost::cpp_regex_traits<char>>;

struct RegexObject::Compiled {
    ByteRegex regex;
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;

bool RegexObject::compile(std::string_view pattern, bool case_sensitive) {
    try {
        auto compiled = std::make_unique<Compiled>();
        compiled->regex.imbue(std::locale::classic());
        auto flags = boost::regex_constants::perl | boost::regex_constants::mod_s;
        if (!case_sensitive) {
            flags |= boost::regex_constants::icase;
        }
        compiled->regex.assign(pattern.data(), pattern.data() + pattern.size(), flags);
        compiled_ = std::move(compiled);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool RegexObject::empty() const {
    return !compiled_;
}

std::vector<MatchResult> RegexObject::search_all(std::string_view text) const {
    std::vector<MatchResult> results;
    if (!compiled_ || text.empty()) {
        return results;
    }
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* from = begin;
    boost::match_results<const char*> match;
    while (from <= end) {
        auto flags = boost::regex_constants::match_default;
        if (from != begin) {
            flags |= boost::regex_constants::match_prev_avail;
        }
        try {
            if (!boost::regex_search(from, end, match, compiled_->regex, flags)) {
                break;
            }
        } catch (const std::exception&) {
            break;  // too complex to decide: no further match
        }
        MatchResult result;
        for (std::size_t i = 0; i < match.size(); ++i) {
            result.groups.push_back({static_cast<std::size_t>(match[i].first - begin),
                                     static_cast<std::size_t>(match[i].length()),
                                     match[i].matched});
        }
        results.push_back(std::move(result));
        // A pattern that can match nothing would otherwise find the same place forever.
        from = match[0].second == match[0].first ? match[0].second + 1 : match[0].second;
    }
    return results;
}

std::string submatch_text(const MatchResult& match, std::string_view text, std::size_t group,
                          std::size_t* start) {
    if (group >= match.groups.size()) {
        return {};
    }
    const MatchGroup& found = match.groups[group];
    if (start) {
        *start = found.start;
    }
    if (!found.matched || found.start + found.length > text.size()) {
        return {};
    }
    return std::string(text.substr(found.start, found.length));
}

}  // namespace zivmora
