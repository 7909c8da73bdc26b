#include "platform/linux/desktop_entry.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace zivmora::linux_platform {
namespace {

// A value of a string key: backslash and control characters escaped.
std::string escape_value(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// One Exec argument: double-quoted, with the characters the format reserves inside quotes
// escaped, and "%" doubled so that it is not taken for a field code.
std::string exec_argument(std::string_view path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string own_executable_path() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

bool entry_exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

std::string desktop_entry_text(std::string_view target, std::string_view icon) {
    std::string text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Version=1.0\n"
        "Name=Zivmora\n"
        "Exec=" +
        escape_value(exec_argument(target)) + "\n";
    if (!icon.empty()) {
        text += "Icon=" + escape_value(icon) + "\n";
    }
    text += "Terminal=false\n";
    return text;
}

bool write_desktop_entry(const std::string& path, std::string_view target, std::string_view icon) {
    const std::string text = desktop_entry_text(target, icon);
    // O_EXCL: never write through something that appeared meanwhile.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0755);
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(fd, text.data() + written, text.size() - written);
        if (put <= 0) {
            ::close(fd);
            ::unlink(path.c_str());
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    // The mode given to open() is reduced by the umask; desktops want the execute bit.
    const bool mode_set = ::fchmod(fd, 0755) == 0;
    const bool closed = ::close(fd) == 0;
    const bool saved = mode_set && closed;
    if (!saved) {
        ::unlink(path.c_str());
    }
    return saved;
}

}  // namespace zivmora::linux_platform
