// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <optional>

namespace tallisto {

namespace {

constexpr double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
constexpr double below1E15 = 1e15;

// Marks, totals and percentages hold few decimals: such a value is a whole number of at most 15
// digits once multiplied by a small power of ten, and the product's error lies far below the 15th
// digit. That number and the power, or none for a value that is not such. The value is finite.
struct ScaledWhole {
    std::int64_t digits;
    int places;
};
std::optional<ScaledWhole> scaledToWhole(double value) {
    // Below 1E7, nearly every mark's number, no power tried takes the value to 1E15.
    const bool small = std::fabs(value) < 1e7;
    for (int k = 0; k < static_cast<int>(std::size(powersOfTen)); ++k) {
        const double scaled = value * powersOfTen[k];
        if (!small && std::fabs(scaled) >= below1E15) break;
        if (isWholeBelow1E15(scaled)) return ScaledWhole{static_cast<std::int64_t>(scaled), k};
    }
    return std::nullopt;
}

// Writes `digits` (below 1E15) divided by 10^places in the fixed form: no exponent, no trailing
// zeros after the point.
std::string fixedText(std::int64_t digits, int places) {
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    const bool negative = digits < 0;
    auto rest = static_cast<std::uint64_t>(negative ? -digits : digits);
    for (; places > 0 && rest % 10 == 0; --places)
        rest /= 10;
    for (int i = 0; i < places; ++i, rest /= 10)
        *--p = static_cast<char>('0' + rest % 10);
    if (places > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative) *--p = '-';
    return std::string(p, end);
}

} // namespace

std::string numberText(double value) {
    // Negative zero and values that are not finite would otherwise show as "-0", "inf" or "nan".
    if (!std::isfinite(value) || value == 0) return "0";
    // A value of few decimals is written without the general formatter, which costs twenty times
    // more. Values below 1E-4 take the exponent form and are left to it.
    if (std::fabs(value) >= 1e-4) {
        if (const auto whole = scaledToWhole(value)) return fixedText(whole->digits, whole->places);
    }
    char buffer[40];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, end);
    if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    return text;
}

GeneralDecimal generalDecimal(double finiteValue) {
    if (const auto whole = scaledToWhole(finiteValue)) return {whole->digits, -whole->places};
    char buffer[40];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, finiteValue,
                                   std::chars_format::scientific, 14);
    GeneralDecimal decimal;
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative) ++p;
    int fractionDigits = 0;
    for (bool fraction = false; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        decimal.digits = decimal.digits * 10 + (*p - '0');
        if (fraction) ++fractionDigits;
    }
    int exponent = 0;
    if (p != end) std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    decimal.exponent = exponent - fractionDigits;
    for (; decimal.digits != 0 && decimal.digits % 10 == 0; decimal.digits /= 10)
        ++decimal.exponent;
    if (negative) decimal.digits = -decimal.digits;
    return decimal;
}

double generalValue(double value) {
    if (!std::isfinite(value) || value == 0) return value;
    // A whole number below 2^53 and a power of ten up to 1E22 are exact: one rounding gives the
    // nearest double.
    if (const auto whole = scaledToWhole(value))
        return static_cast<double>(whole->digits) / powersOfTen[whole->places];
    char buffer[40];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double result = value;
    std::from_chars(buffer, end, result);
    return result;
}

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks text while ignoring blanks wherever they stand, so that "1 2" reads as 12.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    char peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::size_t takeDigits(Cursor& cursor, std::string& out) {
    std::size_t count = 0;
    for (; isDigit(cursor.peek()); cursor.advance(), ++count)
        out += cursor.peek();
    return count;
}

// An exponent counts only when digits follow the "E"; otherwise the number ends before it.
void takeExponent(Cursor& cursor, std::string& out) {
    char e = cursor.peek();
    if (e != 'e' && e != 'E') return;
    cursor.advance();
    std::string exponent = "e";
    if (char sign = cursor.peek(); sign == '+' || sign == '-') {
        if (sign == '-') exponent += '-';
        cursor.advance();
    }
    if (takeDigits(cursor, exponent) > 0) out += exponent;
}

// The number text begins with, blanks removed and without a "+", ready for std::from_chars;
// empty when text does not begin with a number.
std::string compactLeadingNumber(std::string_view text) {
    Cursor cursor(text);
    std::string number;
    if (char sign = cursor.peek(); sign == '+' || sign == '-') {
        if (sign == '-') number += '-';
        cursor.advance();
    }
    std::size_t digits = takeDigits(cursor, number);
    if (cursor.peek() == '.') {
        cursor.advance();
        number += '.';
        digits += takeDigits(cursor, number);
    }
    if (digits == 0) return {};
    takeExponent(cursor, number);
    return number;
}

// The number of digits before the point, counted from the first significant one; for a
// mantissa below 1, minus the number of zeros after the point.
long long decimalPlaces(std::string_view mantissa) {
    auto point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    if (auto first = whole.find_first_not_of("-0"); first != std::string_view::npos)
        return static_cast<long long>(whole.size() - first);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : mantissa.substr(point + 1);
    auto first = fraction.find_first_not_of('0');
    return -static_cast<long long>(first == std::string_view::npos ? fraction.size() : first);
}

long long exponentValue(std::string_view digits) {
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    long long exponent = 0;
    for (char c : digits) // saturates: far beyond any double either way
        exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    return negative ? -exponent : exponent;
}

// from_chars reports overflow and underflow alike; the size of the number tells them apart,
// and only overflow lies beyond what a double can hold.
bool overflows(std::string_view number) {
    auto e = number.find('e');
    long long exponent = e == std::string_view::npos ? 0 : exponentValue(number.substr(e + 1));
    return decimalPlaces(number.substr(0, e)) + exponent > 0;
}

} // namespace

namespace {

// Nearly every text read is a plain decimal such as "12.5" or "-3": at most 15 digits, at most
// one point, nothing else. Its digits make a whole number below 2^53 and its power of ten is
// exact, so one division gives the nearest double, as from_chars would.
std::optional<double> plainDecimal(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative;
    if (p == end || end - p > 16) return std::nullopt; // 15 digits and a point at most
    std::int64_t digits = 0;
    int count = 0, places = 0;
    bool point = false;
    for (; p != end; ++p) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
        if (digit < 10) {
            digits = digits * 10 + digit;
            ++count;
            places += point;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15) return std::nullopt;
    static constexpr double exact[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(digits) / exact[places];
    return negative ? -value : value;
}

} // namespace

LeadingNumber readLeadingNumber(std::string_view text) {
    if (const auto plain = plainDecimal(text)) {
        LeadingNumber result;
        result.found = true;
        result.negative = text.front() == '-';
        result.value = *plain;
        return result;
    }
    std::string number = compactLeadingNumber(text);
    if (number.empty()) return {};
    LeadingNumber result;
    result.found = true;
    result.negative = number.front() == '-';
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result.value);
    if (ec == std::errc::result_out_of_range) {
        result.value = 0;
        result.outOfRange = overflows(number);
    }
    return result;
}

double numberValue(std::string_view text) {
    if (const auto plain = plainDecimal(text)) return *plain;
    return readLeadingNumber(text).value;
}

namespace {

// Whether text is a plain decimal as numberText writes the value it reads as: a "-" for a value
// below 0, a whole part without leading zeros, a fraction without trailing zeros, from 1E-4 to
// below 1E15, at most 15 significant digits. A decimal of at most 15 significant digits comes
// back digit for digit from its nearest double at 15 digits, so numberText gives text itself.
bool writtenAsNumberText(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative;
    const char* const whole = p;
    while (p != end && isDigit(*p))
        ++p;
    const auto wholeDigits = static_cast<std::size_t>(p - whole);
    if (wholeDigits == 0 || (wholeDigits > 1 && *whole == '0')) return false;
    if (p == end) return wholeDigits <= 15 && (*whole != '0' || !negative); // "0", never "-0"
    if (*p != '.') return false;
    const char* const fraction = ++p;
    while (p != end && isDigit(*p))
        ++p;
    if (p != end || p == fraction || end[-1] == '0') return false;
    if (*whole != '0') return wholeDigits + static_cast<std::size_t>(end - fraction) <= 15;
    const char* first = fraction; // the first significant digit; the fraction ends in one
    while (*first == '0')
        ++first;
    return first - fraction < 4 && end - first <= 15; // 0.0001 at the least
}

// The first and the last N bytes of from: the whole of it when N <= size <= 2N.
template <std::size_t N> void copyEnds(char* at, const char* from, std::size_t size) {
    std::memcpy(at, from, N);
    std::memcpy(at + size - N, from + size - N, N);
}

// Copies a number's text in pieces of a size known here, which need no call: a report copies
// four a row.
std::size_t copyNumberText(char* at, std::string_view text) {
    const std::size_t size = text.size();
    if (size > 16)
        std::memcpy(at, text.data(), size);
    else if (size >= 8)
        copyEnds<8>(at, text.data(), size);
    else if (size >= 4)
        copyEnds<4>(at, text.data(), size);
    else
        for (std::size_t i = 0; i < size; ++i)
            at[i] = text[i];
    return size;
}

// Text not written as the general format writes it: read and written again. Kept apart from the
// copy of text written so, which is nearly every mark and need not make room for a string.
[[gnu::noinline]] std::size_t writeNumberAgain(char* at, std::string_view text) {
    return copyNumberText(at, numberText(numberValue(text)));
}

} // namespace

std::size_t writeNumberAsWritten(char* at, std::string_view text) {
    if (writtenAsNumberText(text)) return copyNumberText(at, text); // 17 characters at most
    return writeNumberAgain(at, text);
}

std::string numberAsWritten(std::string_view text) {
    char written[longestNumberText];
    return std::string(written, writeNumberAsWritten(written, text));
}

void appendNumberAsWritten(std::string& out, std::string_view text) {
    char written[longestNumberText];
    out.append(written, writeNumberAsWritten(written, text));
}

} // namespace tallisto
