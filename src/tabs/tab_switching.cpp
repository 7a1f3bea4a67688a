// SPDX-License-Identifier: GPL-3.0-or-later
// Switching between tabs: the tab left is stored in the working file and the tab chosen is
// rebuilt from it.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"

#include <string>

namespace tallisto {

void FrmGradeHelp::cmdTab_Click(int Index) {
    giveFocusToEasyWork();
    if (Index < 0 || Index >= static_cast<int>(cmdTab.size())) return;
    if (Index != currentTab) {
        saveTab = currentTab;
        currentTab = Index;
        saveFile = workingFile();
        SaveRun();
        program_.subjects.keepLeftTab(saveTab);
        // Read before the file goes to disk, from the changes in memory, which spares a look at
        // the disk for every key. A file that cannot be written keeps them; the user is told.
        const StoredTab stored = readStoredTab(Index);
        leftTabStored();
        showStoredTab(Index, stored);
    }
    if (!loadingTabs && cmdReset.visible) GradeIs();
}

// A tab is found again only under the caption it was stored with; a new tab, or an index that
// held a tab of another name, counts as never stored.
FrmGradeHelp::StoredTab FrmGradeHelp::readStoredTab(int Index) {
    const std::string file = workingFile();
    const std::string section = tabSection(Index);
    StoredTab stored;
    stored.sameName = readIni(file, section, "Name") == cmdTab[Index].caption;
    if (!stored.sameName) return stored;
    // What-if marks alone are marks to show too.
    stored.hasMarks = readIni(file, section, "count") != "0" ||
                      numberValue(readIni(file, section, "whatifcount")) > 0;
    if (stored.hasMarks && !loadingTabs) stored.marks = readStoredMarks(file, Index);
    stored.gradesys = readIni(file, section, "gradesys");
    return stored;
}

void FrmGradeHelp::showStoredTab(int Index, const StoredTab& stored) {
    if (!stored.sameName) {
        if (loadingTabs) return;
        ResetTab();
    } else {
        if (!loadingTabs) ResetTab();
        if (stored.hasMarks && !loadingTabs) {
            loadFile = workingFile();
            loadTab = currentTab;
            replayMarks(stored.marks);
        }
        selectStoredGradeSys(stored.gradesys);
    }
    if (!loadingTabs) {
        formnamerefresh();
        giveFocusToEasyWork();
        pressTab(Index);
    }
}

// The tab's own grading system, chosen without marking the work unsaved. A stored value that
// names no system leaves the one in use.
void FrmGradeHelp::selectStoredGradeSys(const std::string& gradesys) {
    for (int g = 0; g < 4; ++g) {
        if (numberValue(gradesys) != g) continue;
        const FlagHold loading(loadingTabs);
        menGradesys_Click(g);
    }
}

void FrmGradeHelp::leftTabStored() {
    // A deleted tab is left for good: nothing of it needs to reach the disk.
    if (!deferWorkingFileCheck && isShownTab(saveTab)) workingFileStored();
}

bool FrmGradeHelp::workingFileStored() {
    const bool written = program_.ini.flush(workingFile()).ok;
    if (!written) reportUnwrittenFiles();
    return written;
}

void FrmGradeHelp::pressTab(int Index) {
    for (Control& tab : cmdTab)
        tab.checked = tab.index == Index;
}

bool FrmGradeHelp::isShownTab(int Index) const {
    return Index >= 0 && Index < static_cast<int>(cmdTab.size()) && cmdTab[Index].visible;
}

int FrmGradeHelp::nextShownTab(int from, int step) const {
    for (int i = from; i >= 0 && i < static_cast<int>(cmdTab.size()); i += step)
        if (cmdTab[i].visible) return i;
    return -1;
}

void FrmGradeHelp::cmdTab_GotFocus(int) {
    giveFocusToEasyWork();
}

void FrmGradeHelp::cmdTab_DblClick(int) {
    menRename_Click();
}

void FrmGradeHelp::cmdTab_MouseUp(int Index, int Button) {
    if (Button != vbMiddleButton || !isShownTab(Index)) return;
    const int previousTab = currentTab;
    cmdTab_Click(Index);
    // A tab that could not be left stays current, and it is not the one the user meant.
    if (currentTab != Index) return;
    menDelete_Click();
    if (previousTab != Index) cmdTab_Click(previousTab);
}

} // namespace tallisto
