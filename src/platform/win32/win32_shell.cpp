#include "platform/win32/win32_shell.hpp"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "desktop/shortcut.hpp"
#include "platform/win32/com_ptr.hpp"
#include "platform/win32/wide_text.hpp"

namespace zivmora::win32 {

std::string Win32Shell::program_path() const {
    // Grown as needed, so that a long path is never cut.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return narrow(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

void Win32Shell::set_current_directory(const std::string& directory) {
    if (!directory.empty()) {
        SetCurrentDirectoryW(widen(directory).c_str());
    }
}

std::string Win32Shell::desktop_folder() const {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE)) {
        return {};
    }
    return narrow(folder);
}

bool Win32Shell::entry_exists(const std::string& path) const {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(widen(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

bool Win32Shell::create_shortcut(const std::string& shortcut_path, const std::string& target) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void()))) {
        return false;
    }
    ComPtr<IPersistFile> file = link.query<IPersistFile>();
    if (!file) {
        return false;
    }
    link->SetPath(widen(target).c_str());
    link->SetShowCmd(SW_SHOW);
    const std::wstring name = widen(with_default_extension(shortcut_path, shortcut_extension()));
    return SUCCEEDED(file->Save(name.c_str(), TRUE));
}

ButtonCode Win32Shell::message_box(const std::string& message, const std::string& title,
                                   unsigned style) {
    switch (MessageBoxW(nullptr, widen(message).c_str(), widen(title).c_str(), style)) {
        case IDOK:
            return ButtonCode::ok;
        case IDABORT:
            return ButtonCode::abort;
        case IDRETRY:
            return ButtonCode::retry;
        case IDIGNORE:
            return ButtonCode::ignore;
        case IDYES:
            return ButtonCode::yes;
        case IDNO:
            return ButtonCode::no;
        case IDCANCEL:
        default:
            return ButtonCode::cancel;
    }
}

void Win32Shell::open_address(const std::string& address) {
    // An open browser window, if there is one, owns whatever the shell shows.
    const HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
    ShellExecuteW(owner, L"open", widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zivmora::win32
