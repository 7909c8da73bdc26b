#include "ui/form.hpp"

#include <gtest/gtest.h>

namespace zivmora {
namespace {

TEST(form, controls_are_in_form_order_with_their_places) {
    const Form& form = main_form();
    const std::array<ControlId, 6> expected{ControlId::browser_box, ControlId::hint_box,
                                            ControlId::clock_timer, ControlId::status_bar,
                                            ControlId::toolbar,     ControlId::code_box};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(form.controls[i].id, expected[i]) << "form position " << i;
    }
    EXPECT_EQ(form.control(ControlId::browser_box).place, (Rect{-24, 24, 744, 480}));
    EXPECT_EQ(form.control(ControlId::toolbar).place, (Rect{-8, 0, 728, 32}));
    EXPECT_EQ(form.control(ControlId::hint_box).place, form.control(ControlId::code_box).place);
    EXPECT_FALSE(form.control(ControlId::clock_timer).visible);
    EXPECT_EQ(form.control(ControlId::toolbar).pointer, MousePointer::hand);
}

TEST(form, window_title_and_size) {
    EXPECT_EQ(main_form().window.title, "Zivmora  1.4  Quenlo作品");
    EXPECT_EQ(main_form().window.outer_size, (Size{723, 546}));
}

TEST(form, status_parts_end_at_500_600_700) {
    EXPECT_EQ(status_part_right_edges(main_form().status_bar), (std::array<int, 3>{500, 600, 700}));
    EXPECT_EQ(main_form().status_bar.parts[0].initial_text, "现在时间是：");
}

TEST(form, toolbar_buttons_have_texts_tips_and_images) {
    const auto& buttons = main_form().toolbar.buttons;
    EXPECT_EQ(buttons[0].text, "操作选择＝>>");
    EXPECT_EQ(buttons[0].tip, "请选择");
    EXPECT_EQ(buttons[1].image, 1);
    EXPECT_EQ(buttons[2].image, 3);
    EXPECT_EQ(buttons[3].image, 3);
    EXPECT_EQ(buttons[4].text, "");
    EXPECT_FALSE(buttons[4].image.has_value());
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].tip, "") << "button " << i;
        EXPECT_EQ(buttons[i].command_id, static_cast<int>(i) + 1);
    }
}

TEST(form, every_handled_event_is_bound) {
    const Form& form = main_form();
    EXPECT_TRUE(form.has_binding(std::nullopt, FormEvent::created));
    EXPECT_TRUE(form.has_binding(ControlId::hint_box, FormEvent::left_button_pressed));
    EXPECT_TRUE(form.has_binding(ControlId::code_box, FormEvent::text_changed));
    EXPECT_FALSE(form.has_binding(ControlId::hint_box, FormEvent::text_changed));
}

TEST(toolbar_tip_text, is_cut_at_the_limit_without_splitting_a_character) {
    EXPECT_EQ(toolbar_tip_text("请选择", 78), "请选择");
    // Each of these characters is three bytes; a cut at 7 keeps two whole ones.
    EXPECT_EQ(toolbar_tip_text("请选择", 7), "请选");
    EXPECT_EQ(toolbar_tip_text(std::string(100, 'a'), 78).size(), 78u);
}

TEST(centred_window_place, halves_truncate_toward_zero) {
    EXPECT_EQ(centred_window_place({1024, 768}, {723, 546}), (Rect{150, 111, 723, 546}));
    EXPECT_EQ(centred_window_place({640, 480}, {723, 546}), (Rect{-41, -33, 723, 546}));
}

}  // namespace
}  // namespace zivmora
