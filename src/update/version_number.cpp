#include "update/version_number.hpp"

#include <charconv>
#include <cmath>
#include <limits>

namespace zivmora {

std::string normalise_full_width(std::string_view text) {
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            normal.push_back(static_cast<char>(lead));
            continue;
        }
        if (i + 1 == text.size()) {
            break;  // a lead byte without its trail
        }
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA1 && trail == 0xA1) {
            normal.push_back(' ');  // ideographic space
        } else if (lead == 0xA1 && trail == 0xAB) {
            normal.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            normal.push_back('*');  // the two stars
        } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            normal.push_back(static_cast<char>(trail - 0x80));  // full-width ASCII
        } else {
            normal.push_back(static_cast<char>(lead));
            normal.push_back(static_cast<char>(trail));
        }
    }
    return normal;
}

namespace {

bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double text_to_number(std::string_view text) {
    const std::string normal = normalise_full_width(text);
    std::size_t i = 0;
    while (i < normal.size() && is_c_space(normal[i])) {
        ++i;
    }
    bool negative = false;
    if (i < normal.size() && (normal[i] == '+' || normal[i] == '-')) {
        negative = normal[i] == '-';
        ++i;
    }
    // Scan the longest decimal form ourselves: from_chars alone would also take "inf", "nan".
    const std::size_t start = i;
    std::size_t digits = 0;
    long long magnitude = 0;  // decimal position of the first significant digit
    bool seen_significant = false;
    bool seen_point = false;
    for (; i < normal.size(); ++i) {
        const char c = normal[i];
        if (c == '.' && !seen_point) {
            seen_point = true;
        } else if (is_digit(c)) {
            ++digits;
            if (c != '0' && !seen_significant) {
                seen_significant = true;
            }
            if (seen_significant && !seen_point) {
                ++magnitude;
            } else if (!seen_significant && seen_point) {
                --magnitude;
            }
        } else {
            break;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < normal.size() && (normal[i] == 'e' || normal[i] == 'E')) {
        std::size_t exponent_end = i + 1;
        bool exponent_negative = false;
        if (exponent_end < normal.size() &&
            (normal[exponent_end] == '+' || normal[exponent_end] == '-')) {
            exponent_negative = normal[exponent_end] == '-';
            ++exponent_end;
        }
        long long exponent = 0;
        const std::size_t exponent_digits_start = exponent_end;
        while (exponent_end < normal.size() && is_digit(normal[exponent_end])) {
            if (exponent < 100000) {
                exponent = exponent * 10 + (normal[exponent_end] - '0');
            }
            ++exponent_end;
        }
        if (exponent_end > exponent_digits_start) {
            magnitude += exponent_negative ? -exponent : exponent;
            i = exponent_end;
        }
    }
    double value = 0.0;
    const std::errc error =
        std::from_chars(normal.data() + start, normal.data() + i, value, std::chars_format::general)
            .ec;
    if (error == std::errc::result_out_of_range) {
        // As the C library: overflow gives the largest value, underflow zero.
        value = seen_significant && magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc{}) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace zivmora
