#pragma once

#include <string>
#include <vector>

namespace zivmora {

// A length-counted byte sequence that may hold zero bytes: what the network delivers and
// what the encoding conversion takes and gives.
using Bytes = std::vector<char>;

// The bytes before the first zero byte, as a text.
std::string bytes_to_text(const Bytes& bytes);
// The text's bytes up to its first zero byte.
Bytes text_to_bytes(const std::string& text);

}  // namespace zivmora
