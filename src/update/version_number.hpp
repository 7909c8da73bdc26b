#pragma once

#include <string>
#include <string_view>

namespace zivmora {

// Maps full-width forms and a few symbols of a GBK/GB18030 text to their ASCII counterparts,
// so that "１．５" reads as "1.5". Other double-byte characters are kept; a lead byte in the
// last position is dropped.
std::string normalise_full_width(std::string_view text);

// Reads a GBK/GB18030 text as a decimal number the way the C library does in the "C" locale,
// whatever the process locale is: blanks, a sign, digits with one ".", an exponent. Anything
// without digits is 0; infinity, NaN and hexadecimal forms are not read (0), so the result is
// never NaN.
double text_to_number(std::string_view text);

}  // namespace zivmora
