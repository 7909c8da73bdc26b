#pragma once

#include <string>

namespace zivmora {

// The site the program is built for.
struct Addresses {
    std::string play_base;  // ends in "/?:"; a code is appended unchanged
    std::string version_page;
    std::string download_page;
};

// The addresses compiled into this build.
Addresses built_in_addresses();

}  // namespace zivmora
