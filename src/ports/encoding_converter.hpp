#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace zivmora {

enum class ConversionStop {
    done,              // all input converted
    output_full,       // the output buffer ran out; call again with more room
    invalid_sequence,  // bad input, or a character the target cannot represent
    incomplete_input,  // the input ends inside a character
};

// One open converter between two encodings.
class EncodingConversion {
public:
    virtual ~EncodingConversion() = default;
    // Converts from *input onward, advancing both cursors past what was done.
    virtual ConversionStop convert(const char*& input, std::size_t& input_left, char*& output,
                                   std::size_t& output_left) = 0;
};

// The platform's character-set converter (iconv, or the system code pages).
class EncodingConverter {
public:
    virtual ~EncodingConverter() = default;
    // Null when no converter exists for the two names (case does not matter).
    virtual std::unique_ptr<EncodingConversion> open(std::string_view from,
                                                     std::string_view to) = 0;
};

}  // namespace zivmora
