#include "navigation/code_entry.hpp"

#include <array>

#include "navigation/browser_box.hpp"
#include "navigation/toolbar_actions.hpp"
#include "ports/clock_port.hpp"
#include "ports/window_port.hpp"
#include "ui/status_bar.hpp"

namespace zivmora {

namespace {
constexpr int kActionPart = 1;
}

CodeEntry::CodeEntry(std::string base_play_address, WindowPort& window, BrowserBox& browser,
                     const ClockPort& clock)
    : base_(std::move(base_play_address)), window_(window), browser_(browser), clock_(clock) {}

std::string CodeEntry::play_address(const std::string& base, const std::string& code) {
    return base + code;
}

void CodeEntry::start_navigation(int current_code) {
    browser_.set_address(play_address(base_, std::to_string(current_code)));
}

void CodeEntry::code_text_changed() {
    browser_.set_address(play_address(base_, window_.text(ControlId::code_box)));
}

void CodeEntry::write_code_box(const std::string& text) {
    window_.set_text_silently(ControlId::code_box, text);
    code_text_changed();
}

void CodeEntry::write_action_text(std::string_view text) {
    write_status_part(window_, kActionPart, std::string(text));
}

void CodeEntry::toolbar_clicked(int index) {
    random_.seed(clock_.tick_count());
    const std::array<int, 3> drawn{random_.draw(kRefreshRange.low, kRefreshRange.high),
                                   random_.draw(kPreviousRange.low, kPreviousRange.high),
                                   random_.draw(kNextRange.low, kNextRange.high)};
    const auto action = toolbar_action(index);
    if (!action) {
        return;
    }
    const std::string code = std::to_string(drawn[static_cast<std::size_t>(action->range_slot)]);
    if (action->order == WriteOrder::action_text_first) {
        write_action_text(action->action_text);
    }
    // The empty write first loads the bare base address; the second replaces that load.
    write_code_box("");
    write_code_box(code);
    if (action->order == WriteOrder::code_box_first) {
        write_action_text(action->action_text);
    }
}

}  // namespace zivmora
