// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the program keeps them: exact decimal sums, rounding, and numbers as text.
#include "shared/decimal_sum.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace tallisto {
namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

// Equal, or both not a number.
bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

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

    // Added to itself, a sum keeps 36 digits however far it grows past them.
    DecimalSum doubled(0.1);
    for (int i = 0; i < 200; ++i)
        doubled.add(doubled);
    EXPECT_EQ(doubled.value(), std::ldexp(0.1, 200));
}

// Halves of the digits as typed, although 33.335 and 2.675 are stored just below them. A value
// past the range of a double stays infinite, and one that is not a number stays so: neither turns
// into a grade boundary of 0 or a finite number that looks real.
TEST(Rounding, twoPlacesRoundTheDecimalDigitsHalfToEven) {
    const std::pair<double, double> cases[] = {
        {33.335, 33.34}, {33.345, 33.34}, {2.675, 2.68}, {-2.675, -2.68}, {99.995, 100}, {0.005, 0},
        {0.015, 0.02},   {1e300, 1e300},  {inf, inf},    {-inf, -inf},    {nan, nan},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_PRED2(same, roundTo2Places(value), rounded) << value;
    for (const double value : {inf, -inf, nan})
        EXPECT_FALSE(toInt16(value)) << value;
}

TEST(Rounding, partsRoundToTheNearestHalfWithTiesToTheWholeNumber) {
    const std::pair<double, double> cases[] = {
        {72.2, 72},    {72.3, 72.5}, {72.25, 72}, {72.75, 73},  {-72.25, -72},
        {-72.75, -73}, {0, 0},       {0.25, 0},   {72.5, 72.5}, {71.5 / 100 * 20, 14.5},
        {inf, inf},    {-inf, -inf}, {nan, nan},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_PRED2(same, RoundToParts(value, 2), rounded) << value;
    // Grading rounds a percentage that may already be rounded: twice must change nothing.
    for (double value = -100; value <= 100; value += 0.05) {
        double once = RoundToParts(value, 2);
        EXPECT_EQ(RoundToParts(once, 2), once) << value;
        EXPECT_LE(std::fabs(once - value), 0.25 + 1e-9) << value;
    }
}

TEST(NumberText, textIsReadFromItsLeadingNumber) {
    const std::string longThird = "0." + std::string(400, '3') + "xyz";
    // name, text, value, found, out of range
    const std::tuple<const char*, std::string, double, bool, bool> cases[] = {
        {"text after the number", "45abc", 45, true, false},
        {"blanks after the sign", " - 4", -4, true, false},
        {"blanks, tabs and line breaks inside", "1\t2\r\n3 4", 1234, true, false},
        {"exponent with blanks", "2 e - 3", 0.002, true, false},
        {"E and sign without digits end before the E", "2e+x", 2, true, false},
        {"a long run of digits reads as its nearest double", longThird, 1.0 / 3, true, false},
        {"no number", "abc", 0, false, false},
        {"too large", "1E400", 0, true, true},
        {"too large by its digits", "0.001e400", 0, true, true},
        {"too small is zero", "1000e-330", 0, true, false},
        {"zero with a huge exponent", "0e999999999999", 0, true, false},
    };
    for (const auto& [name, text, value, found, outOfRange] : cases) {
        const LeadingNumber read = readLeadingNumber(text);
        EXPECT_EQ(std::tuple(read.value, read.found, read.outOfRange, numberValue(text)),
                  std::tuple(value, found, outOfRange, value))
            << name;
    }
}

// The general number format is C's "%.15G" with a capital E: at most 15 significant digits, the
// exponent form from 1E15 and below 1E-4. The program writes and reads plain decimals without the
// C library where a value allows it: text and value must be the library's all the same, at every
// size and number of decimals. What is not a finite number never becomes text.
TEST(NumberText, numbersAreWrittenAndReadAsTheGeneralFormatterAndParserDo) {
    EXPECT_EQ(numberText(-0.0), "0");
    for (const double value : {inf, -inf, nan})
        EXPECT_EQ(numberText(value), "0") << value;
    const auto general = [](double value) {
        char text[40];
        std::snprintf(text, sizeof text, "%.15G", value == 0 ? 0.0 : value);
        return std::string(text);
    };
    std::mt19937_64 random(17);
    std::vector<double> values = {40,    0.1 + 0.2, 1e15,   1e-4,      2.5,       33.33,
                                  2.675, 6.02e23,   1.5e-7, 1.2345e-4, 9.9999e-5, 1.0 / 3};
    values.insert(values.end(), {999999999999999, 999999999999999.9, 99999999999999.9,
                                 12345678.12345678, 123456789012345678.0});
    for (int places = 0; places <= 9; ++places) {
        for (int i = 0; i < 2000; ++i) {
            const auto digits = static_cast<std::int64_t>(random() % 1'000'000'000'000'000);
            values.push_back(static_cast<double>(digits) / std::pow(10.0, places + i % 7));
            values.push_back(static_cast<double>(digits % 100'000) / std::pow(10.0, places));
        }
    }
    for (const double value : values) {
        for (const double sign : {1, -1}) {
            const std::string text = general(sign * value);
            ASSERT_EQ(numberText(sign * value), text) << sign * value;
            ASSERT_LE(text.size(), longestNumberText) << text;
            ASSERT_EQ(numberValue(text), std::strtod(text.c_str(), nullptr)) << text;
        }
    }
    for (const std::string text : {"-0", "5.", "-.5", ".25", "0.05", "007", "123456789012345",
                                   "1234567890123456", "12.345678901234567", "-100.01"}) {
        EXPECT_EQ(numberValue(text), std::strtod(text.c_str(), nullptr)) << text;
        EXPECT_EQ(std::signbit(numberValue(text)), text.front() == '-') << text;
    }
}

// Marks are mostly written as the general format writes them already: such text is taken as it
// is, and any other is read and written again. Either way the result is what reading and writing
// give, for every sign, size, number of digits and stray zero.
TEST(NumberText, numbersWrittenSoAlreadyAreTakenAsTheyAre) {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "8",
                                      "12.5",
                                      "0.0001",
                                      "0.00009",
                                      "-0.0001",
                                      "0.10",
                                      "5.",
                                      ".5",
                                      "05",
                                      "+5",
                                      "1 2",
                                      "8abc",
                                      "",
                                      "-",
                                      "-.5",
                                      "1E+15",
                                      "0.0000",
                                      "-12.50",
                                      "999999999999999",
                                      "1000000000000000",
                                      "99999999999999.9",
                                      "0.000123456789012345",
                                      "0.0001234567890123456"};
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const double sign = random() % 2 ? 1 : -1;
        const auto digits = static_cast<double>(random() % 10'000'000'000'000'000);
        const std::string written =
            numberText(sign * digits / std::pow(10.0, static_cast<double>(random() % 24)));
        for (const std::string& text : {written, written + "0", "0" + written})
            texts.push_back(text);
        std::string drawn(1 + random() % 18, '0');
        for (char& c : drawn)
            c = static_cast<char>('0' + random() % 10);
        if (random() % 2) drawn.insert(random() % (drawn.size() + 1), ".");
        texts.push_back(random() % 3 ? drawn : "-" + drawn);
    }
    for (const std::string& text : texts)
        ASSERT_EQ(numberAsWritten(text), numberText(numberValue(text))) << text;
}

} // namespace
} // namespace tallisto
