// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo: the window brought to the state kept before or after a step of the history.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"

namespace tallisto {

namespace {

// The state a step of the history brings back. Saving is no step: the work stays bound to the
// file it was saved to, unless the step itself bound it elsewhere (Reset All unbinds it). Whether
// the work is unsaved follows what the file now holds.
KeptWork stateToBringBack(const HistoryStep& step, bool before, const History& history,
                          const std::string& filePath, const std::string& fileTitle) {
    KeptWork work = before ? *step.before : *step.after;
    if (step.before->filePath == step.after->filePath &&
        step.before->fileTitle == step.after->fileTitle) {
        work.filePath = filePath;
        work.fileTitle = fileTitle;
    }
    const bool unsaved = history.unsavedHere();
    if (unsaved != work.unsaved) work.saveEnabled = unsaved;
    const KeptWork& kept = before ? *step.before : *step.after;
    // A caption that names another file or flag than it showed is made afresh.
    if (unsaved != kept.unsaved || work.fileTitle != kept.fileTitle) work.shown.caption.clear();
    work.unsaved = unsaved;
    return work;
}

} // namespace

void FrmGradeHelp::noteChange(const char* what) {
    program_.history.noteChange(what);
}

void FrmGradeHelp::menUndo_Click() {
    if (const HistoryStep* step = program_.history.undo())
        bringBack(
            stateToBringBack(*step, true, program_.history, currentFilePath, currentFileTitle));
    giveFocusToEasyWork();
}

void FrmGradeHelp::menRedo_Click() {
    if (const HistoryStep* step = program_.history.redo())
        bringBack(
            stateToBringBack(*step, false, program_.history, currentFilePath, currentFileTitle));
    giveFocusToEasyWork();
}

void FrmGradeHelp::undoItemsUpdate() {
    const History& history = program_.history;
    menUndo.enabled = history.canUndo();
    menUndo.caption = history.canUndo() ? "Undo " + history.undoWhat() : "Undo";
    menRedo.enabled = history.canRedo();
    menRedo.caption = history.canRedo() ? "Redo " + history.redoWhat() : "Redo";
}

void FrmGradeHelp::showAsShown(const KeptWork::Shown& shown) {
    if (!shown.kept) return;
    if (picInner.width != shown.stripWidth) {
        picInner.width = shown.stripWidth;
        scrollBarCheck();
    }
    if (!shown.caption.empty()) frmGradeHelp.caption = shown.caption;
    lblGrade.caption = shown.grade;
    lblGradePer.caption = shown.gradeRange;
    lblGradeSys.caption = shown.gradeSysLabel;
    gradeSysName = shown.gradeSysName;
    lblShit.caption = shown.percentage;
    lblShit.toolTipText = shown.percentageTip;
    lblScoreTot.caption = shown.scoreTotal;
    overallPercentage() = shown.overallPercentage;
}

// Most steps change the current tab alone: the strip stays, and so does the working file when
// its bytes are those kept. Otherwise the strip is rebuilt as crash recovery rebuilds it.
void FrmGradeHelp::bringBack(const KeptWork& work) {
    bool sameStrip = cmdTab.size() == work.tabs.size();
    for (std::size_t i = 0; sameStrip && i < cmdTab.size(); ++i)
        sameStrip =
            cmdTab[i].caption == work.tabs[i].name && cmdTab[i].visible == work.tabs[i].shown;
    // The working file on disk is the one the last event left.
    const KeptWork* onDisk = program_.history.lastWork();
    // A working file that cannot be written keeps the tabs in memory; the user is told at the
    // end of the command, as after every command.
    if (!sameStrip) {
        {
            const FlagHold loading(loadingTabs); // asks nothing
            cmdResetAll_Click();
        }
        rebuildTabButtons(work.tabs);
        if (cmdTab.size() != work.tabs.size()) return; // not a state this window had
        restoreWorkingFile(work.workingFile);
    } else if (!onDisk || !(onDisk->workingFile == work.workingFile)) {
        restoreWorkingFile(work.workingFile);
    }
    showKeptWork(work);
}

} // namespace tallisto
