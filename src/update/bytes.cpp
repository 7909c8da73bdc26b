#include "update/bytes.hpp"

#include <algorithm>

namespace zivmora {

std::string bytes_to_text(const Bytes& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    return std::string(bytes.begin(), end);
}

Bytes text_to_bytes(const std::string& text) {
    const auto end = std::find(text.begin(), text.end(), '\0');
    return Bytes(text.begin(), end);
}

}  // namespace zivmora
