// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/number_text.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace tallisto {
namespace {

TEST(NumberText, numbersBecomeTheirGeneralTextAndReadBack) {
    const std::tuple<const char*, double, const char*> cases[] = {
        {"integral value has no point", 40, "40"},
        {"binary noise is cut at 15 digits", 0.1 + 0.2, "0.3"},
        {"a third has 15 significant digits", 1.0 / 3, "0.333333333333333"},
        {"largest plain integer", 999999999999999, "999999999999999"},
        {"1E15 takes the exponent form", 1e15, "1E+15"},
        {"rounding to 15 digits can reach 1E15", 999999999999999.9, "1E+15"},
        {"long integers are cut to 15 digits", 123456789012345678.0, "1.23456789012346E+17"},
        {"1E-4 is still plain", 0.0001, "0.0001"},
        {"below 1E-4 takes the exponent form", -1.5e-7, "-1.5E-07"},
        {"negative zero", -0.0, "0"},
        {"infinity never becomes text", std::numeric_limits<double>::infinity(), "0"},
        {"nor does not-a-number", std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const auto& [name, value, text] : cases)
        EXPECT_EQ(numberText(value), text) << name;
    for (double value : {33.33, 0.1, -2.675, 1e-7, 6.02e23, 123456789012345.0})
        EXPECT_EQ(numberValue(numberText(value)), value) << numberText(value);
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
        LeadingNumber read = readLeadingNumber(text);
        EXPECT_EQ(read.value, value) << name;
        EXPECT_EQ(read.found, found) << name;
        EXPECT_EQ(read.outOfRange, outOfRange) << name;
        EXPECT_EQ(numberValue(text), value) << name;
    }
}

// Written and read without the general formatter and parser where a value allows it: the text and
// the value must be theirs all the same, at every size and number of decimals.
TEST(NumberText, shortcutsAgreeWithTheGeneralFormatterAndParser) {
    const auto general = [](double value) {
        char buffer[40];
        auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
        std::string text(buffer, end);
        if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
        return text == "-0" ? std::string("0") : text;
    };
    const auto parsed = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    std::mt19937_64 random(17);
    std::vector<double> values = {1e-4, 1.2345e-4,        9.9999e-5, 999999999999999,
                                  1e15, 99999999999999.9, 0.1 + 0.2, 1.0 / 3,
                                  -2.5, 12345678.12345678};
    for (int places = 0; places <= 9; ++places) {
        for (int i = 0; i < 2000; ++i) {
            const auto digits = static_cast<std::int64_t>(random() % 1'000'000'000'000'000);
            values.push_back(static_cast<double>(digits) / std::pow(10.0, places + i % 7));
            values.push_back(-static_cast<double>(digits % 100'000) / std::pow(10.0, places));
        }
    }
    for (double value : values) {
        const std::string text = general(value);
        ASSERT_EQ(numberText(value), text) << value;
        ASSERT_EQ(numberValue(text), parsed(text)) << text;
    }
    for (const std::string text : {"-0", "5.", "-.5", ".25", "0.05", "007", "123456789012345",
                                   "1234567890123456", "12.345678901234567", "-100.01"}) {
        const std::string compact = text.front() == '.'      ? "0" + text
                                    : text.starts_with("-.") ? "-0" + text.substr(1)
                                                             : text;
        EXPECT_EQ(numberValue(text), parsed(compact)) << text;
        EXPECT_EQ(std::signbit(numberValue(text)), text.front() == '-') << text;
    }
}

} // namespace
} // namespace tallisto
