#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "platform/linux/iconv_converter.hpp"
#include "update/encoding.hpp"
#include "update/update_check.hpp"
#include "update/version_marker.hpp"
#include "update/version_number.hpp"

namespace zivmora {
namespace {

// Test texts are written in UTF-8 and searched, as the program does, in GB18030.
std::string gb(std::string_view utf8) {
    linux_platform::IconvConverter converter;
    const Bytes converted =
        convert_encoding(converter, Bytes(utf8.begin(), utf8.end()), "UTF-8", "GB18030");
    return std::string(converted.begin(), converted.end());
}

std::string paragraph(std::string_view version) {
    return "<p>升级不升级你得看我的版本号sew/" + std::string(version) + "khj更改情况就知道了。</p>";
}

struct NumberRow {
    const char* name;
    std::string text;  // UTF-8
    double value;
};

TEST(text_to_number, reads_decimal_numbers_only) {
    const NumberRow rows[] = {
        {"plain", "1.40", 1.4},
        {"integer", "2", 2},
        {"leading blank", " 1.5", 1.5},
        {"leading line break", "\n\t1.5", 1.5},
        {"trailing text", "1.5beta", 1.5},
        {"version with two dots", "1.5.2", 1.5},
        {"full width", "１．５", 1.5},
        {"ideographic space", "\u30001.5", 1.5},
        {"sign", "-2", -2},
        {"plus sign", "+3", 3},
        {"exponent", "1e2", 100},
        {"dangling exponent", "1.5e", 1.5},
        {"leading point", ".5", 0.5},
        {"trailing point", "7.", 7},
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"prefix word", "ver2.0", 0},
        {"infinity word", "inf", 0},
        {"nan word", "nan", 0},
        {"hexadecimal", "0x1A", 0},
        {"only a point", ".", 0},
        {"chinese first", "版1.5", 0},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(text_to_number(gb(row.text)), row.value);
    }
}

TEST(text_to_number, overflow_reads_as_infinity_never_nan) {
    const double huge = text_to_number("1e999");
    EXPECT_TRUE(std::isinf(huge) && huge > 0);
    EXPECT_EQ(text_to_number("1e-999"), 0.0);
}

TEST(text_to_number, ignores_the_process_locale) {
    // Build a locale whose decimal separator is a comma; "1.5" must still read as 1.5.
    const std::string folder = ::testing::TempDir() + "zivmora-locales";
    const std::string command = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" +
                                folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "localedef could not build de_DE.UTF-8";
    ::setenv("LOCPATH", folder.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    EXPECT_DOUBLE_EQ(text_to_number("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(text_to_number("1,5"), 1.0);
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
}

TEST(normalise_full_width, table) {
    EXPECT_EQ(normalise_full_width("\xa1\xa1\xa1\xab\xa1\xee\xa1\xef"), " ~**");
    EXPECT_EQ(normalise_full_width("\xa3\xa1\xa3\xfe"), "!~");
    EXPECT_EQ(normalise_full_width("\xb0\xe6"
                                   "1"),
              "\xb0\xe6"
              "1");                                 // other pairs kept
    EXPECT_EQ(normalise_full_width("1\xa3"), "1");  // lone lead byte dropped
}

struct PageRow {
    const char* name;
    std::string page;  // UTF-8
    std::string version;
};

TEST(published_version, last_marker_wins) {
    const PageRow rows[] = {
        {"one paragraph", "<html>" + paragraph("1.50") + "</html>", "1.50"},
        {"two markers, last counts", paragraph("9.9") + paragraph("1.0"), "1.0"},
        {"last marker empty", paragraph("9.9") + paragraph(""), ""},
        {"capital latin letters", "<P>升级不升级你得看我的版本号SEW/2.5KHJ更改情况就知道了。</P>",
         "2.5"},
        {"line break inside", paragraph("1.5\n"), "1.5\n"},
        {"blank before", paragraph(" 1.5"), " 1.5"},
        {"full width", paragraph("１．５"), "１．５"},
        {"opening without ending runs to the next ending",
         "<p>升级不升级你得看我的版本号sew/1.1" + paragraph("1.2"),
         "1.1<p>升级不升级你得看我的版本号sew/1.2"},
        {"no marker", "<p>nothing here</p>", ""},
        {"chinese must match exactly",
         "<p>升级不升级你得看我的版本sew/1.5khj更改情况就知道了。</p>", ""},
        {"empty page", "", ""},
    };
    for (const PageRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(published_version(gb(row.page)), gb(row.version));
    }
}

TEST(published_version, runaway_search_counts_as_no_match) {
    // Megabytes of openings without an ending exceed the engine's complexity bound.
    std::string page;
    const std::string opening = gb("p>升级不升级你得看我的版本号sew/");
    while (page.size() < 4u * 1024u * 1024u) {
        page += opening;
    }
    EXPECT_EQ(published_version(page), "");
}

TEST(regex_object, search_all_and_submatch) {
    RegexObject regex;
    EXPECT_TRUE(regex.empty());
    EXPECT_FALSE(regex.compile("(unclosed"));
    EXPECT_TRUE(regex.empty());
    EXPECT_TRUE(regex.compile("a(b*)c"));
    const std::string text = "xac abbc";
    const auto matches = regex.search_all(text);
    ASSERT_EQ(matches.size(), 2u);
    std::size_t start = 99;
    EXPECT_EQ(submatch_text(matches[0], text, 1, &start), "");
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(submatch_text(matches[1], text, 0), "abbc");
    EXPECT_EQ(submatch_text(matches[1], text, 1), "bb");
    EXPECT_EQ(submatch_text(matches[1], text, 5), "");
    EXPECT_FALSE(regex.compile("(bad"));
    EXPECT_EQ(regex.search_all(text).size(), 2u);  // the old pattern is kept
}

TEST(regex_object, search_beyond_the_complexity_bound_is_no_further_match) {
    RegexObject regex;
    ASSERT_TRUE(regex.compile("(a|aa)*c"));
    EXPECT_TRUE(regex.search_all(std::string(1000, 'a')).empty());
}

TEST(published_version, closing_texts_in_capitals_bound_the_search_too) {
    const std::string page = gb("<P>升级不升级你得看我的版本号SEW/3KHJ更改情况就知道了。</P>") +
                             gb("p>升级不升级你得看我的版本号sew/ 未完");
    EXPECT_EQ(published_version(page), "3");
}

TEST(regex_object, case_insensitivity_does_not_fold_high_bytes) {
    RegexObject regex;
    regex.compile("\xc9", false);  // a GBK lead byte; Latin-1 would pair it with 0xE9
    EXPECT_TRUE(regex.search_all("\xe9").empty());
    EXPECT_EQ(regex.search_all("\xc9").size(), 1u);
}

struct NewerRow {
    const char* name;
    std::string published;
    bool prompt;
};

TEST(is_newer, tolerance_and_decimal_comparison) {
    const NewerRow rows[] = {
        {"same", "1.40", false},
        {"same short", "1.4", false},
        {"same long", "1.400", false},
        {"within tolerance", "1.40000005", false},
        {"beyond tolerance", "1.4000002", true},
        {"1.41", "1.41", true},
        {"2", "2", true},
        {"10", "10", true},
        {"1.10 is older", "1.10", false},
        {"1.5beta", "1.5beta", true},
        {"blank before", " 1.5", true},
        {"full width", "１．５", true},
        {"ver2.0", "ver2.0", false},
        {"abc", "abc", false},
        {"empty", "", false},
    };
    const double local = text_to_number(kLocalVersion);
    for (const NewerRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(is_newer(local, text_to_number(gb(row.published))), row.prompt);
    }
}

TEST(update_prompt, message_and_style) {
    EXPECT_EQ(update_prompt_message("1.50"),
              "发现新版本 (1.50版 ) 请及时更新！！！如果你现在不想更新可按取消跳过升级！");
    EXPECT_EQ(update_prompt_style(), 0x40001u);
    EXPECT_EQ(effective_message_box_style(0x40001u), 0x42001u);
    EXPECT_EQ(effective_message_box_style(0x1001u), 0x1001u);  // system-modal stays
}

}  // namespace
}  // namespace zivmora
