// Adding, renaming and deleting tabs: limits, captions, the strip's geometry and the neighbour
// chosen after a deletion.
#include "tabs/tab_actions.h"

#include <random>

namespace tallisto::testing {
namespace {

constexpr int W = 854;

std::vector<int> lefts(const FrmGradeHelp& f) {
    std::vector<int> result;
    for (const Control& tab : f.cmdTab)
        result.push_back(tab.left);
    return result;
}

// Shown tabs side by side in index order, a hidden one a tab width left of its place, and
// picInner ending at the right edge of the last shown tab.
void expectPlacementRule(const FrmGradeHelp& f) {
    int shownBelow = 0;
    int rightEdge = 0;
    for (const Control& tab : f.cmdTab) {
        EXPECT_EQ(tab.left, W * (tab.visible ? shownBelow : shownBelow - 1)) << tab.index;
        EXPECT_EQ(tab.width, W);
        if (tab.visible) rightEdge = tab.left + tab.width;
        shownBelow += tab.visible ? 1 : 0;
    }
    EXPECT_EQ(shownBelow, f.tabCount);
    EXPECT_EQ(f.picInner.width, rightEdge);
}

TEST(TabEditing, NewTabsTakeTheNextIndexUpToFortyThree) {
    TestProgram t(sampleRanges());
    t.start();
    t.run([](FrmGradeHelp& f) { f.menNewTab_Click(); });
    t.run([](FrmGradeHelp& f) { f.picOuter_DblClick(); });
    addTabs(t, 40);
    FrmGradeHelp& f = t.form();
    ASSERT_EQ(f.tabCount, 43);
    ASSERT_EQ(f.cmdTab.size(), 43u);
    EXPECT_EQ(f.cmdTab[42].caption, "Tab 43");
    EXPECT_EQ(f.cmdTab[42].left, 42 * W);
    EXPECT_EQ(f.cmdTab[42].container, "picInner");
    EXPECT_EQ(f.picInner.width, 43 * W);
    EXPECT_EQ(f.currentTab, 0) << "the current tab does not change";
    EXPECT_EQ(pressedTabs(f), std::vector<int>{0});

    t.dialogs.press(Answer::OK);
    addTabs(t, 1);
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].prompt, "Sorry, max number of tabs (43) reached.");
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::OK);
    EXPECT_EQ(f.cmdTab.size(), 43u);
    EXPECT_EQ(f.focus, "cmdEasyWork");

    clickTab(t, 5);
    deleteCurrentTab(t);
    addTabs(t, 1);
    ASSERT_EQ(f.cmdTab.size(), 44u);
    EXPECT_EQ(f.cmdTab[43].caption, "Tab 44") << "an index is never given twice";
    EXPECT_EQ(f.cmdTab[43].left, 42 * W);
    EXPECT_EQ(f.tabCount, 43);
    expectPlacementRule(f);
}

TEST(TabEditing, NewTabMarksTheWorkUnsavedAndEnablesTabCommands) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    const FrmGradeHelp& f = t.form();
    EXPECT_TRUE(f.unsaved);
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - Tallisto");
    EXPECT_TRUE(f.cmdResetAll.visible);
    for (const Control* c : {&f.menResetAll, &f.cmdsave, &f.mensave, &f.menDelete, &f.menReportSet})
        EXPECT_TRUE(c->enabled) << c->name;
    EXPECT_TRUE(f.cmdTab[1].visible);
    EXPECT_FALSE(f.cmdTab[1].checked);
    EXPECT_EQ(f.cmdTab[1].top, f.cmdTab[0].top);
    EXPECT_EQ(f.cmdTab[1].height, f.cmdTab[0].height);
}

TEST(TabEditing, DeletingChoosesTheNeighbourAndSlidesLaterTabsLeft) {
    struct Case {
        const char* name;
        int deleted;
        int current;            // after the deletion
        std::vector<int> lefts; // of elements 0, 1, 2
        int addedLeft;          // of element 3 added afterwards
    };
    const Case cases[] = {
        {"first", 0, 1, {-W, 0, W}, 2 * W},
        {"middle", 1, 2, {0, 0, W}, 2 * W},
        {"last", 2, 1, {0, W, W}, 2 * W},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram t(sampleRanges());
        t.start();
        addTabs(t, 2);
        clickTab(t, c.deleted);
        deleteCurrentTab(t);
        FrmGradeHelp& f = t.form();
        EXPECT_FALSE(f.cmdTab[c.deleted].visible);
        EXPECT_EQ(f.currentTab, c.current);
        EXPECT_EQ(pressedTabs(f), std::vector<int>{c.current});
        EXPECT_EQ(lefts(f), c.lefts);
        EXPECT_EQ(f.tabCount, 2);
        EXPECT_EQ(f.picInner.width, 2 * W);
        EXPECT_EQ(f.picInner.left, 0);
        expectPlacementRule(f);

        addTabs(t, 1);
        EXPECT_EQ(f.cmdTab[3].caption, "Tab 4");
        EXPECT_EQ(f.cmdTab[3].left, c.addedLeft);
        expectPlacementRule(f);
    }
}

TEST(TabEditing, PlacementRuleHoldsThroughAnySequenceOfAddsAndDeletes) {
    TestProgram t(sampleRanges());
    t.start();
    std::mt19937 random(7);
    for (int step = 0; step < 120; ++step) {
        FrmGradeHelp& f = t.form();
        if (random() % 3 == 0 && f.tabCount < 43) {
            addTabs(t, 1);
        } else if (f.tabCount > 1) {
            std::vector<int> shown;
            for (const Control& tab : f.cmdTab)
                if (tab.visible) shown.push_back(tab.index);
            clickTab(t, shown[random() % shown.size()]);
            deleteCurrentTab(t);
        } else {
            addTabs(t, 3);
        }
        SCOPED_TRACE(step);
        expectPlacementRule(f);
        EXPECT_TRUE(f.cmdTab[f.currentTab].visible);
    }
}

TEST(TabEditing, DeletedTabIsStoredEmptyAndItsMarksGo) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    clickTab(t, 1);
    t.enterMark("8", "10", "50");
    deleteCurrentTab(t);
    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_NE(t.read("temp.tmp").find(crlf({"[Tab 1]", "Name=Tab 2", "count=0", "gradesys=0"})),
              std::string::npos);
    EXPECT_TRUE(t.form().lstScore.list.empty());
}

TEST(TabEditing, DeletingDownToOneEmptyTabLeavesNothingToSave) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    deleteCurrentTab(t);
    FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.tabCount, 1);
    EXPECT_FALSE(f.menDelete.enabled);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
    deleteCurrentTab(t);
    EXPECT_EQ(f.tabCount, 1) << "the only tab cannot be deleted";
    EXPECT_TRUE(f.cmdTab[1].visible);

    // With marks on the tab that remains, the work still counts as unsaved.
    addTabs(t, 1);
    t.enterMark("8", "10", "50");
    clickTab(t, 2);
    deleteCurrentTab(t);
    EXPECT_EQ(f.currentTab, 1);
    EXPECT_TRUE(f.unsaved);
    EXPECT_FALSE(f.menDelete.enabled);
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - 80% in Tab 2 - Tallisto");
}

TEST(TabEditing, RenameKeepsNineCharactersAndIgnoresAnEmptyAnswer) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    t.dialogs.cancel();
    t.run([](FrmGradeHelp& f) { f.menRename_Click(); });
    rename(t, "");
    EXPECT_EQ(f.cmdTab[0].caption, "Tab 1");
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(t.dialogs.shown[0].prompt, "Enter the new name of Tab 1");
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");

    rename(t, "Mathematics!");
    EXPECT_EQ(f.cmdTab[0].caption, "Mathemati");
    EXPECT_TRUE(f.unsaved);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_TRUE(f.cmdResetAll.visible);
    EXPECT_TRUE(f.menResetAll.enabled);
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - Tallisto");

    // Characters, not bytes: no letter is cut in two.
    rename(t, "Géographie");
    EXPECT_EQ(f.cmdTab[0].caption, "Géographi");
    rename(t, "Математика");
    EXPECT_EQ(f.cmdTab[0].caption, "Математик");
    rename(t, "数学数学数学数学数学数学");
    EXPECT_EQ(f.cmdTab[0].caption, "数学数学数学数学数");
    EXPECT_EQ(t.dialogs.shown.back().prompt, "Enter the new name of Математик");
}

TEST(TabEditing, RenamedTabsKeepTheirMarksWhateverTheName) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    // A line break would come back from the file as a blank; names with blanks at their ends
    // or in quotes must also come back as they were.
    for (const char* name : {"a\r\nb", " Art ", "\"Music\"", "Ré;=[x]", "数学", "0"}) {
        SCOPED_TRACE(name);
        t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
        t.enterMark("7", "10", "20");
        rename(t, name);
        clickTab(t, 1);
        clickTab(t, 0);
        EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"7"});
    }
    EXPECT_EQ(t.form().cmdTab[0].caption, "0");
}

} // namespace
} // namespace tallisto::testing
