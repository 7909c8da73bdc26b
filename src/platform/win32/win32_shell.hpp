#pragma once

#include "ports/shell_port.hpp"

namespace zivmora::win32 {

// The Windows shell: shell links on the desktop, MessageBoxW, ShellExecuteW.
class Win32Shell final : public ShellPort {
public:
    std::string program_path() const override;
    char path_separator() const override { return '\\'; }
    void set_current_directory(const std::string& directory) override;
    std::string desktop_folder() const override;
    std::string shortcut_extension() const override { return ".lnk"; }
    bool entry_exists(const std::string& path) const override;
    bool create_shortcut(const std::string& shortcut_path, const std::string& target) override;
    ButtonCode message_box(const std::string& message, const std::string& title,
                           unsigned style) override;
    void open_address(const std::string& address) override;
};

}  // namespace zivmora::win32
