// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a tab's grading system, showing its name, and editing graderanges.txt.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "grading/grade_ranges.h"
#include "shared/number_text.h"

namespace tallisto {

void FrmGradeHelp::menGradesys_Click(int Index) {
    if (Index < 0 || Index > 3) return;
    for (Control& item : menGradesys)
        item.checked = false;
    menGradesys[Index].checked = true;

    const std::string outOf20 = readIni(rangesFile(), percentSystemSection(Index), "OutOf20");
    if (numberValue(outOf20) == 1) {
        cmdTER.visible = true;
    } else {
        cmdTER.visible = false;
        if (program_.frmTER.frmTER.visible) program_.frmTER.hide();
    }
    gradeSys = Index;

    if (cmdReset.visible) {
        lblGradeSysUpdate();
        if (!loadingTabs) GradeIs();
    }
    if (!loadingTabs) {
        noteChange("Choose Grading System");
        mensave.enabled = true;
        unsaved = true;
        formnamerefresh();
    }
}

void FrmGradeHelp::GradeSysUsed() {
    for (int i = 0; i < 4; ++i)
        if (gradeSys == i) gradeSysName = menGradesys[i].caption;
}

void FrmGradeHelp::lblGradeSysUpdate() {
    GradeSysUsed();
    lblGradeSys.caption = "Using " + gradeSysName + " grading.";
}

void FrmGradeHelp::menEditRanges_Click() {
    const std::string ranges = rangesFile();
    if (!showInEditor(ranges)) MsgBox("No program could be started to open " + ranges + ".");
    giveFocusToEasyWork();
}

} // namespace tallisto
