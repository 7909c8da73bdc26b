#include "update/http_request.hpp"

#include <algorithm>
#include <cctype>

namespace zivmora {
namespace {

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<std::uint16_t> parse_port(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

bool fits(std::string_view part, std::size_t room) {
    return part.size() < room;
}

}  // namespace

std::string remove_dot_segments(std::string_view path) {
    std::string output;
    std::string_view input = path;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            const auto last = output.rfind('/');
            output.erase(last == std::string::npos ? 0 : last);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const std::size_t next = input.find('/', 1);
            const std::size_t length = next == std::string_view::npos ? input.size() : next;
            output.append(input.substr(0, length));
            input.remove_prefix(length);
        }
    }
    return output;
}

std::optional<HttpRequest> make_http_request(std::string_view address) {
    const std::size_t scheme_end = address.find("://");
    if (address.empty() || scheme_end == std::string_view::npos) {
        return std::nullopt;
    }
    HttpRequest request;
    const std::string_view scheme = address.substr(0, scheme_end);
    if (equals_ignoring_case(scheme, "http")) {
        request.secure = false;
        request.port = 80;
    } else if (equals_ignoring_case(scheme, "https")) {
        request.secure = true;
        request.port = 443;
    } else {
        return std::nullopt;
    }

    std::string_view rest = address.substr(scheme_end + 3);
    const std::size_t authority_end = std::min(rest.find_first_of("/?#"), rest.size());
    std::string_view authority = rest.substr(0, authority_end);
    std::string_view tail = rest.substr(authority_end);

    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view user_info = authority.substr(0, at);
        const std::size_t colon = user_info.find(':');
        request.user_name = std::string(user_info.substr(0, colon));
        if (colon != std::string_view::npos) {
            request.password = std::string(user_info.substr(colon + 1));
        }
        authority.remove_prefix(at + 1);
    }

    std::string_view host = authority;
    std::string_view port_text;
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) {
            return std::nullopt;
        }
        port_text = after.empty() ? after : after.substr(1);
    } else if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port_text = authority.substr(colon + 1);
    }
    if (host.empty()) {
        return std::nullopt;
    }
    if (!port_text.empty()) {
        const auto port = parse_port(port_text);
        if (!port) {
            return std::nullopt;
        }
        request.port = *port;
    }
    request.host = std::string(host);

    tail = tail.substr(0, tail.find('#'));
    const std::size_t query_start = std::min(tail.find('?'), tail.size());
    request.object = remove_dot_segments(tail.substr(0, query_start));
    if (request.object.empty()) {
        request.object.push_back('/');
    }
    request.object.append(tail.substr(query_start));

    if (!fits(request.host, kHostRoom) || !fits(request.object, kObjectRoom) ||
        !fits(request.user_name, kUserRoom) || !fits(request.password, kPasswordRoom)) {
        return std::nullopt;
    }
    return request;
}

std::size_t chunk_size_for(const std::optional<std::string>& content_length) {
    if (!content_length) {
        return kDefaultChunkSize;
    }
    // Read as the C library reads a decimal integer: blanks, a sign, then digits.
    std::string_view text = *content_length;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t value = 0;
    bool any_digit = false;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        any_digit = true;
        value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(c - '0'),
                                      kLargestChunkSize);
    }
    if (!any_digit || negative || value == 0) {
        return kDefaultChunkSize;
    }
    return std::min(value + 1, kLargestChunkSize);
}

}  // namespace zivmora
