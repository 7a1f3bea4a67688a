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

PlannedGrade planGrade(const GradeLevel& level, int index, const GradeAt& gradeAt) {
    if (gradeAt(0) >= index) return {level, PlanStatus::Secured, 0};
    if (gradeAt(fullAverage) < index) return {level, PlanStatus::OutOfReach, 0};
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
    std::vector<PlannedGrade> planned;
    for (int k = static_cast<int>(levels.size()) - 1; k >= 0; --k)
        planned.push_back(planGrade(levels[static_cast<std::size_t>(k)], k, gradeAt));
    return planned;
}

} // namespace

double finalPercentage(const PlanTotals& totals, int average) {
    const double fraction = numberValue(weightingFractionText(totals.left));
    const double score = scoreOutOfWeighting(average / 100.0, 100, fraction);
    return overallPercentageOf(totals.weightedScoreTotal + score, totals.weightingTotal + fraction);
}

Plan makePlan(const PlanTotals& totals, const PercentSystem& system,
              const std::optional<OutOf20System>& outOf20) {
    Plan plan;
    plan.left = totals.left;
    plan.worst = finalPercentage(totals, 0);
    plan.best = finalPercentage(totals, fullAverage);
    const auto graded = [&](int average) {
        return gradedPercentage(finalPercentage(totals, average));
    };
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
