#include "core/error.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace mosaikon {
namespace {

TEST(Numbers, RoundHalfEven) {
    struct Case {
        double in;
        double out;
    };
    for (const Case c : {Case{2.5, 2},
                         {3.5, 4},
                         {-0.5, 0},
                         {-1.5, -2},
                         {0.49999, 0},
                         {1.5000001, 2},
                         {-2.5, -2},
                         {255.5, 256},
                         {31.5, 32},
                         {-31.5, -32}})
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(Numbers, NarrowingRaisesOverflowInsteadOfWrapping) {
    EXPECT_EQ(narrow<std::uint8_t>(255), 255);
    EXPECT_EQ(narrow<std::int16_t>(-32768), -32768);
    for (long long v : {256LL, -1LL, 70000LL}) {
        try {
            (void)narrow<std::uint8_t>(v);
            FAIL() << v;
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), Overflow);
            EXPECT_EQ(e.description(), "Overflow");
        }
    }
    EXPECT_EQ(narrowRounded<std::uint8_t>(255.4), 255);
    EXPECT_THROW((void)narrowRounded<std::uint8_t>(255.5), Error);
    EXPECT_EQ(narrowRounded<std::uint8_t>(-0.5), 0);
    EXPECT_THROW((void)narrowRounded<std::int16_t>(0.0 / 0.0), Error);
    EXPECT_THROW((void)narrowRounded<long long>(9223372036854775808.0), Error);
    EXPECT_EQ(narrowRounded<long long>(-9223372036854775808.0), LLONG_MIN);
}

TEST(Numbers, Wrap8IsTwosComplementLowByte) {
    EXPECT_EQ(wrap8(-120), 0x88);
    EXPECT_EQ(wrap8(-8), 0xF8);
    EXPECT_EQ(wrap8(112), 0x70);
    EXPECT_EQ(wrap8(0), 0x00);
}

} // namespace
} // namespace mosaikon
