// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/rounding.h"

#include "shared/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace tallisto {

namespace {

// The shortest decimal form of a positive finite value as significant digits and the power of
// ten of the first digit: 33.335 gives "33335" and 1.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

DecimalDigits shortestDigits(double positive) {
    char buffer[40];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, positive, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    auto e = text.find('e');
    DecimalDigits result;
    for (char c : text.substr(0, e))
        if (c != '.') result.digits += c;
    std::string_view exponent = text.substr(e + 1);
    bool negative = exponent.front() == '-';
    std::from_chars(exponent.data() + 1, exponent.data() + exponent.size(), result.exponent);
    if (negative) result.exponent = -result.exponent;
    return result;
}

void incrementDecimal(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The shortest form never ends in 0, so a dropped part that is exactly "5" is an exact half.
bool roundsUp(const std::string& kept, std::string_view dropped) {
    if (dropped.front() != '5') return dropped.front() > '5';
    if (dropped.size() > 1) return true;
    return !kept.empty() && (kept.back() - '0') % 2 == 1;
}

} // namespace

double roundTo2Places(double value) {
    if (!std::isfinite(value) || value == 0) return value;
    // A value that is the nearest double to a number of hundredths has a shortest form of at
    // most two decimals, which is kept as it is: most marks and percentages are such values.
    if (const double hundredths = value * 100;
        std::fabs(hundredths) < 1e15 && isWholeBelow1E15(hundredths) && hundredths / 100 == value)
        return value;
    DecimalDigits decimal = shortestDigits(std::fabs(value));
    int keep = decimal.exponent + 3; // the digits down to the hundredths
    if (keep >= static_cast<int>(decimal.digits.size())) return value;
    if (keep < 0) return 0;
    std::string kept = decimal.digits.substr(0, static_cast<std::size_t>(keep));
    if (roundsUp(kept, std::string_view(decimal.digits).substr(kept.size())))
        incrementDecimal(kept);
    if (kept.empty()) return 0;
    // Hundredths of at most 15 digits and 100 are exact doubles: one division gives the nearest
    // double to the rounded number, as reading its text would.
    if (kept.size() <= 15) {
        std::int64_t hundredths = 0;
        for (char digit : kept)
            hundredths = hundredths * 10 + (digit - '0');
        return std::copysign(static_cast<double>(hundredths) / 100, value);
    }
    std::string text = kept + "e" + std::to_string(decimal.exponent - keep + 1);
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return std::copysign(rounded, value);
}

double RoundToParts(double value, double parts) {
    double t = value * parts;
    double s = value > 0 ? 1 : (value < 0 ? -1 : 0);
    double r = std::trunc(t + 0.5 * s);
    if (t - std::floor(t) == 0.5 && std::fmod(r, 2) != 0) r -= s;
    return r / parts;
}

std::optional<std::int16_t> toInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value); // the default rounding mode takes halves to even
    if (rounded < -32768 || rounded > 32767) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace tallisto
