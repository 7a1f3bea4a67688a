// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/frm_plan.h"

#include "app/program.h"
#include "shared/rounding.h"

#include <algorithm>

namespace tallisto {

FrmPlan::FrmPlan(Program& program) : program_(program) {
    frmPlan = makeControl("frmPlan", ControlKind::Form, "", 0, 0, 0, 0, "What Do I Need?");
    frmPlan.visible = false;
}

void FrmPlan::show() {
    if (frmPlan.visible) return;
    const Control& main = program_.frmGradeHelp.frmGradeHelp;
    frmPlan.left = main.left + main.width;
    frmPlan.top = main.top;
    frmPlan.visible = true;
}

void FrmPlan::hide() {
    frmPlan.visible = false;
}

void FrmPlan::Form_QueryUnload(bool& cancel) {
    cancel = true;
    hide();
}

Plan FrmPlan::plan() {
    FrmGradeHelp& f = program_.frmGradeHelp;
    const PlanTotals totals = f.planTotals();
    const PercentSystem system = readPercentSystem(program_.ini, f.rangesFile(), f.gradeSys);
    // The "/20" button is shown exactly while the tab's system grades a score out of 20.
    std::optional<OutOf20System> outOf20;
    if (f.cmdTER.visible) outOf20 = program_.frmTER.outOf20System();
    return makePlan(totals, system, outOf20);
}

std::string FrmPlan::heading() {
    const FrmGradeHelp& f = program_.frmGradeHelp;
    std::string text = f.cmdTab[static_cast<std::size_t>(f.currentTab)].caption;
    if (f.gradeSys >= 0 && f.gradeSys < 4)
        text += ", graded " + f.menGradesys[static_cast<std::size_t>(f.gradeSys)].caption;
    return text;
}

Control* FrmPlan::findControl(const std::string& name) {
    return name == frmPlan.name ? &frmPlan : nullptr;
}

const Control* FrmPlan::findControl(const std::string& name) const {
    return name == frmPlan.name ? &frmPlan : nullptr;
}

std::vector<Control*> FrmPlan::allControls() {
    return {&frmPlan};
}

PlanTotals FrmGradeHelp::planTotals() const {
    DecimalSum left(100);
    left.subtract(weightingEntered());
    return {weightedScoreSum, weightingSum, std::max(0.0, left.value())};
}

void FrmGradeHelp::menPlan_Click() {
    program_.frmPlan.show();
    giveFocusToEasyWork();
}

} // namespace tallisto
