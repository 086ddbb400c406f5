#include "support/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using namespace gleaner;

TEST(Numbers, TruncToInt)
{
    EXPECT_EQ(truncToInt(2.9), 2);
    EXPECT_EQ(truncToInt(-2.9), -2);
    EXPECT_EQ(truncToInt(2147483647.5), INT32_MAX);
    EXPECT_EQ(truncToInt(-2147483648.9), INT32_MIN);
    // Out of range and NaN have a defined result, not undefined behaviour.
    EXPECT_EQ(truncToInt(3e9), INT32_MIN);
    EXPECT_EQ(truncToInt(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
    EXPECT_EQ(truncToInt(std::numeric_limits<double>::infinity()), INT32_MIN);
}

TEST(Numbers, FloorToIntNudgesQuotientsUp)
{
    EXPECT_LT(29.0 / 100.0 * 100.0, 29.0); // the reason for the nudge
    EXPECT_EQ(floorToInt(29.0 / 100.0 * 100.0), 29);
    for (int n = 1; n <= 300; ++n)
        EXPECT_EQ(floorToInt(static_cast<double>(n) / n * 100.0), 100) << n;
    for (int p = 1; p <= 100; ++p)
        EXPECT_EQ(floorToInt(static_cast<double>(p) / 100.0 * 100.0), p) << p;
    EXPECT_EQ(floorToInt(2.5), 2);
    EXPECT_EQ(floorToInt(0.0), 0);
}

TEST(Numbers, RealModuloTakesSignOfDividend)
{
    EXPECT_EQ(realModulo(300, 256), 44);
    EXPECT_EQ(realModulo(-7, 3), -1);
    EXPECT_EQ(realModulo(7, -3), 1);
    EXPECT_EQ(realModulo(5.5, 2), 1.5);
    EXPECT_EQ(realModulo(255, 256), 255);
}

TEST(Numbers, XorInt)
{
    EXPECT_EQ(xorInt(0x0F, 0xFF), 0xF0);
    EXPECT_EQ(xorInt(-1, 0), -1);
}

TEST(Numbers, WrappingArithmetic)
{
    EXPECT_EQ(wrapAdd(INT32_MAX, 1), INT32_MIN);
    EXPECT_EQ(wrapSub(INT32_MIN, 1), INT32_MAX);
    EXPECT_EQ(wrapMul(65536, 65536), 0);
    EXPECT_EQ(wrapMul(INT32_MAX, 10), -10);
    EXPECT_EQ(wrapMul(-3, 7), -21);
}
