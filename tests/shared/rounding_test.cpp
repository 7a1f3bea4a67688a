#include "shared/rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tallisto {
namespace {

struct RoundCase {
    const char* name;
    double value;
    double rounded;
};

TEST(Rounding, twoPlacesRoundTheDecimalDigitsHalfToEven) {
    const RoundCase cases[] = {
        {"half above an odd digit goes up", 33.335, 33.34},
        {"half above an even digit goes down", 33.345, 33.34},
        {"2.675 is a half although stored below it", 2.675, 2.68},
        {"half above zero goes down", 0.125, 0.12},
        {"negative half", -0.125, -0.12},
        {"negative half up", -2.675, -2.68},
        {"below half", 33.333, 33.33},
        {"more than a half", 0.0051, 0.01},
        {"long fraction", 78.3333333, 78.33},
        {"carry into the integer part", 9.995, 10},
        {"carry past all nines", 99.999, 100},
        {"drops to a whole number", 100.004, 100},
        {"exact half of a hundredth to zero", 0.005, 0},
        {"exact half of a hundredth to two", 0.015, 0.02},
        {"too small for two places", 0.0004, 0},
        {"already two places", 12.5, 12.5},
        {"huge value", 1e300, 1e300},
        {"zero", 0, 0},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(roundTo2Places(c.value), c.rounded) << c.name;
}

TEST(Rounding, twoPlacesLeaveValuesThatAreNotFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundTo2Places(inf), inf);
    EXPECT_EQ(roundTo2Places(-inf), -inf);
    EXPECT_TRUE(std::isnan(roundTo2Places(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Rounding, partsRoundToTheNearestHalfWithTiesToTheWholeNumber) {
    const RoundCase cases[] = {
        {"below a quarter", 72.2, 72},
        {"above a quarter", 72.3, 72.5},
        {"quarter goes to the whole number below", 72.25, 72},
        {"three quarters go to the whole number above", 72.75, 73},
        {"negative quarter", -72.25, -72},
        {"negative three quarters", -72.75, -73},
        {"zero", 0, 0},
        {"a quarter goes to zero", 0.25, 0},
        {"score 14.3 out of 20", 71.5 / 100 * 20, 14.5},
        {"score 14.2 out of 20", 71.0 / 100 * 20, 14},
        {"a half stays", 72.5, 72.5},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(RoundToParts(c.value, 2), c.rounded) << c.name;
}

TEST(Rounding, roundingToPartsTwiceChangesNothing) {
    for (double value = -100; value <= 100; value += 0.05) {
        double once = RoundToParts(value, 2);
        EXPECT_EQ(RoundToParts(once, 2), once) << value;
        EXPECT_LE(std::fabs(once - value), 0.25 + 1e-9) << value;
    }
}

struct IntCase {
    const char* name;
    double value;
    std::optional<std::int16_t> result;
};

TEST(Rounding, sixteenBitIntegersRoundHalvesToEvenAndRefuseTheRest) {
    const IntCase cases[] = {
        {"half to even below", 2.5, 2},
        {"half to even above", 3.5, 4},
        {"negative half", -2.5, -2},
        {"ordinary", 7.4, 7},
        {"largest", 32767.4, 32767},
        {"rounds past the largest", 32767.5, std::nullopt},
        {"smallest half", -32768.5, -32768},
        {"below the smallest", -32769, std::nullopt},
        {"infinity", std::numeric_limits<double>::infinity(), std::nullopt},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const IntCase& c : cases)
        EXPECT_EQ(toInt16(c.value), c.result) << c.name;
}

} // namespace
} // namespace tallisto
