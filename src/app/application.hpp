#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/addresses.hpp"
#include "app/program_state.hpp"
#include "navigation/browser_box.hpp"
#include "navigation/code_entry.hpp"
#include "ports/platform.hpp"
#include "ports/window_events.hpp"
#include "ui/stacking.hpp"

namespace zivmora {

inline constexpr int kExitOk = 0;
inline constexpr int kExitLoadFailed = -1;

// The program: start-up, the created sequence, every event handler, shutdown. A back-end
// builds the ports, constructs this and calls run().
class Application final : public WindowEvents {
public:
    Application(const Platform& platform, Addresses addresses);

    // From process start to the exit code.
    int run();

    // The close the update prompt asks for: takes effect when the message loop delivers it.
    void request_close_later();

    const ProgramState& state() const { return state_; }
    const BrowserBox& browser_box() const { return browser_; }
    const CodeEntry& code_entry() const { return code_entry_; }

    // WindowEvents
    void on_size_changed() override;
    void on_toolbar_clicked(int index) override;
    void on_code_text_changed() override;
    std::optional<bool> on_hint_box_pressed(int x, int y, int modifiers) override;
    bool on_new_window_requested() override;
    void on_browser_status_text(std::string text) override;
    void on_clock_tick() override;
    void on_close_message() override;
    bool on_key_down(Key key, Modifiers modifiers, std::optional<ControlId> focused) override;
    ControlId on_window_focused(std::optional<ControlId> remembered) override;

private:
    void capture_program_location();
    void run_created_sequence();
    void apply_stacking();
    void run_exit_routine();

    Platform platform_;
    Addresses addresses_;
    ProgramState state_;
    BrowserBox browser_;
    CodeEntry code_entry_;
    StackingOrder stacking_;
    std::vector<ControlId> focus_order_;
    // Events raised while the window and its controls are built are dropped, not queued.
    bool events_enabled_ = false;
    bool close_requested_ = false;
};

}  // namespace zivmora
