// The Windows encoding conversion and the version reading on top of it, run under Wine by the
// tests. Prints one line per case and exits non-zero when any case fails.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/code_page_converter.hpp"
#include "update/encoding.hpp"
#include "update/update_check.hpp"
#include "update/version_number.hpp"

namespace {

using namespace zivmora;

int failures = 0;

void check(const char* name, bool passed) {
    std::printf("%s %s\n", passed ? "ok" : "FAIL", name);
    failures += passed ? 0 : 1;
}

std::string convert(const std::string& text, const char* from, const char* to, bool* success) {
    win32::CodePageConverter converter;
    const Bytes result =
        convert_encoding(converter, Bytes(text.begin(), text.end()), from, to, success);
    return std::string(result.begin(), result.end());
}

}  // namespace

int main() {
    const bool has_gb18030 = IsValidCodePage(54936) != 0;
    std::printf("code page 54936 %s\n", has_gb18030 ? "present" : "missing: 936 stands in");
    bool success = false;

    check("chinese to gbk bytes",
          convert("升级", "UTF-8", "GB18030", &success) == "\xc9\xfd\xbc\xb6" && success);
    check("ascii unchanged",
          convert("version 1.50", "UTF-8", "GB18030", &success) == "version 1.50" && success);
    check("invalid pair fails",
          convert("ab\xc3\x28", "UTF-8", "GB18030", &success).empty() && !success);
    check("cut character fails",
          convert("ab\xe5\x8d", "UTF-8", "GB18030", &success).empty() && !success);
    check("gbk bytes are not utf-8",
          convert("\xc9\xfd\xbc\xb6", "UTF-8", "GB18030", &success).empty() && !success);
    // Outside GBK: code page 54936 has it, 936 must fail rather than guess.
    const std::string emoji = convert("\xf0\x9f\x98\x80", "UTF-8", "GB18030", &success);
    check("character outside gbk",
          has_gb18030 ? (emoji == "\x94\x39\xfc\x36" && success) : (emoji.empty() && !success));
    check("back to utf-8",
          convert("\xa3\xb1\xa3\xae\xa3\xb5", "GB18030", "UTF-8", &success) == "１．５" && success);
    check("unknown names fail", convert("a", "UTF-8", "KOI8-R", &success).empty() && !success);
    check("empty input succeeds", convert("", "UTF-8", "GB18030", &success).empty() && success);

    const std::string page =
        convert("<p>升级不升级你得看我的版本号sew/１．５khj更改情况就知道了。</p>", "UTF-8",
                "GB18030", nullptr);
    check("full-width version read from the page", text_to_number(published_version(page)) == 1.5);
    return failures == 0 ? 0 : 1;
}
