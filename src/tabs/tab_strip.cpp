// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip's scroll bar, and the keys of the big button.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/rounding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tallisto {

namespace {

// picOuter is drawn flat, without a border, so its inner (scale) width is its Width: the tab
// that the Tab key scrolls to then ends exactly at the viewport's visible right edge.
constexpr int picOuterBorder = 0;

// Scroll bar values are 16-bit, halves rounded to even; beyond the range they stop at its ends.
int scrollValue(double value) {
    if (const auto v = toInt16(value)) return *v;
    return value < 0 ? std::numeric_limits<std::int16_t>::min()
                     : std::numeric_limits<std::int16_t>::max();
}

} // namespace

int FrmGradeHelp::picOuterScaleWidth() const {
    return picOuter.width - 2 * picOuterBorder;
}

void FrmGradeHelp::scrollBarCheck() {
    if (picInner.width > picOuter.width) {
        const double inner = picOuterScaleWidth();
        HBar.min = scrollValue(0);
        HBar.max = scrollValue(inner - picInner.width);
        HBar.largeChange = scrollValue(inner);
        HBar.smallChange = scrollValue(inner / 5);
        HBar.visible = true;
        Line4.visible = true;
        // A narrower range keeps the bar's value inside it, and the strip follows the value, so
        // that no empty space opens at the strip's right end.
        const int value = std::clamp(HBar.value, HBar.max, HBar.min);
        if (value != HBar.value) setHBarValue(value);
    } else {
        HBar.visible = false;
        Line4.visible = false;
        // A strip that fits starts at the viewport's left edge.
        if (HBar.value != 0) setHBarValue(0);
    }
}

void FrmGradeHelp::setHBarValue(int value) {
    HBar.value = value;
    HBar_Change();
}

void FrmGradeHelp::HBar_Change() {
    picInner.left = HBar.value;
    giveFocusToEasyWork();
}

void FrmGradeHelp::HBar_Scroll() {
    HBar_Change();
}

void FrmGradeHelp::HBar_GotFocus() {
    giveFocusToEasyWork();
}

// Shift is not looked at: Shift+Tab moves on like Tab.
void FrmGradeHelp::cmdEasyWork_KeyDown(int KeyCode, int) {
    if (KeyCode == vbKeyEscape) {
        unloadMainWindow();
    } else if (KeyCode == vbKeyTab) {
        moveToNextTab();
    }
}

void FrmGradeHelp::moveToNextTab() {
    lastTabCheck();
    if (isLastTab) {
        cmdTab_Click(nextShownTab(0, +1));
        setHBarValue(0);
        return;
    }
    if (tabCount == 1) return;
    const int next = nextShownTab(currentTab + 1, +1);
    cmdTab_Click(next);
    if (currentTab != next || !HBar.visible) return;
    const Control& tab = cmdTab[currentTab];
    const int rightEdge = tab.left + tab.width;
    if (HBar.value > picOuter.width - rightEdge)
        setHBarValue(scrollValue(picOuter.width - rightEdge));
}

std::vector<int> FrmGradeHelp::shownTabs() const {
    std::vector<int> shown;
    for (const Control& tab : cmdTab)
        if (tab.visible) shown.push_back(tab.index);
    return shown;
}

void FrmGradeHelp::scrollToTab(int Index) {
    if (!HBar.visible || !isShownTab(Index)) return;
    const Control& tab = cmdTab[Index];
    // The strip's left end stands at HBar.value, 0 or left of the viewport.
    if (tab.left + HBar.value < 0)
        setHBarValue(scrollValue(-tab.left));
    else if (tab.left + tab.width + HBar.value > picOuterScaleWidth())
        setHBarValue(scrollValue(picOuterScaleWidth() - tab.left - tab.width));
}

} // namespace tallisto
