#pragma once

#include <optional>
#include <vector>

#include "ports/control_id.hpp"
#include "ports/keys.hpp"

namespace zivmora {

struct Form;
struct WindowRecord;

// Controls that take part in Tab moves: visible, enabled, focusable by kind, with a tab stop;
// sorted by tab order, the later control in form order first among equals.
std::vector<ControlId> focus_order(const Form& form);

enum class KeyAction {
    pass_on,         // the focused window gets the key
    used_up,         // swallowed, nothing else happens
    focus_next,      // move to the next control of the focus order, key used up
    focus_previous,  // move to the previous one, key used up
    close_window,    // close as the close button does, key used up
};

// The window's key rule; its Esc and Enter options come from the form's window record.
KeyAction decide_key(Key key, Modifiers modifiers, const WindowRecord& window);

// The control a Tab move lands on, or nothing when the focus matches no control of the order
// (for example inside the browser box's page).
std::optional<ControlId> focus_move_target(const std::vector<ControlId>& order,
                                           std::optional<ControlId> focused, bool forward);

}  // namespace zivmora
