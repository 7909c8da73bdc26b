// Runs the version page's whole reading over arbitrary bytes: the zero-byte cut, the
// UTF-8 to GB18030 conversion, the marker search and the number reading. Nothing may crash,
// hang or escape as an exception, and the number must never be NaN.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/linux/iconv_converter.hpp"
#include "update/bytes.hpp"
#include "update/encoding.hpp"
#include "update/update_check.hpp"
#include "update/version_number.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zivmora;
    static linux_platform::IconvConverter converter;
    const Bytes body(reinterpret_cast<const char*>(data),
                     reinterpret_cast<const char*>(data) + size);

    // The chain as the update check runs it.
    const Bytes page =
        convert_encoding(converter, text_to_bytes(bytes_to_text(body)), "UTF-8", "GB18030");
    const std::string version = published_version(bytes_to_text(page));
    if (std::isnan(text_to_number(version))) {
        std::abort();
    }
    // The raw bytes straight into the search and the number reading as well.
    const std::string raw(body.begin(), body.end());
    if (std::isnan(text_to_number(raw)) || std::isnan(text_to_number(published_version(raw)))) {
        std::abort();
    }
    return 0;
}
