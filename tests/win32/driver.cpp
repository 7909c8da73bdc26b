// Looks into the running program for the Wine tests and prints what it finds, one
// "name=value" line each (UTF-8). Reading another process's status bar and toolbar needs a
// buffer inside that process.
//
//   driver wait-window MILLISECONDS   the main window's handle, once it is visible
//   driver info                       title, sizes, control texts, status parts, buttons
//   driver read-shortcut PATH         the target of a shell link

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

HWND main_window() {
    return FindWindowW(L"ZivmoraMainWindow", nullptr);
}

std::wstring window_text(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Memory inside the program's process for messages that return data through a pointer.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD process_id = 0;
        GetWindowThreadProcessId(window, &process_id);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               process_id);
        if (process_) {
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (address_) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_) {
            CloseHandle(process_);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    std::vector<char> read() const {
        std::vector<char> data(size_);
        SIZE_T got = 0;
        ReadProcessMemory(process_, address_, data.data(), size_, &got);
        return data;
    }
    void write(const void* data, std::size_t size) {
        SIZE_T put = 0;
        WriteProcessMemory(process_, address_, data, size, &put);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_BLOCK, 2000, &result);
    return static_cast<LRESULT>(result);
}

void print(const char* name, const std::string& value) {
    std::printf("%s=%s\n", name, value.c_str());
}

int wait_window(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        const HWND window = main_window();
        if (window && IsWindowVisible(window)) {
            std::printf("window=%llu\n",
                        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

BOOL CALLBACK collect_child(HWND child, LPARAM list) {
    if (GetParent(child) == main_window()) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

int info() {
    const HWND window = main_window();
    if (!window) {
        return 1;
    }
    print("title", utf8(window_text(window)));
    RECT outer{};
    GetWindowRect(window, &outer);
    print("outer", std::to_string(outer.right - outer.left) + "x" +
                       std::to_string(outer.bottom - outer.top));
    print("position", std::to_string(outer.left) + "," + std::to_string(outer.top));
    print("visible", IsWindowVisible(window) ? "1" : "0");

    std::vector<HWND> children;
    EnumChildWindows(window, collect_child, reinterpret_cast<LPARAM>(&children));
    // The controls from the top of the stacking order down, by class (edit boxes by text).
    std::string stacking;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = class_of(child);
        stacking += (stacking.empty() ? "" : " > ") + utf8(kind);
        if (kind == L"Edit") {
            stacking += "[" + utf8(window_text(child)) + "]";
        }
    }
    print("stacking", stacking);
    int edit = 0;
    for (HWND child : children) {
        const std::wstring kind = class_of(child);
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        const std::string where = std::to_string(place.left) + "," + std::to_string(place.top) +
                                  " " + std::to_string(place.right - place.left) + "x" +
                                  std::to_string(place.bottom - place.top);
        if (kind == L"Edit") {
            const std::string prefix = "edit" + std::to_string(edit++);
            print((prefix + ".text").c_str(), utf8(window_text(child)));
            print((prefix + ".place").c_str(), where);
            RECT area{};
            GetClientRect(child, &area);
            POINT centre{area.right / 2, area.bottom / 3};
            ClientToScreen(child, &centre);
            print((prefix + ".screen").c_str(),
                  std::to_string(centre.x) + "," + std::to_string(centre.y));
        } else if (kind == STATUSCLASSNAMEW) {
            print("status.place", where);
            const int parts = static_cast<int>(send(child, SB_GETPARTS, 0, 0));
            RemoteBuffer edges(child, sizeof(int) * 16);
            send(child, SB_GETPARTS, 16, edges.address());
            const std::vector<char> raw = edges.read();
            std::string list;
            for (int i = 0; i < parts; ++i) {
                int edge = 0;
                std::memcpy(&edge, raw.data() + i * sizeof(int), sizeof edge);
                list += (i ? "," : "") + std::to_string(edge);
            }
            print("status.edges", list);
            for (int i = 0; i < parts; ++i) {
                RemoteBuffer text(child, 1024 * sizeof(wchar_t));
                send(child, SB_GETTEXTW, i, text.address());
                const std::vector<char> got = text.read();
                print(("status.part" + std::to_string(i)).c_str(),
                      utf8(reinterpret_cast<const wchar_t*>(got.data())));
            }
        } else if (kind == TOOLBARCLASSNAMEW) {
            print("toolbar.place", where);
            const int count = static_cast<int>(send(child, TB_BUTTONCOUNT, 0, 0));
            print("toolbar.buttons", std::to_string(count));
            for (int i = 0; i < count; ++i) {
                const std::string prefix = "toolbar.button" + std::to_string(i);
                RemoteBuffer button(child, sizeof(TBBUTTON));
                send(child, TB_GETBUTTON, i, button.address());
                TBBUTTON found{};
                const std::vector<char> raw = button.read();
                std::memcpy(&found, raw.data(), sizeof found);
                RemoteBuffer text(child, 256 * sizeof(wchar_t));
                send(child, TB_GETBUTTONTEXTW, found.idCommand, text.address());
                const std::vector<char> label = text.read();
                print((prefix + ".text").c_str(),
                      utf8(reinterpret_cast<const wchar_t*>(label.data())));
                print((prefix + ".image").c_str(), std::to_string(found.iBitmap));
                RemoteBuffer rect(child, sizeof(RECT));
                send(child, TB_GETITEMRECT, i, rect.address());
                RECT item{};
                const std::vector<char> area = rect.read();
                std::memcpy(&item, area.data(), sizeof item);
                POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
                ClientToScreen(child, &centre);
                print((prefix + ".screen").c_str(),
                      std::to_string(centre.x) + "," + std::to_string(centre.y));
            }
        }
    }
    return 0;
}

int read_shortcut(const wchar_t* path) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return 1;
    }
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    int status = 1;
    if (file && SUCCEEDED(file->Load(path, STGM_READ))) {
        wchar_t target[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, 0);
        int show = 0;
        link->GetShowCmd(&show);
        print("target", utf8(target));
        print("show", std::to_string(show));
        status = 0;
    }
    if (file) {
        file->Release();
    }
    link->Release();
    CoUninitialize();
    return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"wait-window" && argc > 2) {
        return wait_window(static_cast<DWORD>(_wtoi(argv[2])));
    }
    if (command == L"info") {
        return info();
    }
    if (command == L"read-shortcut" && argc > 2) {
        return read_shortcut(argv[2]);
    }
    std::fputs("usage: driver wait-window MS | info | read-shortcut PATH\n", stderr);
    return 2;
}
