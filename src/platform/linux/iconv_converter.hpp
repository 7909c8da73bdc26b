#pragma once

#include "ports/encoding_converter.hpp"

namespace zivmora::linux_platform {

// Conversions through the C library's iconv.
class IconvConverter final : public EncodingConverter {
public:
    std::unique_ptr<EncodingConversion> open(std::string_view from, std::string_view to) override;
};

}  // namespace zivmora::linux_platform
