// SPDX-License-Identifier: GPL-3.0-or-later
#include "marks/mark_arithmetic.h"

#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

std::string weightingFractionText(double percent) {
    return numberText(percent / 100);
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
