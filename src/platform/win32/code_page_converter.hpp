#pragma once

#include "ports/encoding_converter.hpp"

namespace zivmora::win32 {

// Conversions through the system code pages (there is no iconv here). "GB18030" is code page
// 54936 where the system has it, else 936, which then fails on any character it lacks.
class CodePageConverter final : public EncodingConverter {
public:
    std::unique_ptr<EncodingConversion> open(std::string_view from, std::string_view to) override;
};

}  // namespace zivmora::win32
