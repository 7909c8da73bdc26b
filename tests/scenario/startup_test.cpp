#include <gtest/gtest.h>

#include "scenario/program_fixture.hpp"

namespace zivmora {
namespace {

using testing::Log;

class start_up : public testing::ProgramTest {};

TEST_F(start_up, first_start_creates_the_shortcut_and_focuses_the_hint_box) {
    exit_code = application.run();
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(platform.log,
              (Log{
                  "current directory /opt/zivmora/bin",
                  "load",
                  "stack status bar > browser box > hint box > clock timer > toolbar > code box",
                  "place status bar 0,495 715x20",
                  "GET http version.test:80 /v",
                  "navigate http://play.test/?:1",
                  "create shortcut /home/user/Desktop/Zivmora1.4.desktop -> "
                  "/opt/zivmora/bin/zivmora",
                  "focus hint box",
                  "place status bar 0,495 715x20",
                  "place browser box -24,24 733x480",
                  "place browser box -24,24 733x494",
                  "place toolbar -8,0 723x32",
                  "place status bar 0,495 723x20",
                  "show",
                  "message loop",
                  "close",
                  "destroy",
              }));
    EXPECT_EQ(application.state().current_code, 1);
    EXPECT_EQ(application.state().program_file_name, "zivmora");
}

TEST_F(start_up, later_start_leaves_shortcut_and_focus_alone) {
    shortcut_exists();
    application.run();
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"create shortcut", "focus"}), Log{});
    EXPECT_EQ(application.on_window_focused(std::nullopt), ControlId::code_box);
}

TEST_F(start_up, unwritable_desktop_still_moves_the_focus) {
    platform.shell.desktop_writable = false;
    application.run();
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"focus"}), Log{"focus hint box"});
}

TEST_F(start_up, load_failure_reports_and_exits_with_minus_one) {
    platform.window.fail_load = true;
    EXPECT_EQ(application.run(), kExitLoadFailed);
    ASSERT_EQ(platform.log.size(), 3u);
    EXPECT_EQ(platform.log[1], "load");
    EXPECT_TRUE(platform.log[2].starts_with("message box [Zivmora]"));
    EXPECT_TRUE(platform.log[2].ends_with("style 0x2010"));
}

TEST_F(start_up, events_raised_while_loading_are_dropped) {
    platform.window.raise_events_while_loading = true;
    shortcut_exists();
    application.run();
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"navigate", "part"}),
              Log{"navigate http://play.test/?:1"});
}

TEST_F(start_up, a_close_request_whose_mark_was_cleared_does_nothing) {
    int destroyed = 0;
    while_running([&] {
        application.request_close_later();
        application.on_close_message();  // delivered: destroys
        application.on_close_message();  // delivered again: the mark is already cleared
    });
    for (const std::string& entry : platform.log) {
        destroyed += entry == "destroy";
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"close"}), Log{});  // not by the user
}

TEST_F(start_up, code_box_stays_empty_after_the_start_navigation) {
    application.run();
    EXPECT_EQ(platform.window.text(ControlId::code_box), "");
    EXPECT_EQ(application.browser_box().address(), "http://play.test/?:1");
}

}  // namespace
}  // namespace zivmora
