#include "core/Dice.h"

#include <gtest/gtest.h>

#include <map>

namespace kv {
namespace {

TEST(Dice, DegenerateRollsAreFixed) {
    Random rng(1);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Dice(rng, 0, 6, 3), 3);
        EXPECT_EQ(Dice(rng, -2, 6, 3), 3);
        EXPECT_EQ(Dice(rng, 2, 1, 0), 2);
        EXPECT_EQ(Dice(rng, 1, 0, 0), 1);
        EXPECT_LE(Dice(rng, 1, -5, 0), 1);
        EXPECT_GE(Dice(rng, 1, -5, 0), -4);
    }
}

TEST(Dice, EveryFaceComesUpAndNoOther) {
    Random rng(12345);
    std::map<int, int> seen;
    for (int i = 0; i < 60000; ++i) ++seen[Dice(rng, 1, 6, 0)];
    ASSERT_EQ(seen.size(), 6u);
    for (const auto& [face, times] : seen) {
        EXPECT_GE(face, 1);
        EXPECT_LE(face, 6);
        EXPECT_NEAR(times, 10000, 600) << "face " << face;  // a fair die, well within chance
    }
}

TEST(Dice, SumsStayInRangeAndSaturate) {
    Random rng(7);
    for (int i = 0; i < 1000; ++i) {
        const int r = Dice(rng, 3, 8, 2);
        EXPECT_GE(r, 5);
        EXPECT_LE(r, 26);
    }
    EXPECT_EQ(Dice(rng, 0, 0, INT32_MAX), INT32_MAX);
    EXPECT_EQ(Dice(rng, 30000, 30000, INT32_MAX), INT32_MAX);
}

TEST(Random, SameSeedSameSequenceAndSeedsDiffer) {
    Random a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const uint64_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
    Random zero(0);
    EXPECT_NE(zero.Next(), 0u) << "a zero seed must still give a working generator";
}

TEST(Random, BetweenCoversBothEndsAndHandlesOddRanges) {
    Random rng(3);
    bool low = false, high = false;
    for (int i = 0; i < 2000; ++i) {
        const int v = rng.Between(-2, 2);
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 2);
        low |= v == -2;
        high |= v == 2;
    }
    EXPECT_TRUE(low && high);
    EXPECT_EQ(rng.Between(5, 5), 5);
    EXPECT_EQ(rng.Between(9, 1), 9);
    const int wide = rng.Between(INT32_MIN, INT32_MAX);
    (void)wide;  // the full range must not overflow (UBSan watches this)
}

}  // namespace
}  // namespace kv
