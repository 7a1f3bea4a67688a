// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive/driver.h"
#include "shared/number_text.h"

namespace tallisto::drive {

namespace {

const char* statusName(PlanStatus status) {
    switch (status) {
    case PlanStatus::Secured:
        return "secured";
    case PlanStatus::Possible:
        return "possible";
    case PlanStatus::OutOfReach:
        return "out-of-reach";
    }
    return "secured";
}

void addGrades(std::string& text, const char* kind, const std::vector<PlannedGrade>& grades) {
    for (const PlannedGrade& g : grades) {
        const std::string need =
            g.status == PlanStatus::Possible ? numberText(g.need / 100.0) : "-";
        text += std::string(kind) + " grade=" + g.grade.name + " bound=" + g.grade.bound +
                " status=" + statusName(g.status) + " need=" + need + "\n";
    }
}

} // namespace

std::string planText(const Plan& plan) {
    std::string text = "plan left=" + numberText(plan.left) + " worst=" + numberText(plan.worst) +
                       " best=" + numberText(plan.best) + "\n";
    addGrades(text, "plan", plan.grades);
    addGrades(text, "plan20", plan.grades20);
    return text;
}

} // namespace tallisto::drive
