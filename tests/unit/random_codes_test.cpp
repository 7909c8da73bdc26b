#include "navigation/random_codes.hpp"

#include <gtest/gtest.h>

#include "navigation/toolbar_actions.hpp"

namespace zivmora {
namespace {

struct Draws {
    int a, b, c;
};

Draws click(RandomCodes& codes, std::uint32_t ticks) {
    codes.seed(ticks);
    const int a = codes.draw(kRefreshRange.low, kRefreshRange.high);
    const int b = codes.draw(kPreviousRange.low, kPreviousRange.high);
    const int c = codes.draw(kNextRange.low, kNextRange.high);
    return {a, b, c};
}

TEST(random_codes, first_click_at_tick_12345) {
    RandomCodes codes;
    const Draws draws = click(codes, 12345);
    EXPECT_EQ(codes.seed_offset(), 157u);
    EXPECT_EQ(draws.a, 585);
    EXPECT_EQ(draws.b, 626);
    EXPECT_EQ(draws.c, 667);
}

TEST(random_codes, second_click_in_the_same_millisecond_differs) {
    RandomCodes codes;
    click(codes, 12345);
    codes.seed(12345);
    EXPECT_EQ(codes.state(), 12502u);
    EXPECT_EQ(codes.seed_offset(), 471u);
    const int a = codes.draw(1, 1000);
    const int b = codes.draw(500, 1000);
    const int c = codes.draw(100, 1000);
    EXPECT_EQ(a, 97);
    EXPECT_EQ(b, 723);
    EXPECT_EQ(c, 808);
}

TEST(random_codes, tick_zero) {
    RandomCodes codes;
    const Draws draws = click(codes, 0);
    EXPECT_EQ(draws.a, 39);
    EXPECT_EQ(draws.b, 704);
    EXPECT_EQ(draws.c, 615);
}

TEST(random_codes, seeding_wraps_at_32_bits) {
    RandomCodes codes;
    codes.seed(0xFFFFFFFFu);
    EXPECT_EQ(codes.state(), 0xFFFFFFFFu);
    EXPECT_EQ(codes.seed_offset(), 0xFFu + 100u);
    codes.seed(0xFFFFFFFFu);
    EXPECT_EQ(codes.state(), 0xFFFFFFFFu + 0xFFu + 100u);  // wrapped
}

TEST(random_codes, draws_stay_in_their_ranges) {
    RandomCodes codes;
    for (std::uint32_t ticks = 0; ticks < 20000; ticks += 7) {
        const Draws draws = click(codes, ticks);
        ASSERT_GE(draws.a, 1);
        ASSERT_LE(draws.a, 1000);
        ASSERT_GE(draws.b, 500);
        ASSERT_LE(draws.b, 1000);
        ASSERT_GE(draws.c, 100);
        ASSERT_LE(draws.c, 1000);
    }
}

}  // namespace
}  // namespace zivmora
