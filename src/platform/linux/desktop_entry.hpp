#pragma once

#include <string>
#include <string_view>

namespace zivmora::linux_platform {

// The program's own full path, from /proc/self/exe; empty when it cannot be read.
std::string own_executable_path();

// True when anything, a folder included, exists at the path (a dangling link counts too).
bool entry_exists(const std::string& path);

// A desktop entry that starts `target`, with `icon` (a file path, or empty for none).
// The target is quoted and escaped for the Exec key, so any path works.
std::string desktop_entry_text(std::string_view target, std::string_view icon);

// Writes the entry, executable so that desktops trust it; true when it was saved.
bool write_desktop_entry(const std::string& path, std::string_view target, std::string_view icon);

}  // namespace zivmora::linux_platform
