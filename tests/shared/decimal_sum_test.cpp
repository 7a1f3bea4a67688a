// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/decimal_sum.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>
#include <vector>

namespace tallisto {
namespace {

const double inf = std::numeric_limits<double>::infinity();

DecimalSum sumOf(const std::vector<double>& addends) {
    DecimalSum sum;
    for (double addend : addends)
        sum.add(addend);
    return sum;
}

TEST(DecimalSum, AddsTheDecimalsAsWrittenWhateverTheirSizes) {
    const std::vector<double> tenths(10, 0.1);
    const std::tuple<const char*, std::vector<double>, double> cases[] = {
        {"tenths make a whole", tenths, 1},
        {"a computed addend counts with 15 digits", {0.1 + 0.2, -0.3}, 0},
        {"a small addend outlives a large one taken back", {1e20, 0.1, -1e20}, 0.1},
        {"digits beyond 36 are rounded, halves to even", {1e35, 0.5, 1.5, -1e35}, 2},
        {"beyond a double's range the value is infinite", {1e308, 1e308}, inf},
        {"and comes back when taken out again", {1e308, 1e308, -1e308}, 1e308},
        {"below it the value is 0", {1e-300, -9.99999999999999e-301}, 1e-315},
        {"an infinite addend stays", {1, inf}, inf},
    };
    for (const auto& [name, addends, value] : cases)
        EXPECT_EQ(sumOf(addends).value(), value) << name;
}

TEST(DecimalSum, ComparesAndScalesExactly) {
    EXPECT_TRUE(sumOf({33.33, 33.33, 33.33, 0.01}).timesPowerOfTen(2) == DecimalSum(10000));
    EXPECT_TRUE(sumOf({60, 40.01}) >= DecimalSum(100.01));
    EXPECT_TRUE(sumOf({60, 40}) < DecimalSum(100.01));
    DecimalSum left(100);
    left.subtract(sumOf({33.33, 33.33}));
    EXPECT_EQ(left.value(), 33.34);
}

} // namespace
} // namespace tallisto
