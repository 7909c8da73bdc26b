#include "platform/linux/desktop_entry.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zivmora::linux_platform {
namespace {

std::string exec_line(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Exec=")) {
            return line;
        }
    }
    return {};
}

struct ExecRow {
    const char* name;
    const char* target;
    const char* exec;
};

TEST(desktop_entry_text, quotes_and_escapes_the_target) {
    const ExecRow rows[] = {
        {"plain", "/opt/zivmora/zivmora", R"(Exec="/opt/zivmora/zivmora")"},
        {"blank", "/opt/my apps/zivmora", R"(Exec="/opt/my apps/zivmora")"},
        {"quote", "/opt/a\"b/zivmora", R"(Exec="/opt/a\\"b/zivmora")"},
        {"dollar and backtick", "/opt/$x`y/zivmora", R"(Exec="/opt/\\$x\\`y/zivmora")"},
        {"backslash", "/opt/a\\b/zivmora", R"(Exec="/opt/a\\\\b/zivmora")"},
        {"percent", "/opt/100%/zivmora", R"(Exec="/opt/100%%/zivmora")"},
        {"chinese", "/opt/影视/zivmora", R"(Exec="/opt/影视/zivmora")"},
    };
    for (const ExecRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(exec_line(desktop_entry_text(row.target, "")), row.exec);
    }
}

TEST(desktop_entry_text, names_the_icon_when_there_is_one) {
    const std::string text = desktop_entry_text("/opt/z", "/opt/zivmora.svg");
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\nType=Application\n"));
    EXPECT_NE(text.find("\nIcon=/opt/zivmora.svg\n"), std::string::npos);
    EXPECT_EQ(desktop_entry_text("/opt/z", "").find("Icon="), std::string::npos);
}

class desktop_entry_file : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zivmora-entry-XXXXXX";
        folder = ::mkdtemp(pattern);
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }
    std::string folder;
};

TEST_F(desktop_entry_file, is_written_executable_and_never_over_something_else) {
    const std::string path = folder + "/Zivmora1.4.desktop";
    EXPECT_FALSE(entry_exists(path));
    ::umask(077);  // the execute bits must not depend on the umask
    ASSERT_TRUE(write_desktop_entry(path, "/opt/zivmora", ""));
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0755u);
    std::ifstream written(path);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), desktop_entry_text("/opt/zivmora", ""));
    EXPECT_FALSE(write_desktop_entry(path, "/elsewhere", ""));  // an existing file stays
    ::umask(022);
}

TEST_F(desktop_entry_file, folders_and_dangling_links_count_as_there) {
    const std::string folder_entry = folder + "/a-folder";
    ASSERT_EQ(::mkdir(folder_entry.c_str(), 0755), 0);
    EXPECT_TRUE(entry_exists(folder_entry));
    const std::string link = folder + "/dangling";
    ASSERT_EQ(::symlink("/nowhere/at/all", link.c_str()), 0);
    EXPECT_TRUE(entry_exists(link));
    EXPECT_FALSE(write_desktop_entry(folder + "/missing-folder/x.desktop", "/opt/z", ""));
}

}  // namespace
}  // namespace zivmora::linux_platform
