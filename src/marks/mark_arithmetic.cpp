// SPDX-License-Identifier: GPL-3.0-or-later
#include "marks/mark_arithmetic.h"

#include "shared/number_text.h"
#include "shared/rounding.h"

#include <cmath>

namespace tallisto {

std::string weightingFractionText(double percent) {
    return numberText(percent / 100);
}

double weightingFraction(double percent) {
    // The text reads as the general format's value, except that 0 and what is not a number are
    // written "0". A fraction of a double is at most a hundredth of the largest, so its text
    // never reads as out of range.
    const double fraction = percent / 100;
    return fraction == 0 || !std::isfinite(fraction) ? 0 : generalValue(fraction);
}

double scoreOutOfWeighting(double score, double outOf, double weightingFraction) {
    const double percentage = score / outOf * 100;
    return generalValue(weightingFraction * percentage);
}

double overallPercentageOf(double weightedScoreTotal, double weightingTotal) {
    if (weightingTotal == 0) return 0;
    return roundTo2Places(generalValue(weightedScoreTotal / (weightingTotal * 100) * 100));
}

} // namespace tallisto
