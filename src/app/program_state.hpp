#pragma once

#include <cstdint>
#include <string>

namespace zivmora {

// State that lives for the whole process; everything zero or empty until the window exists.
struct ProgramState {
    std::int32_t current_code = 0;
    std::string version_page_address;
    std::string local_version;
    // Captured once at start-up.
    std::string program_directory;
    std::string program_file_name;
};

}  // namespace zivmora
