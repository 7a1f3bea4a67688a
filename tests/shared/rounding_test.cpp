// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tallisto {
namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

// Halves of the digits as typed, although 33.335 and 2.675 are stored just below them.
TEST(Rounding, twoPlacesRoundTheDecimalDigitsHalfToEven) {
    const std::pair<double, double> cases[] = {
        {33.335, 33.34}, {33.345, 33.34}, {2.675, 2.68}, {-2.675, -2.68},
        {99.995, 100},   {0.005, 0},      {0.015, 0.02}, {1e300, 1e300},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundTo2Places(value), rounded) << value;
}

TEST(Rounding, partsRoundToTheNearestHalfWithTiesToTheWholeNumber) {
    const std::pair<double, double> cases[] = {
        {72.2, 72},    {72.3, 72.5}, {72.25, 72}, {72.75, 73},  {-72.25, -72},
        {-72.75, -73}, {0, 0},       {0.25, 0},   {72.5, 72.5}, {71.5 / 100 * 20, 14.5},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundToParts(value, 2), rounded) << value;
    // Grading rounds a percentage that may already be rounded: twice must change nothing.
    for (double value = -100; value <= 100; value += 0.05) {
        double once = RoundToParts(value, 2);
        EXPECT_EQ(RoundToParts(once, 2), once) << value;
        EXPECT_LE(std::fabs(once - value), 0.25 + 1e-9) << value;
    }
}

// A percentage past the range of a double stays infinite, and one that is not a number stays so:
// neither turns into a grade boundary of 0 or a finite number that looks real.
TEST(Rounding, infinityAndNotANumberPassThroughUnchanged) {
    for (const double value : {inf, -inf}) {
        EXPECT_EQ(roundTo2Places(value), value);
        EXPECT_EQ(RoundToParts(value, 2), value);
        EXPECT_FALSE(toInt16(value)) << value;
    }
    EXPECT_TRUE(std::isnan(roundTo2Places(nan)));
    EXPECT_TRUE(std::isnan(RoundToParts(nan, 2)));
    EXPECT_FALSE(toInt16(nan));
}

} // namespace
} // namespace tallisto
