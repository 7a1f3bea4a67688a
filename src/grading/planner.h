// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan of a tab: for every grade of its system, what the marks still to come must average
// for the program to show that grade or a higher one once they are entered.
//
// The rest of the subject is looked at as one more mark: `average` out of 100 carrying all the
// weighting left. Its final percentage goes through the program's own arithmetic and grade
// search, so that the plan and the grade panel can never disagree.
#include "grading/grade_ranges.h"
#include "shared/decimal_sum.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

// What the plan needs of a tab: its totals, not its marks, kept as the tab keeps them.
struct PlanTotals {
    DecimalSum weightedScore; // the marks' scores out of their weightings
    DecimalSum weighting;     // their weightings as fractions, 1 = 100 %
    double left = 100;        // the weighting not yet entered, in percent, never below 0
};

// Averages are counted in hundredths of a percent, from 0 % to 100 %.
inline constexpr int fullAverage = 10000;

enum class PlanStatus {
    Secured,    // kept even at 0 % on the rest
    Possible,   // earned from `need` on
    OutOfReach, // not even 100 % on the rest earns it
};

struct PlannedGrade {
    GradeLevel grade;
    PlanStatus status = PlanStatus::Secured;
    int need = 0; // when possible: the smallest average on the rest that earns it or better
};

struct Plan {
    double left = 100;                  // the weighting not yet entered, in percent
    double worst = 0;                   // the final percentage with 0 % on the rest
    double best = 0;                    // and with 100 %
    std::vector<PlannedGrade> grades;   // highest first
    std::vector<PlannedGrade> grades20; // the out-of-20 grades, highest first, when shown
};

// The plan of a tab. The final percentage for an average on the rest is the overall percentage
// the program shows once the rest is entered with it; with no weighting left it is the tab's own.
// outOf20: the out-of-20 system when the tab's system shows a score out of 20.
Plan makePlan(const PlanTotals& totals, const PercentSystem& system,
              const std::optional<OutOf20System>& outOf20);

// What a grade needs, in words: "Secured", "Out of reach" or
// "92.5 % average on the remaining 40 %".
std::string needText(const PlannedGrade& grade, double left);

} // namespace tallisto
