#pragma once

#include "ports/shell_port.hpp"

namespace zivmora::gtk {

// The desktop side of the program on Linux: desktop entries in the XDG desktop folder, GTK
// message boxes, the default browser through GIO.
class GtkShell final : public ShellPort {
public:
    std::string program_path() const override;
    char path_separator() const override { return '/'; }
    void set_current_directory(const std::string& directory) override;
    std::string desktop_folder() const override;
    std::string shortcut_extension() const override { return ".desktop"; }
    bool entry_exists(const std::string& path) const override;
    bool create_shortcut(const std::string& shortcut_path, const std::string& target) override;
    ButtonCode message_box(const std::string& message, const std::string& title,
                           unsigned style) override;
    void open_address(const std::string& address) override;
};

// The icon a desktop entry names: the program's artwork installed beside the executable.
std::string icon_beside(const std::string& executable);

}  // namespace zivmora::gtk
