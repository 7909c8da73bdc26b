#pragma once

#include <string_view>

namespace zivmora {

// The six controls of the main window, in form order.
enum class ControlId {
    browser_box,
    hint_box,
    clock_timer,
    status_bar,
    toolbar,
    code_box,
};

inline constexpr int kControlCount = 6;

// Plain English names for logs and test failures; the form keeps the controls' own names.
constexpr std::string_view describe(ControlId id) {
    switch (id) {
        case ControlId::browser_box:
            return "browser box";
        case ControlId::hint_box:
            return "hint box";
        case ControlId::clock_timer:
            return "clock timer";
        case ControlId::status_bar:
            return "status bar";
        case ControlId::toolbar:
            return "toolbar";
        case ControlId::code_box:
            return "code box";
    }
    return "?";
}

}  // namespace zivmora
