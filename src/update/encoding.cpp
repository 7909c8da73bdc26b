#include "update/encoding.hpp"

#include <memory>

#include "ports/encoding_converter.hpp"

namespace zivmora {

Bytes convert_encoding(EncodingConverter& converter, const Bytes& data, std::string_view from,
                       std::string_view to, bool* success) {
    if (success) {
        *success = false;
    }
    const std::unique_ptr<EncodingConversion> conversion = converter.open(from, to);
    if (!conversion) {
        return {};
    }
    if (data.empty()) {
        if (success) {
            *success = true;
        }
        return {};
    }

    const std::size_t input_length = data.size();
    const std::size_t growth = input_length / 2 + 128;
    Bytes output(input_length);
    const char* input = data.data();
    std::size_t input_left = input_length;
    std::size_t produced = 0;
    for (int enlargements = 0;;) {
        char* cursor = output.data() + produced;
        std::size_t output_left = output.size() - produced;
        const ConversionStop stop = conversion->convert(input, input_left, cursor, output_left);
        produced = static_cast<std::size_t>(cursor - output.data());
        if (stop == ConversionStop::done) {
            break;
        }
        if (stop != ConversionStop::output_full || enlargements == kLargestEnlargementCount) {
            return {};
        }
        ++enlargements;
        output.resize(output.size() + growth);
    }
    output.resize(produced);
    if (success) {
        *success = true;
    }
    return output;
}

}  // namespace zivmora
