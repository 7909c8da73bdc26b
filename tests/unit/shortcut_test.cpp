#include "desktop/shortcut.hpp"

#include <gtest/gtest.h>

#include "fake/fake_platform.hpp"

namespace zivmora {
namespace {

struct SplitRow {
    const char* name;
    const char* path;
    char separator;
    const char* directory;
    const char* file_name;
};

TEST(split_program_path, at_the_last_separator) {
    const SplitRow rows[] = {
        {"linux", "/opt/zivmora/bin/zivmora", '/', "/opt/zivmora/bin", "zivmora"},
        {"windows", "C:\\Programs\\Zivmora\\zivmora.exe", '\\', "C:\\Programs\\Zivmora",
         "zivmora.exe"},
        {"root folder", "/zivmora", '/', "", "zivmora"},
        {"no separator", "zivmora.exe", '\\', "", "zivmora.exe"},
        // 运 is E8 BF 90 in UTF-8; no byte of a UTF-8 character equals a separator.
        {"chinese folder", "C:\\影视\\运行.exe", '\\', "C:\\影视", "运行.exe"},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramLocation location = split_program_path(row.path, row.separator);
        EXPECT_EQ(location.directory, row.directory);
        EXPECT_EQ(location.file_name, row.file_name);
    }
}

TEST(shortcut_path, desktop_folder_and_fixed_name) {
    EXPECT_EQ(shortcut_path("/home/u/Desktop", '/', ".desktop"),
              "/home/u/Desktop/Zivmora1.4.desktop");
    EXPECT_EQ(shortcut_path("C:\\Users\\u\\Desktop\\", '\\', ".lnk"),
              "C:\\Users\\u\\Desktop\\Zivmora1.4.lnk");
    EXPECT_EQ(shortcut_path("", '\\', ".lnk"), "Zivmora1.4.lnk");
}

TEST(with_default_extension, only_a_name_without_any_dot_gets_one) {
    EXPECT_EQ(with_default_extension("C:\\Desktop\\Zivmora1.4.lnk", ".lnk"),
              "C:\\Desktop\\Zivmora1.4.lnk");
    EXPECT_EQ(with_default_extension("C:\\Desktop\\link", ".lnk"), "C:\\Desktop\\link.lnk");
}

TEST(shortcut_step, creates_a_missing_shortcut_to_the_program) {
    testing::Log log;
    testing::FakeShell shell(log);
    EXPECT_EQ(run_shortcut_step(shell, {"/opt/zivmora/bin", "zivmora"}),
              ShortcutStep::created_or_tried);
    EXPECT_EQ(log, (testing::Log{"create shortcut /home/user/Desktop/Zivmora1.4.desktop -> "
                                 "/opt/zivmora/bin/zivmora"}));
}

TEST(shortcut_step, an_existing_entry_of_any_kind_is_left_alone) {
    testing::Log log;
    testing::FakeShell shell(log);
    shell.entries.insert("/home/user/Desktop/Zivmora1.4.desktop");  // may be a folder
    EXPECT_EQ(run_shortcut_step(shell, {"/elsewhere", "renamed"}), ShortcutStep::already_there);
    EXPECT_TRUE(log.empty());
}

TEST(shortcut_step, unknown_desktop_uses_the_bare_file_name) {
    testing::Log log;
    testing::FakeShell shell(log);
    shell.desktop = "";
    run_shortcut_step(shell, {"/opt", "zivmora"});
    EXPECT_EQ(log, (testing::Log{"create shortcut Zivmora1.4.desktop -> /opt/zivmora"}));
}

}  // namespace
}  // namespace zivmora
