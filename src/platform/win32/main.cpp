// The Windows program: the Win32 API, the system's web browser control and WinINet around
// the portable core.

#include <windows.h>
#include <ole2.h>

#include "app/application.hpp"
#include "platform/win32/browser_host.hpp"
#include "platform/win32/code_page_converter.hpp"
#include "platform/win32/main_window.hpp"
#include "platform/win32/system_clock.hpp"
#include "platform/win32/win32_shell.hpp"
#include "platform/win32/wininet_http_client.hpp"

namespace {

// OLE for the user-interface thread: the browser control and the shell link need it.
class OleScope {
public:
    OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) {
            OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool initialised_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace zivmora;
    OleScope ole;
    try {
        win32::prefer_current_browser_engine();
        win32::WinInetHttpClient http;
        win32::CodePageConverter converter;
        win32::SystemClock clock;
        win32::Win32Shell shell;
        win32::BrowserHost browser;
        win32::MainWindow window(browser);
        Application application({window, browser, http, converter, shell, clock},
                                built_in_addresses());
        return application.run();
    } catch (...) {
        return kExitLoadFailed;
    }
}
