#pragma once

#include <string>

namespace zivmora {

// Buttons a message box answers with.
enum class ButtonCode { ok = 0, cancel, abort, retry, ignore, yes, no };

// Message box style bits; the values are the Windows ones so that one set serves both
// back-ends.
namespace message_box_style {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kSystemModal = 0x1000;
inline constexpr unsigned kTaskModal = 0x2000;
inline constexpr unsigned kTopmost = 0x40000;
}  // namespace message_box_style

// The desktop shell and the process's place in the file system. Paths are UTF-8.
class ShellPort {
public:
    virtual ~ShellPort() = default;

    // The program's own full path as the system reports it.
    virtual std::string program_path() const = 0;
    virtual char path_separator() const = 0;
    virtual void set_current_directory(const std::string& directory) = 0;

    // The user's desktop folder, or empty when the system cannot tell it.
    virtual std::string desktop_folder() const = 0;
    // Ending of the platform's shortcut files, dot included.
    virtual std::string shortcut_extension() const = 0;
    // True when any entry, a folder as much as a file, exists at the path.
    virtual bool entry_exists(const std::string& path) const = 0;
    // Writes a shortcut at `shortcut_path` that starts `target`; true when it was saved.
    virtual bool create_shortcut(const std::string& shortcut_path, const std::string& target) = 0;

    // A modal message box without owner window.
    virtual ButtonCode message_box(const std::string& message, const std::string& title,
                                   unsigned style) = 0;
    // Hands the address to the default web browser without waiting for it.
    virtual void open_address(const std::string& address) = 0;
};

}  // namespace zivmora
