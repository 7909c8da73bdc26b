#include <gtest/gtest.h>

#include "scenario/program_fixture.hpp"

namespace zivmora {
namespace {

using testing::Log;

std::string version_page(std::string_view version) {
    return "<html><body><p>升级不升级你得看我的版本号sew/" + std::string(version) +
           "khj更改情况就知道了。</p></body></html>";
}

class update_check : public testing::ProgramTest {
protected:
    Log start_up_log() {
        exit_code = application.run();
        return testing::entries_starting_with(
            platform.log, {"GET", "message box", "open", "post close", "navigate", "destroy"});
    }
};

TEST_F(update_check, newer_version_accepted_opens_download_and_closes_after_start_up) {
    platform.http.answer.body = version_page("1.50");
    platform.shell.answer = ButtonCode::ok;
    EXPECT_EQ(start_up_log(),
              (Log{"GET http version.test:80 /v",
                   "message box [升级提示, Quenlo作品] 发现新版本 (1.50版 ) "
                   "请及时更新！！！如果你现在不想更新可按取消跳过升级！ style 0x42001",
                   "open http://download.test/d", "post close message",
                   "navigate http://play.test/?:1", "destroy"}));
    EXPECT_EQ(exit_code, 0);
    // The shortcut step and the showing of the window still ran before the close.
    const Log& log = platform.log;
    const auto position = [&](const std::string& entry) {
        return std::find(log.begin(), log.end(), entry) - log.begin();
    };
    EXPECT_LT(position("create shortcut /home/user/Desktop/Zivmora1.4.desktop -> "
                       "/opt/zivmora/bin/zivmora"),
              position("show"));
    EXPECT_LT(position("show"), position("message loop"));
    EXPECT_LT(position("message loop"), position("destroy"));
    EXPECT_TRUE(application.state().local_version.empty());  // released by the exit routine
}

TEST_F(update_check, declined_prompt_keeps_the_program_running) {
    platform.http.answer.body = version_page("2");
    platform.shell.answer = ButtonCode::cancel;
    const Log log = start_up_log();
    EXPECT_EQ(testing::entries_starting_with(log, {"open", "post close"}), Log{});
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"close"}), Log{"close"});  // by user
}

TEST_F(update_check, published_full_width_version_is_shown_as_published) {
    platform.http.answer.body = version_page("１．５");
    const Log log = testing::entries_starting_with(start_up_log(), {"message box"});
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("发现新版本 (１．５版 )"), std::string::npos);
}

struct NoPromptRow {
    const char* name;
    testing::FakeAnswer answer;
};

TEST_F(update_check, no_prompt_when_nothing_newer_is_found) {
    const NoPromptRow rows[] = {
        {"same version", {.body = version_page("1.40")}},
        {"older", {.body = version_page("1.10")}},
        {"not a number", {.body = version_page("ver2.0")}},
        {"no connection", {.connect_fails = true}},
        {"invalid utf-8", {.body = version_page("1.50") + "\xc3\x28"}},
        {"gbk page", {.body = "<p>\xc9\xfd\xbc\xb6 1.50</p>"}},
        {"marker after a zero byte", {.body = std::string("x\0", 2) + version_page("1.50")}},
    };
    for (const NoPromptRow& row : rows) {
        SCOPED_TRACE(row.name);
        testing::FakePlatform fresh;
        fresh.http.answer = row.answer;
        Application program(fresh.ports(), testing::kTestAddresses);
        EXPECT_EQ(program.run(), 0);
        EXPECT_EQ(testing::entries_starting_with(fresh.log, {"message box"}), Log{});
    }
}

TEST_F(update_check, error_status_body_is_read_like_any_other) {
    // The fake answers every request with its body: a 404 page carrying the marker.
    platform.http.answer.body = "<h1>404</h1>" + version_page("1.41");
    EXPECT_EQ(testing::entries_starting_with(start_up_log(), {"message box"}).size(), 1u);
}

TEST_F(update_check, ticks_are_handled_while_the_prompt_is_open) {
    platform.http.answer.body = version_page("1.50");
    platform.clock.now = {2013, 2, 18, 0, 0, 1};
    platform.shell.while_message_box = [&] { platform.window.events().on_clock_tick(); };
    application.run();
    EXPECT_EQ(testing::entries_starting_with(platform.log, {"part 0"}),
              Log{"part 0 := '2013年2月18日0时0分1秒'"});
}

}  // namespace
}  // namespace zivmora
