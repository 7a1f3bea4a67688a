// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A running total kept as the decimal sum of its addends, so that a long run of marks adds up to
// what a student adds up on paper: 0.1 a thousand times is 100, 1.5 sixty times is 90.
#include <compare>

namespace tallisto {

class DecimalSum {
public:
    DecimalSum() = default;
    explicit DecimalSum(double value) { add(value); }

    // Each addend counts as the general number format writes it (15 significant digits). The sum
    // keeps 36 significant digits: exact for any run of marks of like size, and far finer than
    // anything shown where the addends' sizes differ by more than that.
    void add(double addend);
    void subtract(double addend) { add(-addend); }
    void add(const DecimalSum& other);
    void subtract(const DecimalSum& other);

    // The double nearest to the sum; infinite when the sum lies beyond the range of a double, or
    // once an addend was not finite.
    double value() const;

    // The sum multiplied by 10^power, exactly: a fraction's total as a percentage.
    DecimalSum timesPowerOfTen(int power) const;

    // Sums that are not finite compare as their values do.
    friend std::partial_ordering operator<=>(const DecimalSum& a, const DecimalSum& b);
    friend bool operator==(const DecimalSum& a, const DecimalSum& b) {
        return (a <=> b) == std::partial_ordering::equivalent;
    }

private:
    __extension__ typedef __int128 Wide;
    void addScaled(Wide coefficient, int exponent);
    void addAtOtherPower(Wide coefficient, int exponent);
    void dropLastDigit(); // rounded, when the coefficient has grown past its digits

    Wide coefficient_ = 0; // the sum is coefficient_ × 10^exponent_
    int exponent_ = 0;
    double notFinite_ = 0; // the sum of the addends that were not finite, when any was
};

} // namespace tallisto
