#include "ui/clock.hpp"

#include <gtest/gtest.h>

namespace zivmora {
namespace {

struct ClockRow {
    const char* name;
    LocalDateTime time;
    const char* text;
};

TEST(clock_text, worked_examples) {
    const ClockRow rows[] = {
        {"seconds", {2013, 2, 18, 3, 33, 53}, "2013年2月18日3时33分53秒"},
        {"minutes", {2013, 2, 18, 15, 7, 0}, "2013年2月18日15时7分"},
        {"full hour", {2013, 2, 18, 15, 0, 0}, "2013年2月18日15时"},
        {"midnight", {2013, 2, 18, 0, 0, 0}, "2013年2月18日"},
        {"just after midnight", {2013, 2, 18, 0, 0, 9}, "2013年2月18日0时0分9秒"},
        {"minutes after midnight", {2013, 2, 18, 0, 5, 0}, "2013年2月18日0时5分"},
        {"zero minute kept", {2013, 10, 5, 9, 0, 30}, "2013年10月5日9时0分30秒"},
        {"longest", {9999, 12, 31, 23, 59, 59}, "9999年12月31日23时59分59秒"},
    };
    for (const ClockRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(clock_text(row.time), row.text);
    }
}

}  // namespace
}  // namespace zivmora
