#pragma once

#include <optional>
#include <string>

#include "ports/control_id.hpp"
#include "ports/keys.hpp"

namespace zivmora {

// The handler entry points through which a back-end hands platform events to the core.
// A back-end calls them on the user-interface thread only, one at a time.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // The main window's size changed (also by minimising or maximising).
    virtual void on_size_changed() = 0;
    // A toolbar button was clicked; index counts from 0.
    virtual void on_toolbar_clicked(int index) = 0;
    // The user changed the code box's text. Not raised for the core's own writes.
    virtual void on_code_text_changed() = 0;
    // Left button pressed on the hint box, before the box sees it. A false result
    // consumes the press; true or no value lets it go on to the box.
    virtual std::optional<bool> on_hint_box_pressed(int x, int y, int modifiers) = 0;
    // A page asks for a new window; false refuses it.
    virtual bool on_new_window_requested() = 0;
    // The browser's status text changed (normally the address of the hovered link).
    virtual void on_browser_status_text(std::string text) = 0;
    // The clock timer ticked.
    virtual void on_clock_tick() = 0;
    // The private close message posted by a close request reached the window.
    virtual void on_close_message() = 0;
    // A key went down anywhere in the window; true when the key is used up and must not
    // reach the focused window. focused is the control that has the focus, or nothing
    // when the focus lies deeper inside a control (the page of the browser box).
    virtual bool on_key_down(Key key, Modifiers modifiers, std::optional<ControlId> focused) = 0;
    // The main window received the focus; remembered is the control that had it when the
    // window was last deactivated, if it still exists. Returns where the focus goes.
    virtual ControlId on_window_focused(std::optional<ControlId> remembered) = 0;
};

}  // namespace zivmora
