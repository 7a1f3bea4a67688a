// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/planner.h"

#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"

#include <functional>

namespace tallisto {

namespace {

// The grade index the program shows for each average on the rest. It never falls as the average
// rises: every step from the average to the grade keeps the order of its input.
using GradeAt = std::function<int(int average)>;

// lowest and highest: the grades shown with 0 % and with 100 % on the rest.
PlannedGrade planGrade(const GradeLevel& level, int index, int lowest, int highest,
                       const GradeAt& gradeAt) {
    if (lowest >= index) return {level, PlanStatus::Secured, 0};
    if (highest < index) return {level, PlanStatus::OutOfReach, 0};
    int low = 0; // earns less
    int high = fullAverage;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (gradeAt(middle) >= index ? high : low) = middle;
    }
    return {level, PlanStatus::Possible, high};
}

std::vector<PlannedGrade> planGrades(const std::vector<GradeLevel>& levels,
                                     const GradeAt& gradeAt) {
    const int lowest = gradeAt(0);
    const int highest = gradeAt(fullAverage);
    std::vector<PlannedGrade> planned;
    for (int k = static_cast<int>(levels.size()) - 1; k >= 0; --k)
        planned.push_back(
            planGrade(levels[static_cast<std::size_t>(k)], k, lowest, highest, gradeAt));
    return planned;
}

} // namespace

Plan makePlan(const PlanTotals& totals, const PercentSystem& system,
              const std::optional<OutOf20System>& outOf20) {
    // The rest as one more mark, out of 100, carrying all the weighting left.
    const double fraction = weightingFraction(totals.left);
    const auto finalPercentage = [&](int average) {
        DecimalSum weightedScore = totals.weightedScore, weighting = totals.weighting;
        weightedScore.add(scoreOutOfWeighting(average / 100.0, 100, fraction));
        weighting.add(fraction);
        return overallPercentageOf(weightedScore.value(), weighting.value());
    };
    Plan plan;
    plan.left = totals.left;
    plan.worst = finalPercentage(0);
    plan.best = finalPercentage(fullAverage);
    const auto graded = [&](int average) { return gradedPercentage(finalPercentage(average)); };
    plan.grades = planGrades(percentGrades(system), [&](int average) {
        return findPercentGrade(system, graded(average)).index;
    });
    if (outOf20)
        plan.grades20 = planGrades(outOf20Grades(*outOf20), [&](int average) {
            return findOutOf20Grade(*outOf20, outOf20Score(graded(average))).index;
        });
    return plan;
}

std::string needText(const PlannedGrade& grade, double left) {
    switch (grade.status) {
    case PlanStatus::Secured:
        return "Secured";
    case PlanStatus::OutOfReach:
        return "Out of reach";
    case PlanStatus::Possible:
        break;
    }
    return numberText(grade.need / 100.0) + " % average on the remaining " + numberText(left) +
           " %";
}

} // namespace tallisto
