#pragma once

#include <string>

namespace zivmora {

class BrowserPort;

// The browser box: every address written to it is loaded, and it keeps the last status text
// the engine reported until the next report.
class BrowserBox {
public:
    explicit BrowserBox(BrowserPort& engine) : engine_(engine) {}

    void set_address(const std::string& address);
    const std::string& address() const { return address_; }

    void status_text_reported(std::string text) { status_text_ = std::move(text); }
    const std::string& status_text() const { return status_text_; }

    // A page asks for a new window: load the last status text here instead and refuse it.
    // An empty status text (nothing hovered yet, a pop-up on load) loads nothing, so the
    // page being watched is not blanked.
    bool handle_new_window_request();

private:
    BrowserPort& engine_;
    std::string address_;
    std::string status_text_;
};

}  // namespace zivmora
