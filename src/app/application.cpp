#include "app/application.hpp"

#include "desktop/shortcut.hpp"
#include "ui/clock.hpp"
#include "ui/form.hpp"
#include "ui/keyboard.hpp"
#include "ui/layout.hpp"
#include "ui/status_bar.hpp"
#include "update/update_check.hpp"

namespace zivmora {

namespace {
constexpr int kClockPart = 0;
constexpr std::string_view kLoadFailedMessage = "无法载入启动窗口，程序将退出。";
constexpr std::string_view kLoadFailedTitle = "Zivmora";
}  // namespace

Application::Application(const Platform& platform, Addresses addresses)
    : platform_(platform),
      addresses_(std::move(addresses)),
      browser_(platform.browser),
      code_entry_(addresses_.play_base, platform.window, browser_, platform.clock),
      stacking_(main_form()),
      focus_order_(focus_order(main_form())) {}

int Application::run() {
    capture_program_location();
    WindowPort& window = platform_.window;
    if (!window.load(main_form(), *this)) {
        platform_.shell.message_box(
            std::string(kLoadFailedMessage), std::string(kLoadFailedTitle),
            effective_message_box_style(message_box_style::kOk | message_box_style::kIconError));
        run_exit_routine();
        return kExitLoadFailed;
    }
    apply_stacking();
    dock_bars(window);
    events_enabled_ = true;

    run_created_sequence();
    // The position change has no handler; the size change runs the resize rule once.
    if (window.exists()) {
        on_size_changed();
    }
    if (window.exists()) {
        window.show();
    }
    int exit_code = kExitOk;
    if (window.exists()) {
        exit_code = window.run_message_loop();
    }
    events_enabled_ = false;
    run_exit_routine();
    return exit_code;
}

void Application::capture_program_location() {
    const ProgramLocation location =
        split_program_path(platform_.shell.program_path(), platform_.shell.path_separator());
    state_.program_directory = location.directory;
    state_.program_file_name = location.file_name;
    platform_.shell.set_current_directory(state_.program_directory);
}

void Application::run_created_sequence() {
    state_.current_code = 1;
    const UpdateOutcome update =
        run_update_check({platform_.http, platform_.converter, platform_.shell}, state_,
                         addresses_.version_page, addresses_.download_page);
    if (update == UpdateOutcome::accepted) {
        request_close_later();  // the rest of the sequence still runs first
    }
    code_entry_.start_navigation(state_.current_code);
    const ShortcutStep shortcut =
        run_shortcut_step(platform_.shell, {state_.program_directory, state_.program_file_name});
    if (shortcut == ShortcutStep::already_there) {
        return;
    }
    platform_.window.set_focus(ControlId::hint_box);
}

void Application::request_close_later() {
    close_requested_ = true;
    platform_.window.post_close_message();
}

void Application::on_close_message() {
    if (!events_enabled_ || !close_requested_) {
        return;
    }
    close_requested_ = false;
    platform_.window.destroy();
}

void Application::run_exit_routine() {
    state_.version_page_address.clear();
    state_.local_version.clear();
}

void Application::apply_stacking() {
    const auto drawn = stacking_.drawn();
    platform_.window.apply_stacking(drawn);
}

void Application::on_size_changed() {
    if (!events_enabled_) {
        return;
    }
    dock_bars(platform_.window);
    apply_resize_rule(platform_.window);
}

void Application::on_toolbar_clicked(int index) {
    if (events_enabled_) {
        code_entry_.toolbar_clicked(index);
    }
}

void Application::on_code_text_changed() {
    if (events_enabled_) {
        code_entry_.code_text_changed();
    }
}

std::optional<bool> Application::on_hint_box_pressed(int, int, int) {
    if (!events_enabled_) {
        return std::nullopt;
    }
    stacking_.move_to_bottom(ControlId::hint_box);
    stacking_.move_to_bottom(ControlId::toolbar);
    stacking_.move_to_top(ControlId::code_box);
    apply_stacking();
    platform_.window.set_focus(ControlId::code_box);
    // Consumed, so that the hint box, now covered, does not take the focus back and what
    // the user types shows at once in the code box.
    return false;
}

bool Application::on_new_window_requested() {
    if (!events_enabled_) {
        return false;
    }
    return browser_.handle_new_window_request();
}

void Application::on_browser_status_text(std::string text) {
    browser_.status_text_reported(std::move(text));
}

void Application::on_clock_tick() {
    if (events_enabled_) {
        write_status_part(platform_.window, kClockPart, clock_text(platform_.clock.local_now()));
    }
}

bool Application::on_key_down(Key key, Modifiers modifiers, std::optional<ControlId> focused) {
    if (!events_enabled_) {
        return false;
    }
    const KeyAction action = decide_key(key, modifiers, main_form().window);
    switch (action) {
        case KeyAction::pass_on:
            return false;
        case KeyAction::used_up:
            return true;
        case KeyAction::focus_next:
        case KeyAction::focus_previous: {
            const bool forward = action == KeyAction::focus_next;
            if (const auto target = focus_move_target(focus_order_, focused, forward)) {
                platform_.window.set_focus(*target);
            }
            return true;
        }
        case KeyAction::close_window:
            platform_.window.close();
            return true;
    }
    return false;
}

ControlId Application::on_window_focused(std::optional<ControlId> remembered) {
    return remembered ? *remembered : focus_order_.front();
}

}  // namespace zivmora
