#include "ui/layout.hpp"

#include <cmath>

#include "ports/window_port.hpp"

namespace zivmora {

int clamp_written_size(double value) {
    if (!(value > 0)) {
        return 0;
    }
    if (value > kLargestWrittenSize) {
        return kLargestWrittenSize;
    }
    return static_cast<int>(std::trunc(value));
}

void write_control_width(WindowPort& window, ControlId control, double width) {
    Rect place = window.control_rect(control);
    place.width = clamp_written_size(width);
    window.place_control(control, place);
}

void write_control_height(WindowPort& window, ControlId control, double height) {
    Rect place = window.control_rect(control);
    place.height = clamp_written_size(height);
    window.place_control(control, place);
}

void dock_bars(WindowPort& window) {
    const Size client = window.client_size();
    const int bar_height = window.control_rect(ControlId::status_bar).height;
    window.place_control(ControlId::status_bar,
                         {0, client.height - bar_height, client.width, bar_height});
}

void apply_resize_rule(WindowPort& window) {
    // Sums in double precision, as the form engine computes them; every size is read afresh.
    write_control_width(window, ControlId::browser_box,
                        static_cast<double>(window.outer_size().width) + 10);
    write_control_height(window, ControlId::browser_box,
                         static_cast<double>(window.outer_size().height) -
                             window.control_rect(ControlId::toolbar).height -
                             window.control_rect(ControlId::status_bar).height);
    write_control_width(window, ControlId::toolbar, window.outer_size().width);
    write_control_width(window, ControlId::status_bar, window.outer_size().width);
}

}  // namespace zivmora
