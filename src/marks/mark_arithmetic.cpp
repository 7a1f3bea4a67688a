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
    const double fraction = percent / 100;
    // The text reads as the general format's value, except that 0 and what is not a number are
    // written "0", and that a text beyond the range of normal doubles reads otherwise: such
    // fractions are read from their text.
    if (fraction == 0 || !std::isfinite(fraction)) return 0;
    if (const double size = std::fabs(fraction); size < 1e-300 || size > 1e300)
        return numberValue(weightingFractionText(percent));
    return generalValue(fraction);
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
