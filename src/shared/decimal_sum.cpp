// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/decimal_sum.h"

#include "shared/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tallisto {

namespace {

__extension__ typedef __int128 Wide;

// Coefficients stay below 10^36, so that two of them add up without overflow (2^127 > 1.7E38).
constexpr int maxDigits = 36;

constexpr int widePowers = 39; // 10^38 is the largest power below 2^127

constexpr std::array<Wide, widePowers> makePowersOfTen() {
    std::array<Wide, widePowers> powers{};
    powers[0] = 1;
    for (int i = 1; i < widePowers; ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}
constexpr std::array<Wide, widePowers> powersOfTen = makePowersOfTen();

Wide powerOfTen(int power) {
    return powersOfTen[static_cast<std::size_t>(power)];
}

Wide magnitude(Wide value) {
    return value < 0 ? -value : value;
}

// By comparison, not division: a division of 128-bit numbers is slow, and a tab replays its
// marks at every switch.
int digitCount(Wide value) {
    const Wide size = magnitude(value);
    int count = 0;
    while (count < widePowers && powersOfTen[static_cast<std::size_t>(count)] <= size)
        ++count;
    return count;
}

// coefficient × 10^from written as a multiple of 10^to: scaled up exactly when to < from (the
// caller sees that it fits), rounded half to even when to > from.
Wide rescaled(Wide coefficient, int from, int to) {
    if (to <= from) return coefficient * powerOfTen(from - to);
    if (to - from > maxDigits + 2) return 0; // far below half of 10^to
    const Wide divisor = powerOfTen(to - from);
    Wide quotient = coefficient / divisor;
    const Wide remainder = coefficient % divisor;
    const Wide twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        quotient += coefficient < 0 ? -1 : 1;
    return quotient;
}

// "coefficient e exponent" for std::from_chars. Below 10^36 the coefficient is two 64-bit halves
// of 18 digits: two 128-bit divisions instead of one a digit.
std::string decimalText(Wide coefficient, int exponent) {
    const Wide size = magnitude(coefficient);
    const auto high = static_cast<std::uint64_t>(size / powerOfTen(18));
    const auto low = static_cast<std::uint64_t>(size % powerOfTen(18));
    char buffer[64];
    char* end = buffer;
    if (coefficient < 0) *end++ = '-';
    if (high != 0) {
        end = std::to_chars(end, buffer + sizeof buffer, high).ptr;
        char digits[20];
        char* lowEnd = std::to_chars(digits, digits + sizeof digits, low).ptr;
        end = std::fill_n(end, 18 - (lowEnd - digits), '0');
        end = std::copy(digits, lowEnd, end);
    } else {
        end = std::to_chars(end, buffer + sizeof buffer, low).ptr;
    }
    *end++ = 'e';
    end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;
    return std::string(buffer, end);
}

constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr Wide exactIntegerLimit = Wide(1) << 53;

} // namespace

void DecimalSum::add(double addend) {
    if (!std::isfinite(addend)) {
        notFinite_ += addend;
        return;
    }
    const GeneralDecimal decimal = generalDecimal(addend);
    addScaled(decimal.digits, decimal.exponent);
}

void DecimalSum::add(const DecimalSum& other) {
    notFinite_ += other.notFinite_;
    addScaled(other.coefficient_, other.exponent_);
}

void DecimalSum::subtract(const DecimalSum& other) {
    notFinite_ -= other.notFinite_;
    addScaled(-other.coefficient_, other.exponent_);
}

// Nearly every addend of a run of marks comes at the sum's own power of ten: that addition is
// kept short enough to be made in place, and the rest is left to addAtOtherPower.
void DecimalSum::addScaled(Wide coefficient, int exponent) {
    if (coefficient == 0) return;
    if (coefficient_ == 0) {
        coefficient_ = coefficient;
        exponent_ = exponent;
        return;
    }
    if (exponent != exponent_) return addAtOtherPower(coefficient, exponent);
    coefficient_ += coefficient;
    if (magnitude(coefficient_) >= powerOfTen(maxDigits)) dropLastDigit();
}

// Both terms are brought to the finest power of ten at which both fit; a term finer than that is
// rounded to it.
void DecimalSum::addAtOtherPower(Wide coefficient, int exponent) {
    const int finest =
        std::max({std::min(exponent, exponent_), exponent - (maxDigits - digitCount(coefficient)),
                  exponent_ - (maxDigits - digitCount(coefficient_))});
    coefficient_ =
        rescaled(coefficient_, exponent_, finest) + rescaled(coefficient, exponent, finest);
    exponent_ = finest;
    if (magnitude(coefficient_) >= powerOfTen(maxDigits)) dropLastDigit();
}

// Rare, and kept out of line so that the addition in place saves no registers for it.
[[gnu::noinline]] void DecimalSum::dropLastDigit() {
    coefficient_ = rescaled(coefficient_, exponent_, exponent_ + 1);
    ++exponent_;
}

double DecimalSum::value() const {
    if (notFinite_ != 0) return notFinite_; // not-a-number too
    // An integer below 2^53 and a power of ten up to 1E22 are exact: one rounding gives the
    // nearest double.
    if (magnitude(coefficient_) < exactIntegerLimit && exponent_ >= -22 && exponent_ <= 22) {
        const double whole = static_cast<double>(coefficient_);
        return exponent_ >= 0 ? whole * exactPowersOfTen[exponent_]
                              : whole / exactPowersOfTen[-exponent_];
    }
    const std::string text = decimalText(coefficient_, exponent_);
    double result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Beyond a double's range either way: infinite when large, zero when tiny.
        const bool large = exponent_ + digitCount(coefficient_) > 0;
        const double size = large ? std::numeric_limits<double>::infinity() : 0;
        return coefficient_ < 0 ? -size : size;
    }
    return result;
}

DecimalSum DecimalSum::timesPowerOfTen(int power) const {
    DecimalSum result = *this;
    if (result.coefficient_ != 0) result.exponent_ += power;
    result.notFinite_ *= std::pow(10.0, power);
    return result;
}

std::partial_ordering operator<=>(const DecimalSum& a, const DecimalSum& b) {
    if (a.notFinite_ != 0 || b.notFinite_ != 0) return a.value() <=> b.value();
    DecimalSum difference = a;
    difference.subtract(b);
    return difference.coefficient_ <=> DecimalSum::Wide(0);
}

} // namespace tallisto
