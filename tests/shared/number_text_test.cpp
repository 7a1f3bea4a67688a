#include "shared/number_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace tallisto {
namespace {

struct TextCase {
    const char* name;
    double value;
    const char* text;
};

TEST(NumberText, numbersBecomeTheirGeneralText) {
    const double inf = std::numeric_limits<double>::infinity();
    const TextCase cases[] = {
        {"integral value has no point", 40, "40"},
        {"fraction keeps its digits", 12.5, "12.5"},
        {"negative", -17.5, "-17.5"},
        {"binary noise is cut at 15 digits", 0.1 + 0.2, "0.3"},
        {"a third has 15 significant digits", 1.0 / 3, "0.333333333333333"},
        {"largest plain integer", 999999999999999, "999999999999999"},
        {"1E15 takes the exponent form", 1e15, "1E+15"},
        {"rounding to 15 digits can reach 1E15", 999999999999999.9, "1E+15"},
        {"long integers are cut to 15 digits", 123456789012345678.0, "1.23456789012346E+17"},
        {"three-digit exponent", 1e100, "1E+100"},
        {"1E-4 is still plain", 0.0001, "0.0001"},
        {"below 1E-4 takes the exponent form", 0.00001, "1E-05"},
        {"small fraction", -1.5e-7, "-1.5E-07"},
        {"negative zero", -0.0, "0"},
        {"infinity", inf, "0"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.name;
}

TEST(NumberText, typedNumbersSurviveBeingWrittenAndRead) {
    for (double value : {45.0, 17.5, 33.33, 0.1, -2.675, 1e-7, 6.02e23, 123456789012345.0})
        EXPECT_EQ(numberValue(numberText(value)), value) << numberText(value);
}

struct ReadCase {
    const char* name;
    const char* text;
    double value;
    bool found;
    bool outOfRange = false;
};

TEST(NumberText, textIsReadFromItsLeadingNumber) {
    const ReadCase cases[] = {
        {"plain number", "12.5", 12.5, true},
        {"text after the number", "45abc", 45, true},
        {"comma ends the number", "1,5", 1, true},
        {"second point ends the number", "1.5.3", 1.5, true},
        {"leading blanks", "   7", 7, true},
        {"blanks inside the digits", "1 2", 12, true},
        {"blanks after the sign", " - 4", -4, true},
        {"tabs and line breaks", "1\t2\r\n3", 123, true},
        {"plus sign", "+7", 7, true},
        {"no digit before the point", ".5", 0.5, true},
        {"no digit after the point", "5.", 5, true},
        {"negative fraction", "-.25", -0.25, true},
        {"exponent", "2e3", 2000, true},
        {"exponent with sign", "2E+3", 2000, true},
        {"negative exponent", "2e-3", 0.002, true},
        {"exponent with blanks", "2 E - 3", 0.002, true},
        {"E without digits ends before it", "2E", 2, true},
        {"E and sign without digits", "2e+x", 2, true},
        {"E followed by a letter", "3Ex5", 3, true},
        {"no number", "abc", 0, false},
        {"empty", "", 0, false},
        {"sign alone", "-", 0, false},
        {"point alone", ".", 0, false},
        {"exponent alone", "E5", 0, false},
        {"too large", "1E400", 0, true, true},
        {"too large negative", "-1E400", 0, true, true},
        {"too large by its digits", "0.001e400", 0, true, true},
        {"too small is zero", "1E-400", 0, true},
        {"too small by its digits", "1000e-330", 0, true},
        {"zero with a huge exponent", "0e999999999999", 0, true},
    };
    for (const ReadCase& c : cases) {
        LeadingNumber read = readLeadingNumber(c.text);
        EXPECT_EQ(read.value, c.value) << c.name;
        EXPECT_EQ(read.found, c.found) << c.name;
        EXPECT_EQ(read.outOfRange, c.outOfRange) << c.name;
        EXPECT_EQ(numberValue(c.text), c.value) << c.name;
    }
}

TEST(NumberText, aLongRunOfDigitsReadsAsItsNearestDouble) {
    std::string third = "0." + std::string(400, '3') + "xyz";
    EXPECT_DOUBLE_EQ(numberValue(third), 1.0 / 3);
}

} // namespace
} // namespace tallisto
