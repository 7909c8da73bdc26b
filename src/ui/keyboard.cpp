#include "ui/keyboard.hpp"

#include <algorithm>

#include "ui/form.hpp"

namespace zivmora {
namespace {

bool kind_takes_focus(ControlKind kind) {
    return kind == ControlKind::html_viewer || kind == ControlKind::edit_box;
}

}  // namespace

std::vector<ControlId> focus_order(const Form& form) {
    struct Candidate {
        ControlId id;
        int tab_order;
        int form_position;
    };
    std::vector<Candidate> candidates;
    for (int i = 0; i < kControlCount; ++i) {
        const ControlRecord& record = form.controls[static_cast<std::size_t>(i)];
        if (record.visible && !record.disabled && record.tab_stop &&
            kind_takes_focus(record.kind)) {
            candidates.push_back({record.id, record.tab_order, i});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.tab_order != b.tab_order) {
            return a.tab_order < b.tab_order;
        }
        return a.form_position > b.form_position;
    });
    std::vector<ControlId> order;
    for (const Candidate& candidate : candidates) {
        order.push_back(candidate.id);
    }
    return order;
}

KeyAction decide_key(Key key, Modifiers modifiers, const WindowRecord& window) {
    switch (key) {
        case Key::tab:
            if (modifiers.none()) {
                return KeyAction::focus_next;
            }
            if (modifiers.shift && !modifiers.ctrl && !modifiers.alt) {
                return KeyAction::focus_previous;
            }
            return KeyAction::pass_on;
        case Key::escape:
            return window.escape_closes && modifiers.none() ? KeyAction::close_window
                                                            : KeyAction::pass_on;
        case Key::enter:
            return window.enter_moves_focus && modifiers.none() ? KeyAction::focus_next
                                                                : KeyAction::pass_on;
        case Key::f1:  // no help file
        case Key::other:
            return KeyAction::pass_on;
    }
    return KeyAction::pass_on;
}

std::optional<ControlId> focus_move_target(const std::vector<ControlId>& order,
                                           std::optional<ControlId> focused, bool forward) {
    if (!focused || order.empty()) {
        return std::nullopt;
    }
    const auto found = std::find(order.begin(), order.end(), *focused);
    if (found == order.end()) {
        return std::nullopt;
    }
    const std::size_t size = order.size();
    const std::size_t index = static_cast<std::size_t>(found - order.begin());
    return order[forward ? (index + 1) % size : (index + size - 1) % size];
}

}  // namespace zivmora
