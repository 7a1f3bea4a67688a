#pragma once
// Numbers as text, the one way the program writes and reads them everywhere:
// lists, labels, captions, stored files and reports.
#include <string>
#include <string_view>

namespace tallisto {

// The general number format: at most 15 significant digits, no trailing zeros, no thousands
// separator, "." as the decimal point, an integral value without a point ("12.5", "40", "0.3333").
// Values of 1E15 and above, or below 1E-4, take the exponent form: mantissa, a capital "E",
// the exponent's sign and at least two digits ("1E+15", "1.5E-07"). Negative zero is "0".
// A value that is not finite never becomes text: it is written as "0".
std::string numberText(double value);

struct LeadingNumber {
    double value = 0;        // 0 when nothing was found or the number is out of range
    bool found = false;      // text began with a number
    bool outOfRange = false; // the number lies beyond the range of a double (1E400)
};

// Reads the number that text begins with: blanks, tabs, carriage returns and line feeds are
// skipped wherever they stand ("1 2" reads 12); then a sign ("+" or "-"), digits, at most one ".",
// and an exponent ("E" or "e", a sign, digits; an "E" without digits ends the number before it).
// Reading stops at the first character that cannot continue the number. The reading does not
// depend on the locale.
LeadingNumber readLeadingNumber(std::string_view text);

// The leading number's value, 0 for text without one and for a number out of range.
double numberValue(std::string_view text);

} // namespace tallisto
