// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of a mark and of a tab's totals, in one place: the totals count the marks
// entered with it, the check before a typed mark is taken counts the mark to be, and the planner
// counts the marks still to come. Each result counts as the general number format writes it, so
// that binary noise cannot tip the rounding of an exact half (72.125 is 72.12, never 72.13).
#include <string>

namespace tallisto {

// A weighting in percent as the totals hold it: the text of weighting ÷ 100 (1 means 100 %).
std::string weightingFractionText(double percent);
// That text's value, as reading it back gives it, without writing it: marks are counted by the
// thousand.
double weightingFraction(double percent);

// The part of the weighting that the mark earned: weighting × score ÷ out of, for an out of that
// is not 0 and a weighting as a fraction.
double scoreOutOfWeighting(double score, double outOf, double weightingFraction);

// The tab's overall percentage, rounded to 2 places: the weighted score over the weighting
// entered so far, not over 100. 0 while no weighting is entered.
double overallPercentageOf(double weightedScoreTotal, double weightingTotal);

} // namespace tallisto
