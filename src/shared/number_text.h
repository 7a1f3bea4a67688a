// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as text, the one way the program writes and reads them everywhere:
// lists, labels, captions, stored files and reports.
#include <cstdint>
#include <string>
#include <string_view>

namespace tallisto {

// The general number format: at most 15 significant digits, no trailing zeros, no thousands
// separator, "." as the decimal point, an integral value without a point ("12.5", "40", "0.3333").
// Values of 1E15 and above, or below 1E-4, take the exponent form: mantissa, a capital "E",
// the exponent's sign and at least two digits ("1E+15", "1.5E-07"). Negative zero is "0".
// A value that is not finite never becomes text: it is written as "0".
std::string numberText(double value);

// Whether a value below 1E15 in size is a whole number. One conversion to an integer and back,
// cheaper than std::trunc: the program asks this of every mark's numbers several times.
inline bool isWholeBelow1E15(double value) {
    return static_cast<double>(static_cast<std::int64_t>(value)) == value;
}

// A finite value as the general number format writes it, as an integer of at most 15 digits
// times a power of ten: 0.3333 gives {3333, -4}, 1.5E+20 gives {15, 19}, 0 gives {0, 0}.
struct GeneralDecimal {
    std::int64_t digits = 0;
    int exponent = 0;
};
GeneralDecimal generalDecimal(double finiteValue);

// The value that the general number format writes, as the nearest double: what binary arithmetic
// adds below the 15th digit is gone (0.1 + 0.2 gives 0.3). Values that are not finite stay.
double generalValue(double value);

struct LeadingNumber {
    double value = 0;        // 0 when nothing was found or the number is out of range
    bool found = false;      // text began with a number
    bool outOfRange = false; // the number lies beyond the range of a double (1E400)
    bool negative = false;   // the number has a minus sign, also when it is out of range
};

// Reads the number that text begins with: blanks, tabs, carriage returns and line feeds are
// skipped wherever they stand ("1 2" reads 12); then a sign ("+" or "-"), digits, at most one ".",
// and an exponent ("E" or "e", a sign, digits; an "E" without digits ends the number before it).
// Reading stops at the first character that cannot continue the number. The reading does not
// depend on the locale.
LeadingNumber readLeadingNumber(std::string_view text);

// The leading number's value, 0 for text without one and for a number out of range.
double numberValue(std::string_view text);

// The number text begins with, as the general number format writes it:
// numberText(numberValue(text)). Text written so already, as nearly every mark is, is taken as
// it is, without reading and writing it again.
std::string numberAsWritten(std::string_view text);
// The same, appended to out: reports write such numbers by the ten thousand.
void appendNumberAsWritten(std::string& out, std::string_view text);

// The longest text of a number as the general format writes it: a sign, 15 digits, a point and
// an exponent of three digits ("-1.23456789012345E-308").
constexpr std::size_t longestNumberText = 22;
// numberAsWritten(text) written at `at`, where longestNumberText characters fit; returns how many
// it wrote. A report puts each of its rows together so, before it is added to the report.
std::size_t writeNumberAsWritten(char* at, std::string_view text);

} // namespace tallisto
