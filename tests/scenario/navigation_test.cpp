#include <gtest/gtest.h>

#include "scenario/program_fixture.hpp"

namespace zivmora {
namespace {

using testing::Log;

class navigation : public testing::ProgramTest {};

TEST_F(navigation, next_video_writes_the_action_then_loads_twice) {
    const Log log = while_running([&] { platform.window.events().on_toolbar_clicked(3); });
    EXPECT_EQ(log, (Log{"part 1 := '你按了下一视频 '", "code box := ''",
                        "navigate http://play.test/?:", "code box := '667'",
                        "navigate http://play.test/?:667"}));
}

TEST_F(navigation, previous_video_uses_the_second_draw) {
    const Log log = while_running([&] { platform.window.events().on_toolbar_clicked(2); });
    EXPECT_EQ(log, (Log{"part 1 := '你按了上一视频 '", "code box := ''",
                        "navigate http://play.test/?:", "code box := '626'",
                        "navigate http://play.test/?:626"}));
}

TEST_F(navigation, refresh_loads_first_and_writes_the_action_after) {
    const Log log = while_running([&] { platform.window.events().on_toolbar_clicked(1); });
    EXPECT_EQ(log, (Log{"code box := ''", "navigate http://play.test/?:", "code box := '585'",
                        "navigate http://play.test/?:585", "part 1 := '你按了刷新'"}));
}

TEST_F(navigation, buttons_without_an_action_still_advance_the_seed) {
    const Log log = while_running([&] {
        platform.window.events().on_toolbar_clicked(0);
        platform.window.events().on_toolbar_clicked(4);
        platform.window.events().on_toolbar_clicked(7);
    });
    EXPECT_TRUE(log.empty());
    // 12345 + 0 -> offset 157; 12345 + 157 -> 314 more; 12345 + 471 -> 100 + (12816 & 255).
    EXPECT_EQ(application.code_entry().random_codes().seed_offset(), 471u + 100u + (12816u & 255u));
}

TEST_F(navigation, same_code_twice_loads_twice) {
    const Log log = while_running([&] {
        platform.window.events().on_toolbar_clicked(1);
        platform.window.events().on_toolbar_clicked(1);
    });
    EXPECT_EQ(testing::entries_starting_with(log, {"navigate"}).size(), 4u);
}

TEST_F(navigation, typing_loads_every_change_unchanged) {
    const Log log = while_running([&] {
        platform.window.user_types("1");
        platform.window.user_types("12");
        platform.window.user_types("1");
        platform.window.user_types("");
        platform.window.user_types("ab ?#");
    });
    EXPECT_EQ(log, (Log{"navigate http://play.test/?:1", "navigate http://play.test/?:12",
                        "navigate http://play.test/?:1",
                        "navigate http://play.test/?:", "navigate http://play.test/?:ab ?#"}));
}

TEST_F(navigation, hint_press_raises_the_code_box_and_focuses_it) {
    std::optional<bool> result = true;
    const Log log = while_running(
        [&] { result = platform.window.events().on_hint_box_pressed(3, 4, kMouseShift); });
    EXPECT_EQ(log, (Log{"stack code box > status bar > browser box > clock timer > hint box > "
                        "toolbar",
                        "focus code box"}));
    EXPECT_EQ(result, false);  // consumed: the covered hint box must not take the focus back
}

TEST_F(navigation, new_window_loads_the_hovered_link_in_place) {
    bool allowed = true;
    const Log log = while_running([&] {
        platform.window.events().on_browser_status_text("http://play.test/?:42");
        allowed = platform.window.events().on_new_window_requested();
    });
    EXPECT_FALSE(allowed);
    EXPECT_EQ(log, (Log{"navigate http://play.test/?:42"}));
}

TEST_F(navigation, new_window_before_any_status_text_loads_nothing) {
    bool allowed = true;
    const Log log =
        while_running([&] { allowed = platform.window.events().on_new_window_requested(); });
    EXPECT_FALSE(allowed);
    EXPECT_TRUE(log.empty());
}

TEST_F(navigation, status_text_that_is_not_an_address_is_loaded_all_the_same) {
    const Log log = while_running([&] {
        platform.window.events().on_browser_status_text("Done");
        platform.window.events().on_new_window_requested();
    });
    EXPECT_EQ(log, (Log{"navigate Done"}));
}

TEST_F(navigation, clock_tick_writes_part_zero_only) {
    platform.clock.now = {2013, 2, 18, 15, 0, 0};
    const Log log = while_running([&] { platform.window.events().on_clock_tick(); });
    EXPECT_EQ(log, (Log{"part 0 := '2013年2月18日15时'"}));
    EXPECT_EQ(platform.window.status_part(1), "");
}

struct KeyCase {
    const char* name;
    Key key;
    Modifiers modifiers;
    std::optional<ControlId> focused;
    bool used_up;
    Log log;
};

TEST_F(navigation, keys) {
    const Modifiers none{};
    const Modifiers shift{false, true, false};
    const KeyCase cases[] = {
        {"Tab in the code box", Key::tab, none, ControlId::code_box, true, {"focus hint box"}},
        {"Tab in the hint box", Key::tab, none, ControlId::hint_box, true, {"focus browser box"}},
        {"Shift+Tab in the code box",
         Key::tab,
         shift,
         ControlId::code_box,
         true,
         {"focus browser box"}},
        {"Tab inside the page", Key::tab, none, std::nullopt, true, {}},
        {"Enter", Key::enter, none, ControlId::code_box, false, {}},
        {"Shift+Esc", Key::escape, shift, std::nullopt, false, {}},
        {"Esc inside the page", Key::escape, none, std::nullopt, true, {"close", "destroy"}},
    };
    for (const KeyCase& row : cases) {
        SCOPED_TRACE(row.name);
        testing::FakePlatform fresh;
        Application program(fresh.ports(), testing::kTestAddresses);
        bool used_up = !row.used_up;
        Log caused;
        fresh.window.loop_work.push_back([&] {
            const std::size_t mark = fresh.log.size();
            used_up = fresh.window.events().on_key_down(row.key, row.modifiers, row.focused);
            caused.assign(fresh.log.begin() + static_cast<std::ptrdiff_t>(mark), fresh.log.end());
        });
        EXPECT_EQ(program.run(), 0);
        EXPECT_EQ(used_up, row.used_up);
        EXPECT_EQ(caused, row.log);
    }
}

TEST_F(navigation, resize_docks_the_status_bar_and_follows_the_outer_size) {
    const Log log = while_running([&] { platform.window.resize({1000, 700}); });
    EXPECT_EQ(log, (Log{"place status bar 0,649 992x20", "place browser box -24,24 1010x494",
                        "place browser box -24,24 1010x648", "place toolbar -8,0 1000x32",
                        "place status bar 0,649 1000x20"}));
}

TEST_F(navigation, default_focus_goes_to_the_code_box_unless_one_is_remembered) {
    while_running([] {});
    EXPECT_EQ(application.on_window_focused(std::nullopt), ControlId::code_box);
    EXPECT_EQ(application.on_window_focused(ControlId::browser_box), ControlId::browser_box);
}

}  // namespace
}  // namespace zivmora
