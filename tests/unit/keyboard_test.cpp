#include "ui/keyboard.hpp"

#include <gtest/gtest.h>

#include "ui/form.hpp"

namespace zivmora {
namespace {

TEST(focus_order, later_form_position_first_among_equal_tab_orders) {
    EXPECT_EQ(
        focus_order(main_form()),
        (std::vector<ControlId>{ControlId::code_box, ControlId::hint_box, ControlId::browser_box}));
}

struct KeyRow {
    const char* name;
    Key key;
    Modifiers modifiers;
    KeyAction action;
};

TEST(decide_key, rule_table) {
    const Modifiers none{};
    const Modifiers shift{false, true, false};
    const Modifiers ctrl{true, false, false};
    const Modifiers alt{false, false, true};
    const KeyRow rows[] = {
        {"Tab", Key::tab, none, KeyAction::focus_next},
        {"Shift+Tab", Key::tab, shift, KeyAction::focus_previous},
        {"Ctrl+Tab", Key::tab, ctrl, KeyAction::pass_on},
        {"Alt+Tab", Key::tab, alt, KeyAction::pass_on},
        {"Esc", Key::escape, none, KeyAction::close_window},
        {"Shift+Esc", Key::escape, shift, KeyAction::pass_on},
        {"Ctrl+Esc", Key::escape, ctrl, KeyAction::pass_on},
        {"Enter", Key::enter, none, KeyAction::pass_on},
        {"F1", Key::f1, none, KeyAction::pass_on},
        {"a letter", Key::other, none, KeyAction::pass_on},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(decide_key(row.key, row.modifiers, main_form().window), row.action);
    }
}

TEST(decide_key, follows_the_window_options) {
    WindowRecord window = main_form().window;
    window.escape_closes = false;
    window.enter_moves_focus = true;
    EXPECT_EQ(decide_key(Key::escape, {}, window), KeyAction::pass_on);
    EXPECT_EQ(decide_key(Key::enter, {}, window), KeyAction::focus_next);
}

TEST(focus_move_target, wraps_and_ignores_focus_inside_a_control) {
    const auto order = focus_order(main_form());
    EXPECT_EQ(focus_move_target(order, ControlId::code_box, true), ControlId::hint_box);
    EXPECT_EQ(focus_move_target(order, ControlId::hint_box, true), ControlId::browser_box);
    EXPECT_EQ(focus_move_target(order, ControlId::browser_box, true), ControlId::code_box);
    EXPECT_EQ(focus_move_target(order, ControlId::code_box, false), ControlId::browser_box);
    EXPECT_EQ(focus_move_target(order, std::nullopt, true), std::nullopt);
    EXPECT_EQ(focus_move_target(order, ControlId::toolbar, true), std::nullopt);
}

}  // namespace
}  // namespace zivmora
