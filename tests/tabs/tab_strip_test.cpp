// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip: adding, renaming and deleting tabs, its scroll bar and the Tab key.
#include "support/sample_ranges.h"

#include <random>

namespace tallisto::testing {
namespace {

constexpr int W = 854;         // a tab's width
constexpr int viewport = 4280; // picOuter's width

// Up to 43 tabs; a new tab takes the next index never given and leaves the current tab as it is.
// Shown tabs sit side by side in index order, a hidden one a tab width left of its place, and
// picInner ends at the right edge of the last shown tab. A deleted tab hands over to the next
// shown tab to its right, or to its left when it was the last; the last tab shown stays.
TEST(TabStrip, AddingAndDeletingKeepThePlacementRuleAndChooseTheNeighbour) {
    StartedProgram t(sampleRanges());
    FrmGradeHelp& f = t.form();
    addTabs(t, 42);
    EXPECT_EQ(f.HBar.max, viewport - 43 * W) << "43 tabs stay within 16 bits";
    std::mt19937 random(7);
    for (int step = 0; step < 200; ++step) {
        SCOPED_TRACE(step);
        std::vector<int> shown;
        for (const Control& tab : f.cmdTab)
            if (tab.visible) shown.push_back(tab.index);
        const std::size_t i = random() % shown.size();
        if (step == 0 || random() % 3 == 0) {
            if (f.tabCount == 43) t.dialogs.press(Answer::OK); // "Sorry, max number of tabs"
            const int current = f.currentTab;
            addTabs(t, 1);
            EXPECT_EQ(f.cmdTab.back().caption, "Tab " + std::to_string(f.cmdTab.size()));
            EXPECT_EQ(pressedTabs(f), std::vector<int>{current});
        } else {
            clickTab(t, shown[i]);
            deleteTab(t);
            const int neighbour = shown.size() == 1      ? shown[0]
                                  : i + 1 < shown.size() ? shown[i + 1]
                                                         : shown[i - 1];
            EXPECT_EQ(pressedTabs(f), std::vector<int>{neighbour});
        }
        int before = 0; // shown tabs before this one
        for (const Control& tab : f.cmdTab) {
            EXPECT_EQ(tab.left, W * (tab.visible ? before : before - 1)) << tab.index;
            before += tab.visible ? 1 : 0;
        }
        EXPECT_EQ(std::pair(before, f.picInner.width), std::pair(f.tabCount, W * before));
        EXPECT_LE(f.tabCount, 43);
        if (f.tabCount == 1) { // the last tab left: nothing to save, nothing to delete
            EXPECT_EQ(std::tuple(f.unsaved, f.mensave.enabled, f.menDelete.enabled),
                      std::tuple(false, false, false));
        }
    }
}

TEST(TabStrip, RenameKeepsNineCharactersAndTheTabFindsItsMarksAgain) {
    StartedProgram t(sampleRanges());
    FrmGradeHelp& f = t.form();
    rename(t, ""); // renames nothing
    EXPECT_FALSE(f.unsaved);
    rename(t, "Maths"); // a name alone is work to save
    EXPECT_EQ(
        std::tuple(f.unsaved, f.mensave.enabled, f.menResetAll.enabled, f.cmdResetAll.visible),
        std::tuple(true, true, true, true));
    addTabs(t, 1);
    // Characters, not bytes, are counted; a line break would come back from the file as a blank.
    for (const auto& [typed, shown] : std::vector<std::pair<std::string, std::string>>{
             {"Mathematics!", "Mathemati"},
             {"数学数学数学数学数学数学", "数学数学数学数学数"},
             {"a\r\nb", "a  b"},
             {" \"Ré\";=[", " \"Ré\";=["},
             {"0", "0"}}) {
        t.run(&FrmGradeHelp::cmdReset_Click);
        t.enterMark("7", "10", "20");
        rename(t, typed);
        EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - 70% in " + shown + " - Tallisto");
        clickTab(t, 1);
        clickTab(t, 0);
        EXPECT_EQ(f.lstScore.list, std::vector<std::string>{"7"}) << shown;
    }
}

// The scroll bar shows while the tabs are wider than the viewport; the Tab key scrolls just far
// enough to show the next tab, and a deletion scrolls the strip back to its start.
TEST(TabStrip, TabKeyMovesToTheNextShownTabScrollingJustFarEnoughAndWraps) {
    StartedProgram t(sampleRanges());
    FrmGradeHelp& f = t.form();
    addTabs(t, 4);
    EXPECT_EQ(std::pair(f.HBar.visible, f.Line4.visible), std::pair(false, false)) << "five fit";
    addTabs(t, 4);
    clickTab(t, 1);
    deleteTab(t); // tabs 0 and 2 to 8 remain
    const Control& bar = f.HBar;
    EXPECT_EQ(std::pair(bar.visible, f.Line4.visible), std::pair(true, true));
    EXPECT_EQ((std::vector{bar.min, bar.max, bar.largeChange, bar.smallChange, bar.value}),
              (std::vector{0, viewport - 8 * W, viewport, viewport / 5, 0}));
    clickTab(t, 4);
    std::vector<int> visited; // tab, then scroll value
    for (int i = 0; i < 5; ++i) {
        pressKey(t, vbKeyTab, i % 2); // Shift+Tab moves on like Tab
        visited.insert(visited.end(), {f.currentTab, bar.value});
        EXPECT_EQ(f.picInner.left, bar.value);
    }
    EXPECT_EQ(visited, (std::vector{5, 0, 6, viewport - 6 * W, 7, viewport - 7 * W, 8,
                                    viewport - 8 * W, 0, 0}));
    // A next tab left of the viewport, scrolled past by the user, is not scrolled into view.
    scrollTo(t, bar.max);
    pressKey(t, vbKeyTab);
    pressKey(t, 65); // other keys do nothing
    EXPECT_EQ(std::pair(f.currentTab, bar.value), std::pair(2, bar.max));
    EXPECT_EQ(f.focus, "cmdEasyWork");
    deleteTab(t);
    EXPECT_EQ(std::pair(bar.value, f.picInner.left), std::pair(0, 0));
}

} // namespace
} // namespace tallisto::testing
