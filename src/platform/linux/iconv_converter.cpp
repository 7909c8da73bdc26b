#include "platform/linux/iconv_converter.hpp"

#include <iconv.h>
#include <cerrno>
#include <string>

namespace zivmora::linux_platform {
namespace {

class IconvConversion final : public EncodingConversion {
public:
    explicit IconvConversion(iconv_t handle) : handle_(handle) {}
    ~IconvConversion() override { iconv_close(handle_); }
    IconvConversion(const IconvConversion&) = delete;
    IconvConversion& operator=(const IconvConversion&) = delete;

    ConversionStop convert(const char*& input, std::size_t& input_left, char*& output,
                           std::size_t& output_left) override {
        char* in = const_cast<char*>(input);  // iconv's historical signature
        std::size_t result = iconv(handle_, &in, &input_left, &output, &output_left);
        input = in;
        if (result != static_cast<std::size_t>(-1) && input_left == 0) {
            // Emit any shift sequence that a stateful target needs at the end.
            result = iconv(handle_, nullptr, nullptr, &output, &output_left);
        }
        if (result != static_cast<std::size_t>(-1)) {
            return ConversionStop::done;
        }
        switch (errno) {
            case E2BIG:
                return ConversionStop::output_full;
            case EINVAL:
                return ConversionStop::incomplete_input;
            default:
                return ConversionStop::invalid_sequence;
        }
    }

private:
    iconv_t handle_;
};

}  // namespace

std::unique_ptr<EncodingConversion> IconvConverter::open(std::string_view from,
                                                         std::string_view to) {
    const iconv_t handle = iconv_open(std::string(to).c_str(), std::string(from).c_str());
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    return std::make_unique<IconvConversion>(handle);
}

}  // namespace zivmora::linux_platform
