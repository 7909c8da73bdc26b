#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include "platform/win32/com_ptr.hpp"
#include "ports/browser_port.hpp"

namespace zivmora {
class WindowEvents;
struct BrowserSettings;
}  // namespace zivmora

namespace zivmora::win32 {

class BrowserSite;
class BrowserEventSink;

// The browser box: the system's web browser control hosted in a plain child window, without
// ATL. The site object gives the control its client site, in-place site and frame; the event
// sink passes StatusTextChange and NewWindow2 on to the core.
class BrowserHost final : public BrowserPort {
public:
    BrowserHost();
    ~BrowserHost() override;
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // Creates the box as a child of `parent`; null when the control is not available.
    HWND create(HWND parent, const BrowserSettings& settings, WindowEvents& events);
    void navigate(const std::string& address) override;

    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    void fit_control();
    void destroy_control();

    HWND window_ = nullptr;
    BrowserSite* site_ = nullptr;
    BrowserEventSink* sink_ = nullptr;
    ComPtr<IOleObject> object_;
    ComPtr<IWebBrowser2> browser_;
    DWORD sink_cookie_ = 0;
};

// Sets the control's rendering mode for this executable to the current engine's standards
// mode, unless the user has already chosen one.
void prefer_current_browser_engine();

}  // namespace zivmora::win32
