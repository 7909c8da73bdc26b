#pragma once

#include <string_view>

#include "update/bytes.hpp"

namespace zivmora {

class EncodingConverter;

// At most this many enlargements of the output buffer before a conversion gives up.
inline constexpr int kLargestEnlargementCount = 11;

// Converts `data` between two encodings. The output buffer starts as long as the input and
// grows by n/2 + 128 bytes whenever it runs full. Every failure (no converter for the names,
// bad or incomplete input, a character the target lacks, no room after the last enlargement)
// gives the empty result. `success`, when given, is false on entry and true on success.
Bytes convert_encoding(EncodingConverter& converter, const Bytes& data, std::string_view from,
                       std::string_view to, bool* success = nullptr);

}  // namespace zivmora
