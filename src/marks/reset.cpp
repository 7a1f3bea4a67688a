// SPDX-License-Identifier: GPL-3.0-or-later
// Emptying the current tab, and starting afresh with one empty tab.
#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

void FrmGradeHelp::ResetTab() {
    if (tabCount == 1) {
        if (cmdTab[0].visible) {
            cmdResetAll.visible = false;
            menResetAll.enabled = false;
        }
        menReportSet.enabled = false;
        mensave.enabled = false;
        cmdsave.enabled = false;
    }
    reset.enabled = false;
    menDelSelRes.enabled = false;
    menEditMark.enabled = false;
    menMakeReal.enabled = false;
    whatIfMarks = 0;
    whatIfLabelUpdate();

    weighting = "0";
    weightingSum = {};
    weightingTotal = 0;
    lblWeightingTot.caption = "0%";
    lstWeighting.list.clear();
    lstWeighting.listIndex = -1; // an emptied list has no entry selected
    weightedScoreSum = {};
    weightedScoreTotal = 0;
    lblGrade.caption = "---";
    lblGradePer.caption.clear();
    lblGradeSys.caption.clear();
    youGot = "0";
    youGotSum = {};
    youGotTotal = 0;
    outOf = "0";
    outOfSum = {};
    outOfTotal = 0;
    weightedScore = 0;
    overallPercentage() = 0;
    for (Control* list : {&lstScore, &lstPercentage, &lstTotal}) {
        list->list.clear();
        list->listIndex = -1;
    }
    lblShit.caption = "0%";
    lblShit.toolTipText = "0%";
    lblScoreTot.caption = "0";
    lblTotalTest.caption = "0";
    cmdReset.visible = false;
    menSaveReport.enabled = false;
}

void FrmGradeHelp::cmdReset_Click() {
    noteChange("Reset Tab");
    ResetTab();
    if (tabCount != 1) {
        mensave.enabled = true;
        unsaved = true;
    } else {
        unsaved = false;
    }
    formnamerefresh();
}

void FrmGradeHelp::reset_Click() {
    cmdReset_Click();
}

void FrmGradeHelp::cmdResetAll_Click() {
    if (!loadingTabs && unsaved &&
        MsgBox("Unsaved work will be lost, continue?", Buttons::YesNo, "Continue?") !=
            Answer::Yes) {
        giveFocusToEasyWork();
        return;
    }
    noteChange("Reset All");
    cmdTab.resize(1);
    cmdTab[0].visible = true;
    currentFileTitle.clear();
    unsaved = false;
    ResetTab();
    frmGradeHelp.caption = "Unsaved - Tallisto";
    cmdResetAll.visible = false;
    menResetAll.enabled = false;

    // A working file that cannot be deleted must not give its old tabs to the new ones that take
    // their indexes: it is emptied instead, replaced whole when this command ends.
    const std::string file = workingFile();
    if (program_.ini.exists(file) && !program_.ini.remove(file)) program_.ini.startAfresh(file);

    cmdTab[0].left = 0;
    cmdTab[0].caption = "Tab 1";
    currentTab = 0;
    tabCount = 1;
    cmdTab_Click(0);
    pressTab(0);
    HBar.visible = false;
    Line4.visible = false;
    picInner.left = 0;
    picInner.top = 0;
    picInner.width = cmdTab[0].width;
    picInner.height = cmdTab[0].height;
    scrollBarCheck();
    setHBarValue(0);
    menReportSet.enabled = false;
    mensave.enabled = false;
    cmdsave.enabled = false;
    menDelete.enabled = false;
    currentFilePath.clear();
}

void FrmGradeHelp::menResetAll_Click() {
    cmdResetAll_Click();
    menResetAll.enabled = false;
}

} // namespace tallisto
