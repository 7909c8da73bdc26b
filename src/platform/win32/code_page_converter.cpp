#include "platform/win32/code_page_converter.hpp"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string>

namespace zivmora::win32 {
namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

std::optional<UINT> code_page_named(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "UTF-8" || upper == "UTF8") {
        return CP_UTF8;
    }
    if (upper == "GB18030") {
        return IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    }
    if (upper == "GBK" || upper == "CP936") {
        return kGbk;
    }
    return std::nullopt;
}

// The whole input is converted in one step: decoded to UTF-16, then encoded. When the output
// does not fit, nothing is consumed and the caller offers more room.
class CodePageConversion final : public EncodingConversion {
public:
    CodePageConversion(UINT from, UINT to) : from_(from), to_(to) {}

    ConversionStop convert(const char*& input, std::size_t& input_left, char*& output,
                           std::size_t& output_left) override {
        if (input_left == 0) {
            return ConversionStop::done;
        }
        if (!decoded_) {
            const int length = MultiByteToWideChar(from_, MB_ERR_INVALID_CHARS, input,
                                                   static_cast<int>(input_left), nullptr, 0);
            if (length <= 0) {
                return ConversionStop::invalid_sequence;
            }
            wide_.resize(static_cast<std::size_t>(length));
            MultiByteToWideChar(from_, MB_ERR_INVALID_CHARS, input, static_cast<int>(input_left),
                                wide_.data(), length);
            decoded_ = true;
        }
        // Only these targets can tell about characters they lack through the flags; code
        // page 936 reports them through the default-character flag instead.
        const DWORD flags = to_ == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
        BOOL used_default = FALSE;
        BOOL* used_default_flag = (to_ == CP_UTF8 || to_ == kGb18030) ? nullptr : &used_default;
        const int needed =
            WideCharToMultiByte(to_, flags, wide_.data(), static_cast<int>(wide_.size()), nullptr,
                                0, nullptr, used_default_flag);
        if (needed <= 0 || used_default) {
            return ConversionStop::invalid_sequence;
        }
        if (static_cast<std::size_t>(needed) > output_left) {
            return ConversionStop::output_full;
        }
        WideCharToMultiByte(to_, flags, wide_.data(), static_cast<int>(wide_.size()), output,
                            needed, nullptr, nullptr);
        output += needed;
        output_left -= static_cast<std::size_t>(needed);
        input += input_left;
        input_left = 0;
        return ConversionStop::done;
    }

private:
    UINT from_;
    UINT to_;
    bool decoded_ = false;
    std::wstring wide_;
};

}  // namespace

std::unique_ptr<EncodingConversion> CodePageConverter::open(std::string_view from,
                                                            std::string_view to) {
    const auto source = code_page_named(from);
    const auto target = code_page_named(to);
    if (!source || !target) {
        return nullptr;
    }
    return std::make_unique<CodePageConversion>(*source, *target);
}

}  // namespace zivmora::win32
