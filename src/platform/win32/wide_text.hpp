#pragma once

#include <string>
#include <string_view>

namespace zivmora::win32 {

// The program's texts are UTF-8; the system's wide functions take UTF-16. Converted at the
// call, so that Chinese texts show whatever the system's code page is.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace zivmora::win32
