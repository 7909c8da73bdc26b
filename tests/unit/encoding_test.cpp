#include "update/encoding.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/linux/iconv_converter.hpp"
#include "update/version_marker.hpp"

namespace zivmora {
namespace {

Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}
std::string text(const Bytes& data) {
    return std::string(data.begin(), data.end());
}

// A converter that doubles every byte, so the output needs twice the input's room, and
// records how much room it was offered each time.
class DoublingConverter final : public EncodingConverter {
public:
    std::vector<std::size_t> offered;
    bool unknown_names = false;

    std::unique_ptr<EncodingConversion> open(std::string_view, std::string_view) override {
        if (unknown_names) {
            return nullptr;
        }
        return std::make_unique<Doubling>(offered);
    }

private:
    class Doubling final : public EncodingConversion {
    public:
        explicit Doubling(std::vector<std::size_t>& offered) : offered_(offered) {}
        ConversionStop convert(const char*& input, std::size_t& input_left, char*& output,
                               std::size_t& output_left) override {
            offered_.push_back(output_left);
            while (input_left > 0) {
                if (output_left < 2) {
                    return ConversionStop::output_full;
                }
                *output++ = *input;
                *output++ = *input++;
                output_left -= 2;
                --input_left;
            }
            return ConversionStop::done;
        }

    private:
        std::vector<std::size_t>& offered_;
    };
};

TEST(convert_encoding, grows_by_half_the_input_plus_128) {
    DoublingConverter converter;
    bool success = false;
    const Bytes result = convert_encoding(converter, Bytes(1000, 'a'), "x", "y", &success);
    EXPECT_TRUE(success);
    EXPECT_EQ(result, Bytes(2000, 'a'));
    // 1000 bytes of room, then 628 more each time until 2000 fit: 1628, 2256.
    EXPECT_EQ(converter.offered, (std::vector<std::size_t>{1000, 628, 628}));
}

TEST(convert_encoding, gives_up_after_eleven_enlargements) {
    // Always out of room: the first try and eleven enlargements, then the conversion fails.
    class Insatiable final : public EncodingConverter {
    public:
        int calls = 0;
        std::unique_ptr<EncodingConversion> open(std::string_view, std::string_view) override {
            struct Conversion final : EncodingConversion {
                int& calls;
                explicit Conversion(int& c) : calls(c) {}
                ConversionStop convert(const char*&, std::size_t&, char*&, std::size_t&) override {
                    ++calls;
                    return ConversionStop::output_full;
                }
            };
            return std::make_unique<Conversion>(calls);
        }
    } converter;
    bool success = true;
    EXPECT_TRUE(convert_encoding(converter, bytes("abc"), "x", "y", &success).empty());
    EXPECT_FALSE(success);
    EXPECT_EQ(converter.calls, 1 + kLargestEnlargementCount);
}

TEST(convert_encoding, unknown_names_fail_and_empty_input_succeeds) {
    DoublingConverter converter;
    bool success = true;
    converter.unknown_names = true;
    EXPECT_TRUE(convert_encoding(converter, bytes("abc"), "x", "y", &success).empty());
    EXPECT_FALSE(success);
    converter.unknown_names = false;
    EXPECT_TRUE(convert_encoding(converter, {}, "x", "y", &success).empty());
    EXPECT_TRUE(success);
}

struct IconvRow {
    const char* name;
    std::string utf8;
    bool success;
    std::string gb18030;
};

TEST(convert_encoding, utf8_to_gb18030_over_iconv) {
    const IconvRow rows[] = {
        {"ascii unchanged", "version 1.50 <p>", true, "version 1.50 <p>"},
        {"chinese", "升级", true, "\xc9\xfd\xbc\xb6"},
        {"byte-order mark converted",
         "\xef\xbb\xbf"
         "a",
         true,
         "\x84\x31\x95\x33"
         "a"},
        {"invalid pair",
         "ab\xc3\x28"
         "cd",
         false, ""},
        {"ends inside a character", "ab\xe5\x8d", false, ""},
        {"gbk bytes are not utf-8", "\xc9\xfd\xbc\xb6", false, ""},
        {"outside gbk", "\xf0\x9f\x98\x80", true, "\x94\x39\xfc\x36"},
    };
    linux_platform::IconvConverter converter;
    for (const IconvRow& row : rows) {
        SCOPED_TRACE(row.name);
        bool success = !row.success;
        EXPECT_EQ(text(convert_encoding(converter, bytes(row.utf8), "UTF-8", "GB18030", &success)),
                  row.gb18030);
        EXPECT_EQ(success, row.success);
    }
}

TEST(convert_encoding, names_ignore_case_and_unknown_names_fail) {
    linux_platform::IconvConverter converter;
    EXPECT_EQ(text(convert_encoding(converter, bytes("a"), "utf-8", "gb18030")), "a");
    bool success = true;
    EXPECT_TRUE(convert_encoding(converter, bytes("a"), "UTF-8", "NO-SUCH-CODE", &success).empty());
    EXPECT_FALSE(success);
}

TEST(convert_encoding, character_missing_from_the_target_fails) {
    linux_platform::IconvConverter converter;
    bool success = true;
    EXPECT_TRUE(
        convert_encoding(converter, bytes("\xf0\x9f\x98\x80"), "UTF-8", "GBK", &success).empty());
    EXPECT_FALSE(success);
}

TEST(version_marker, is_the_gb18030_form_of_the_paragraph) {
    linux_platform::IconvConverter converter;
    const std::string utf8 = "p>升级不升级你得看我的版本号sew/(.*?)khj更改情况就知道了。</p>";
    EXPECT_EQ(text(convert_encoding(converter, bytes(utf8), "UTF-8", "GB18030")),
              std::string(kVersionMarker));
}

}  // namespace
}  // namespace zivmora
