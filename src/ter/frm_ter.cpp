// SPDX-License-Identifier: GPL-3.0-or-later
// The score-out-of-20 window: the current tab's percentage as a score out of 20, and its grade.
#include "ter/frm_ter.h"

#include "app/program.h"
#include "app/variable_text.h"
#include "grading/grade_ranges.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

namespace {

constexpr int shortHeight = 1455; // the explanation lies below the bottom edge
constexpr int tallHeight = 5070;  // the explanation shows

} // namespace

FrmTER::FrmTER(Program& program) : program_(program) {
    using K = ControlKind;
    const char* w = "frmTER";
    frmTER = makeControl(w, K::Form, "", 0, 0, 4800, shortHeight, "Tertiary Entrance Scores");
    frmTER.visible = false;
    TimerFrmTer = makeControl("TimerFrmTer", K::Timer, w, 0, 0, 0, 0);
    TimerFrmTer.interval = 100;
    TimerFrmTer.enabled = false;
    Frame2 = makeControl("Frame2", K::Frame, w, 480, 360, 2055, 615, "Which is an:");
    lblGrade = makeControl("lblGrade", K::Label, "Frame2", 360, 240, 735, 255);
    lblGradePer = makeControl("lblGradePer", K::Label, "Frame2", 1080, 240, 855, 255);
    cmdHide = makeControl("cmdHide", K::Button, w, 3120, 600, 1455, 375, "Show Extra Info");
    Frame1 = makeControl("Frame1", K::Frame, w, 120, 1080, 4455, 3495, "About the /20 score");
    Label2 =
        makeControl("Label2", K::Label, "Frame1", 120, 2520, 4095, 855,
                    "Tallisto works this score out straight from the subject's overall "
                    "percentage, so it can differ a lot from the score in your official results.");
    Label1 =
        makeControl("Label1", K::Label, "Frame1", 120, 360, 4215, 2055,
                    "In South Australia the final Year 12 result of each subject is a score out "
                    "of 20. The subject scores are added, scaled and turned into a score out of "
                    "100, the Tertiary Entrance Rank (TER). The TER is worked out in a complicated "
                    "way: it compares you with the whole state, your school and your class, and "
                    "is often scaled for how hard the subject is.");
    cmdOK = makeControl("cmdOK", K::Button, w, 3120, 120, 1455, 375, "Ok");
    lblScore = makeControl("lblScore", K::Label, w, 1680, 120, 735, 255);
    lblTER = makeControl("lblTER", K::Label, w, 840, 120, 735, 495, "Score = ");
}

void FrmTER::show() {
    frmTER.visible = true;
    Form_Activate();
}

void FrmTER::hide() {
    frmTER.visible = false;
}

void FrmTER::Form_Activate() {
    const Control& main = program_.frmGradeHelp.frmGradeHelp;
    frmTER.left = main.left;
    frmTER.top = main.top + main.height + 50;
    TimerFrmTer.enabled = true;
}

// Closed from its title bar the window is only hidden: its timer runs on and "/20" brings it back.
void FrmTER::Form_QueryUnload(bool& cancel) {
    cancel = true;
    hide();
}

void FrmTER::TimerFrmTer_Timer() {
    double& score = program_.modData.scoreOutOf20;
    score = outOf20Score(program_.modData.overallPercentage);
    lblScore.caption = numberText(score) + ".";
    GradeIs();
}

void FrmTER::GradeRangeRetrieve() {
    const OutOf20System system =
        readOutOf20System(program_.ini, program_.frmGradeHelp.rangesFile());
    div20Ranges.assign(system.ranges.begin(), system.ranges.end());
    div20RangeNames.assign(system.names.begin(), system.names.end());
}

void FrmTER::GradeIs() {
    const GradeResult result = findOutOf20Grade(outOf20System(), program_.modData.scoreOutOf20);
    lblGrade.caption = result.grade;
    lblGradePer.caption = result.rangeText;
}

OutOf20System FrmTER::outOf20System() {
    // The out-of-20 grades are read once per run.
    if (div20RangesRead == 0) {
        div20RangesRead = 1;
        GradeRangeRetrieve();
    }
    OutOf20System system;
    std::copy_n(div20Ranges.begin(), system.ranges.size(), system.ranges.begin());
    std::copy_n(div20RangeNames.begin(), system.names.size(), system.names.begin());
    return system;
}

void FrmTER::cmdHide_Click() {
    if (frmTER.height != tallHeight) {
        frmTER.height = tallHeight;
        cmdHide.caption = "Hide Extra Info";
    } else {
        frmTER.height = shortHeight;
        cmdHide.caption = "Show Extra Info";
    }
}

void FrmTER::cmdOK_Click() {
    TimerFrmTer.enabled = false;
    hide();
}

std::vector<Control*> FrmTER::allControls() {
    return {&frmTER, &TimerFrmTer, &Frame2, &lblGrade, &lblGradePer, &cmdHide,
            &Frame1, &Label2,      &Label1, &cmdOK,    &lblScore,    &lblTER};
}

Control* FrmTER::findControl(const std::string& name) {
    return controlNamed(allControls(), name);
}

const Control* FrmTER::findControl(const std::string& name) const {
    return const_cast<FrmTER*>(this)->findControl(name);
}

std::optional<std::string> FrmTER::variableText(const std::string& name) const {
    if (name == "div20RangesRead") return numberText(div20RangesRead);
    if (auto element = arrayElementText(name, "div20Ranges", div20Ranges)) return element;
    return arrayElementText(name, "div20RangeNames", div20RangeNames);
}

} // namespace tallisto
