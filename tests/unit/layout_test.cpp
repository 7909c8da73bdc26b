#include "ui/layout.hpp"

#include <gtest/gtest.h>

#include "app/application.hpp"
#include "fake/fake_platform.hpp"
#include "ui/form.hpp"
#include "ui/stacking.hpp"

namespace zivmora {
namespace {

using testing::FakePlatform;

TEST(clamp_written_size, limits_to_0_through_32627) {
    EXPECT_EQ(clamp_written_size(-5), 0);
    EXPECT_EQ(clamp_written_size(0), 0);
    EXPECT_EQ(clamp_written_size(733), 733);
    EXPECT_EQ(clamp_written_size(32627), 32627);
    EXPECT_EQ(clamp_written_size(32700), 32627);
    EXPECT_EQ(clamp_written_size(99.9), 99);
}

class layout : public ::testing::Test {
protected:
    void SetUp() override {
        platform.window.load(main_form(), application);
        dock_bars(platform.window);
    }
    FakePlatform platform;
    Application application{platform.ports(), {"http://site/?:", "", ""}};
};

TEST_F(layout, start_size_gives_the_browser_733_wide) {
    apply_resize_rule(platform.window);
    const Rect browser = platform.window.control_rect(ControlId::browser_box);
    const int status_height = platform.window.control_rect(ControlId::status_bar).height;
    EXPECT_EQ(browser, (Rect{-24, 24, 733, 546 - 32 - status_height}));
    EXPECT_EQ(platform.window.control_rect(ControlId::toolbar), (Rect{-8, 0, 723, 32}));
    EXPECT_EQ(platform.window.control_rect(ControlId::status_bar).width, 723);
}

TEST_F(layout, status_bar_docks_at_the_client_bottom) {
    platform.window.frame = {8, 31};
    dock_bars(platform.window);
    EXPECT_EQ(platform.window.control_rect(ControlId::status_bar),
              (Rect{0, 546 - 31 - 20, 723 - 8, 20}));
}

TEST_F(layout, a_window_smaller_than_both_bars_gives_height_zero) {
    platform.window.set_outer_size({160, 40});  // as when minimised
    apply_resize_rule(platform.window);
    EXPECT_EQ(platform.window.control_rect(ControlId::browser_box).height, 0);
    EXPECT_EQ(platform.window.control_rect(ControlId::browser_box).width, 170);
}

TEST_F(layout, widths_above_the_limit_are_clamped) {
    platform.window.set_outer_size({40000, 600});
    apply_resize_rule(platform.window);
    EXPECT_EQ(platform.window.control_rect(ControlId::browser_box).width, 32627);
    EXPECT_EQ(platform.window.control_rect(ControlId::toolbar).width, 32627);
}

TEST(stacking_order, starts_in_form_order_with_the_status_bar_drawn_above_the_browser) {
    StackingOrder order(main_form());
    EXPECT_EQ(order.logical()[0], ControlId::browser_box);
    EXPECT_EQ(order.drawn(), (std::array<ControlId, 6>{
                                 ControlId::status_bar, ControlId::browser_box, ControlId::hint_box,
                                 ControlId::clock_timer, ControlId::toolbar, ControlId::code_box}));
}

TEST(stacking_order, hint_press_order) {
    StackingOrder order(main_form());
    order.move_to_bottom(ControlId::hint_box);
    order.move_to_bottom(ControlId::toolbar);
    order.move_to_top(ControlId::code_box);
    EXPECT_EQ(order.logical(),
              (std::array<ControlId, 6>{ControlId::code_box, ControlId::browser_box,
                                        ControlId::clock_timer, ControlId::status_bar,
                                        ControlId::hint_box, ControlId::toolbar}));
    EXPECT_EQ(order.drawn(), (std::array<ControlId, 6>{
                                 ControlId::code_box, ControlId::status_bar, ControlId::browser_box,
                                 ControlId::clock_timer, ControlId::hint_box, ControlId::toolbar}));
}

}  // namespace
}  // namespace zivmora
