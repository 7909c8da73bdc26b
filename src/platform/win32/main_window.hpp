#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

#include "ports/control_id.hpp"
#include "ports/window_port.hpp"

namespace zivmora {
struct Form;
}

namespace zivmora::win32 {

class BrowserHost;

// The number of the private message a close request posts.
inline constexpr UINT kCloseRequestMessage = 0x8065;

// The main window and its controls on the Win32 API.
class MainWindow final : public WindowPort {
public:
    explicit MainWindow(BrowserHost& browser);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    bool load(const Form& form, WindowEvents& events) override;
    bool exists() const override { return window_ != nullptr; }
    void show() override;
    int run_message_loop() override;
    void close() override;
    void destroy() override;
    void post_close_message() override;

    Size outer_size() const override;
    Size client_size() const override;
    Rect control_rect(ControlId control) const override;
    void place_control(ControlId control, const Rect& place) override;

    std::string text(ControlId control) const override;
    void set_text_silently(ControlId control, const std::string& text) override;
    void set_status_part_text(int part, const std::string& text) override;

    void apply_stacking(std::span<const ControlId> top_to_bottom) override;
    void set_focus(ControlId control) override;

private:
    bool create_controls(const Form& form, WindowEvents& events);
    HWND create_edit_box(const Form& form, ControlId id);
    HWND create_toolbar(const Form& form);
    HWND create_status_bar(const Form& form);
    HWND create_timer_window(const Form& form);
    HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
    std::optional<ControlId> control_of(HWND window) const;
    // Keys and presses the main window sees before the window they are meant for.
    bool pre_translate(const MSG& message);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle_notify(const NMHDR& header);

    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    static LRESULT CALLBACK timer_procedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);
    static LRESULT CALLBACK toolbar_procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam);

    BrowserHost& browser_;
    WindowEvents* events_ = nullptr;
    const Form* form_ = nullptr;
    HWND window_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    HBRUSH edit_background_ = nullptr;
    HBRUSH toolbar_background_ = nullptr;
    HFONT toolbar_font_ = nullptr;
    HIMAGELIST toolbar_images_ = nullptr;
    WNDPROC toolbar_default_procedure_ = nullptr;
    HWND remembered_focus_ = nullptr;
    bool writing_silently_ = false;
    bool loop_running_ = false;
};

}  // namespace zivmora::win32
