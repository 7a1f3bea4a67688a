// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a mark adds to its tab, computed one way for the totals and for the check before a typed
// mark is taken. Each result counts as the general number format writes it, so that binary noise
// cannot tip the rounding of an exact half (72.125 is 72.12, never 72.13).
#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

// The part of the weighting that the mark earned: weighting × score ÷ out of, for an out of that
// is not 0 and a weighting as a fraction.
inline double scoreOutOfWeighting(double score, double outOf, double weightingFraction) {
    const double percentage = score / outOf * 100;
    return generalValue(weightingFraction * percentage);
}

// The tab's overall percentage, rounded to 2 places: the weighted score over the weighting
// entered so far.
inline double overallPercentageOf(double weightedScoreTotal, double weightingTotal) {
    if (weightingTotal == 0) return 0;
    return roundTo2Places(generalValue(weightedScoreTotal / (weightingTotal * 100) * 100));
}

} // namespace tallisto
