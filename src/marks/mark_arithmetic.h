// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of a mark and of a tab's totals, in one place: the totals count the marks
// entered with it, and the planner counts the marks still to come with the same.
#include <string>

namespace tallisto {

// A weighting in percent as the totals hold it: the text of weighting ÷ 100 (1 means 100 %).
std::string weightingFractionText(double percent);

// A mark's score out of its weighting: the part of the weighting that the mark earned. outOf is
// not 0 and fraction is the weighting as weightingFractionText gives it.
double scoreOutOfWeighting(double score, double outOf, double fraction);

// The overall percentage of a tab's totals, rounded to 2 places: the weighted scores over the
// weighting entered so far, not over 100. 0 while no weighting is entered.
double overallPercentageOf(double weightedScoreTotal, double weightingTotal);

} // namespace tallisto
