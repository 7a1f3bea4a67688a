// SPDX-License-Identifier: GPL-3.0-or-later
// Adding, renaming and deleting tabs. Shown tabs sit side by side in picInner in index order;
// a deleted tab stays loaded, hidden, one tab width left of where it stood.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"
#include "shared/text_encoding.h"

#include <algorithm>

namespace tallisto {

namespace {

constexpr int mostTabs = 43;
constexpr std::size_t longestTabName = 9; // characters, not bytes

} // namespace

void FrmGradeHelp::cmdNewTab_Click() {
    if (tabCount >= mostTabs) {
        MsgBox("Sorry, max number of tabs (" + numberText(tabCount) + ") reached.");
        giveFocusToEasyWork();
        return;
    }
    noteChange("New Tab");
    const int n = static_cast<int>(cmdTab.size());
    cmdTab.push_back(newTabElement(n));
    cmdTab_GotFocus(currentTab);

    Control& tab = cmdTab[n];
    const Control& before = cmdTab[n - 1];
    tab.left = before.left + before.width;
    picInner.width = tab.left + tab.width;
    picInner.height = tab.top + tab.height;
    ++tabCount;
    tab.visible = true;
    tab.caption = "Tab " + numberText(n + 1);
    scrollBarCheck();

    cmdResetAll.visible = true;
    menResetAll.enabled = true;
    cmdsave.enabled = true;
    mensave.enabled = true;
    unsaved = true;
    if (!loadingTabs) formnamerefresh();
    if (tabCount > 1) {
        menDelete.enabled = true;
        menReportSet.enabled = true;
    }
    giveFocusToEasyWork();
}

void FrmGradeHelp::menNewTab_Click() {
    cmdNewTab_Click();
}

void FrmGradeHelp::picOuter_DblClick() {
    cmdNewTab_Click();
}

void FrmGradeHelp::menRename_Click() {
    std::string name = InputBox("Enter the new name of " + cmdTab[currentTab].caption);
    if (name.empty()) return;
    noteChange("Rename Tab");
    // The name is stored on one line, and a switch finds the tab again only by its name; a line
    // break would come back from the file as a blank and the tab's marks would not be found.
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    cmdTab[currentTab].caption = leftCharacters(name, longestTabName);
    mensave.enabled = true;
    unsaved = true;
    formnamerefresh();
    cmdResetAll.visible = true;
    menResetAll.enabled = true;
}

void FrmGradeHelp::lastTabCheck() {
    isLastTab = false;
    const int last = nextShownTab(static_cast<int>(cmdTab.size()) - 1, -1);
    if (last >= 0) isLastTab = last == currentTab;
}

void FrmGradeHelp::menDelete_Click() {
    if (tabCount <= 1) return;
    noteChange("Delete Tab");
    lastTabCheck();
    cmdTab[currentTab].visible = false;

    // The strip goes back to its start, and the scroll bar with it.
    picInner.left = 0;
    picInner.top = 0;
    picInner.width -= cmdTab[0].width;
    picInner.height = cmdTab[0].top + cmdTab[0].height;
    HBar.value = 0;
    scrollBarCheck();
    --tabCount;
    ResetTab();
    mensave.enabled = true;
    unsaved = true;

    for (std::size_t k = static_cast<std::size_t>(currentTab); k < cmdTab.size(); ++k)
        cmdTab[k].left -= cmdTab[k].width;
    const int neighbour =
        isLastTab ? nextShownTab(currentTab - 1, -1) : nextShownTab(currentTab + 1, +1);
    // The emptied lists are stored for the deleted tab as the neighbour is chosen.
    cmdTab_Click(neighbour);

    if (tabCount == 1) {
        menDelete.enabled = false;
        if (!cmdReset.visible) {
            mensave.enabled = false;
            unsaved = false;
            formnamerefresh();
        }
    }
}

} // namespace tallisto
