#include "desktop/shortcut.hpp"

#include "ports/shell_port.hpp"

namespace zivmora {

ProgramLocation split_program_path(std::string_view path, char separator) {
    const std::size_t last = path.rfind(separator);
    if (last == std::string_view::npos) {
        return {"", std::string(path)};
    }
    return {std::string(path.substr(0, last)), std::string(path.substr(last + 1))};
}

std::string shortcut_path(std::string desktop_folder, char separator, std::string_view extension) {
    if (!desktop_folder.empty() && desktop_folder.back() != separator) {
        desktop_folder.push_back(separator);
    }
    return desktop_folder + std::string(kShortcutBaseName) + std::string(extension);
}

std::string with_default_extension(std::string path, std::string_view extension) {
    if (path.find('.') == std::string::npos) {
        path.append(extension);
    }
    return path;
}

ShortcutStep run_shortcut_step(ShellPort& shell, const ProgramLocation& program) {
    const char separator = shell.path_separator();
    const std::string path =
        shortcut_path(shell.desktop_folder(), separator, shell.shortcut_extension());
    if (shell.entry_exists(path)) {
        return ShortcutStep::already_there;
    }
    shell.create_shortcut(path, program.directory + separator + program.file_name);
    return ShortcutStep::created_or_tried;
}

}  // namespace zivmora
