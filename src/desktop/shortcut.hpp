#pragma once

#include <string>
#include <string_view>

namespace zivmora {

class ShellPort;

// The shortcut's fixed name; its "1.4" is part of the name, not built from the version.
inline constexpr std::string_view kShortcutBaseName = "Zivmora1.4";

struct ProgramLocation {
    std::string directory;  // without a trailing separator
    std::string file_name;  // extension included
};

// Splits the program's full path at its last separator. UTF-8 never has a separator byte
// inside a character, so a plain scan is exact. No separator: empty directory, whole path.
ProgramLocation split_program_path(std::string_view path, char separator);

// The desktop folder followed directly by the shortcut's file name; a separator is added to
// a folder that lacks one. An unknown desktop gives the bare file name.
std::string shortcut_path(std::string desktop_folder, char separator, std::string_view extension);

// A shortcut file name without any "." gets the extension; others are used unchanged.
std::string with_default_extension(std::string path, std::string_view extension);

enum class ShortcutStep { already_there, created_or_tried };

// Looks for the shortcut on the desktop and creates it when it is missing. Failures are
// silent; the next start tries again.
ShortcutStep run_shortcut_step(ShellPort& shell, const ProgramLocation& program);

}  // namespace zivmora
