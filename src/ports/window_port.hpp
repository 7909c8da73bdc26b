#pragma once

#include <span>
#include <string>

#include "ports/control_id.hpp"
#include "ports/geometry.hpp"

namespace zivmora {

struct Form;
class WindowEvents;

// The main window and its controls as the core drives them.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Creates the window hidden, centred, and every control of the form. Until it returns no
    // event may reach `events`. False when the window or any control cannot be created.
    virtual bool load(const Form& form, WindowEvents& events) = 0;
    virtual bool exists() const = 0;
    virtual void show() = 0;
    // Runs until the quit message; returns its value.
    virtual int run_message_loop() = 0;
    // Closes the window as its close button does.
    virtual void close() = 0;
    // Destroys the window without the can-close step.
    virtual void destroy() = 0;
    // Queues the private close message; WindowEvents::on_close_message follows later.
    virtual void post_close_message() = 0;

    virtual Size outer_size() const = 0;
    virtual Size client_size() const = 0;
    // Full place of a control, border included, in client coordinates.
    virtual Rect control_rect(ControlId control) const = 0;
    virtual void place_control(ControlId control, const Rect& place) = 0;

    virtual std::string text(ControlId control) const = 0;
    // Replaces a control's text without raising its text-changed event.
    virtual void set_text_silently(ControlId control, const std::string& text) = 0;
    virtual void set_status_part_text(int part, const std::string& text) = 0;

    // Restacks every control, the first one on top.
    virtual void apply_stacking(std::span<const ControlId> top_to_bottom) = 0;
    virtual void set_focus(ControlId control) = 0;
};

}  // namespace zivmora
