// SPDX-License-Identifier: GPL-3.0-or-later
// Running copies and crash recovery: each copy takes a working file of its own at start, and the
// unsaved work of a copy that ended without closing is offered back and rebuilt as it was.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

namespace {

// Sets a flag for the length of a scope, then puts back the value it had.
class FlagHold {
public:
    explicit FlagHold(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagHold() { flag_ = old_; }
    FlagHold(const FlagHold&) = delete;
    FlagHold& operator=(const FlagHold&) = delete;

private:
    bool& flag_;
    bool old_;
};

std::string entry(const Control& list, std::size_t j) {
    return j < list.list.size() ? list.list[j] : "0";
}

} // namespace

void FrmGradeHelp::takeWorkingFile() {
    RunningCopy& copy = program_.copy;
    std::vector<EndedCopy> ended = copy.endedCopiesWithWork();
    EndedCopy* chosen = nullptr;
    for (EndedCopy& work : ended) {
        if (offerBack(work.work)) {
            chosen = &work;
            break;
        }
        copy.discard(work);
    }
    // One window holds the work of one copy: the work of others waits for the next start.
    for (EndedCopy& work : ended)
        if (&work != chosen) work.lock.release();

    copy.takeNumber(chosen);
    const std::string file = workingFile();
    program_.ini.treatAsScratch(file);
    if (program_.ini.exists(file)) program_.ini.remove(file);
    if (!chosen) return;

    const bool restored = restoreWork(chosen->work);
    program_.ini.flushAll();
    // The ended copy's files go only once its work is safe in this copy's own.
    if (restored && program_.keepRecoveryData() && chosen->lock.held()) copy.discard(*chosen);
}

bool FrmGradeHelp::offerBack(const KeptWork& work) {
    const std::string name = work.fileTitle.empty() ? "<Unsaved>" : work.fileTitle;
    return MsgBox("Tallisto did not close properly. Restore the unsaved work of: " + name + "?",
                  Buttons::YesNo, "Restore unsaved work?") == Answer::Yes;
}

KeptWork FrmGradeHelp::workToKeep() const {
    KeptWork work;
    work.tabs.reserve(cmdTab.size());
    for (const Control& tab : cmdTab)
        work.tabs.push_back({tab.caption, tab.visible});
    work.currentTab = currentTab;
    work.marks.reserve(lstScore.list.size());
    for (std::size_t j = 0; j < lstScore.list.size(); ++j)
        work.marks.push_back({lstScore.list[j], entry(lstTotal, j), entry(lstWeighting, j)});
    work.whatIfMarks = lstScore.list.size() - realMarkCount();
    work.gradeSys = gradeSys;
    work.unsaved = unsaved;
    work.filePath = currentFilePath;
    work.fileTitle = currentFileTitle;
    work.scroll = HBar.value;
    work.shown = {true,
                  picInner.width,
                  frmGradeHelp.caption,
                  lblGrade.caption,
                  lblGradePer.caption,
                  lblGradeSys.caption,
                  gradeSysName,
                  lblShit.caption,
                  lblShit.toolTipText,
                  lblScoreTot.caption,
                  program_.modData.overallPercentage};
    work.resetAllShown = cmdResetAll.visible;
    work.resetAllEnabled = menResetAll.enabled;
    work.saveEnabled = mensave.enabled;
    work.saveAsEnabled = cmdsave.enabled;
    work.reportSetEnabled = menReportSet.enabled;
    work.deleteTabEnabled = menDelete.enabled;
    work.deleteMarkEnabled = menDelSelRes.enabled;
    work.selectedMark = selectedMark;
    work.listIndexes = {lstScore.listIndex, lstTotal.listIndex, lstWeighting.listIndex,
                        lstPercentage.listIndex};
    return work;
}

// The tabs come back as the user made them, through New Tab and Delete Tab, so that the strip
// lies exactly as it did. A deleted tab is deleted as soon as it is added, so that no more tabs
// are shown at any moment than the limit allows.
void FrmGradeHelp::rebuildTabButtons(const std::vector<KeptWork::Tab>& tabs) {
    const FlagHold deferred(deferWorkingFileCheck);
    bool firstToDelete = !tabs.front().shown;
    const auto deleteTab = [this](int index) {
        loadingTabs = true;
        cmdTab_Click(index);
        loadingTabs = true;
        menDelete_Click();
    };
    for (std::size_t i = 1; i < tabs.size(); ++i) {
        const FlagHold loading(loadingTabs);
        cmdNewTab_Click();
        if (cmdTab.size() != i + 1) return; // refused: the data describes no real window
        if (!tabs[i].shown) {
            deleteTab(static_cast<int>(i));
        } else if (firstToDelete) {
            deleteTab(0);
            firstToDelete = false;
        }
    }
}

IoResult FrmGradeHelp::restoreWorkingFile(const SharedBytes& bytes) {
    const std::string file = workingFile();
    // What rebuilding the tabs stored in it goes.
    if (!bytes) return program_.ini.remove(file);
    // Like every working file, one that cannot be written keeps the tabs in memory.
    program_.ini.adopt(file, bytes);
    return program_.ini.flush(file);
}

bool FrmGradeHelp::restoreWork(const KeptWork& work) {
    rebuildTabButtons(work.tabs);
    if (cmdTab.size() != work.tabs.size()) return false;
    const IoResult stored = restoreWorkingFile(work.workingFile);
    showKeptWork(work);
    if (!stored) reportUnwrittenFiles();
    return stored.ok;
}

void FrmGradeHelp::showKeptWork(const KeptWork& work) {
    for (std::size_t i = 0; i < cmdTab.size() && i < work.tabs.size(); ++i)
        cmdTab[i].caption = work.tabs[i].name;
    currentTab = work.currentTab;
    unsaved = work.unsaved;
    currentFilePath = work.filePath;
    currentFileTitle = work.fileTitle;

    // The current tab is shown as a switch shows a stored tab: its marks replayed, its grading
    // system chosen.
    StoredTab current;
    current.sameName = true;
    current.hasMarks = !work.marks.empty();
    const std::size_t firstWhatIf =
        work.marks.size() - std::min(work.whatIfMarks, work.marks.size());
    for (std::size_t j = 0; j < work.marks.size(); ++j) {
        const KeptWork::Mark& mark = work.marks[j];
        current.marks.push_back({mark.score, mark.outOf, mark.weighting,
                                 j < firstWhatIf ? MarkKind::Real : MarkKind::WhatIf});
    }
    current.gradesys = numberText(work.gradeSys);
    showStoredTab(currentTab, current);
    if (cmdReset.visible) GradeIs();
    if (HBar.visible) setHBarValue(std::clamp(work.scroll, HBar.max, HBar.min));

    cmdResetAll.visible = work.resetAllShown;
    menResetAll.enabled = work.resetAllEnabled;
    mensave.enabled = work.saveEnabled;
    cmdsave.enabled = work.saveAsEnabled;
    menReportSet.enabled = work.reportSetEnabled;
    menDelete.enabled = work.deleteTabEnabled;
    menDelSelRes.enabled = work.deleteMarkEnabled;
    menEditMark.enabled = work.deleteMarkEnabled; // both follow the mark selected
    selectedMark = work.selectedMark;
    Control* lists[] = {&lstScore, &lstTotal, &lstWeighting, &lstPercentage};
    for (std::size_t i = 0; i < 4; ++i) {
        const int index = work.listIndexes[i];
        lists[i]->listIndex = index < static_cast<int>(lists[i]->list.size()) ? index : -1;
    }
    const int selected = selectedMarkIndex();
    menMakeReal.enabled = work.deleteMarkEnabled && selected >= 0 &&
                          markKind(static_cast<std::size_t>(selected)) == MarkKind::WhatIf;
    formnamerefresh();
    showAsShown(work.shown);
    giveFocusToEasyWork();
}

} // namespace tallisto
