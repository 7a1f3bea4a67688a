// Reset Tab empties the current tab; Reset All brings back the program as it starts.
#include "tabs/tab_actions.h"

namespace tallisto::testing {
namespace {

TEST(Reset, ResetTabEmptiesTheTabAndKeepsItsNameAndSystem) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    rename(t, "Maths");
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) {
        f.lstScore.listIndex = 0;
        f.lstScore_MouseUp();
        f.ResetTab();
    });
    const FrmGradeHelp& f = t.form();
    for (const Control* list : {&f.lstScore, &f.lstTotal, &f.lstWeighting, &f.lstPercentage})
        EXPECT_TRUE(list->list.empty()) << list->name;
    EXPECT_EQ(f.lblScoreTot.caption, "0");
    EXPECT_EQ(f.lblTotalTest.caption, "0");
    EXPECT_EQ(f.lblWeightingTot.caption, "0%");
    EXPECT_EQ(f.lblShit.caption, "0%");
    EXPECT_EQ(f.lblShit.toolTipText, "0%");
    EXPECT_EQ(f.lblGrade.caption, "---");
    EXPECT_EQ(f.lblGradePer.caption, "");
    EXPECT_EQ(f.lblGradeSys.caption, "");
    EXPECT_EQ(f.youGot, "0");
    EXPECT_EQ(f.outOf, "0");
    EXPECT_EQ(f.weighting, "0");
    for (double total : {f.youGotTotal, f.outOfTotal, f.weightingTotal, f.weightedScoreTotal,
                         f.weightedScore, t.program->modData.overallPercentage})
        EXPECT_EQ(total, 0);
    EXPECT_FALSE(f.cmdReset.visible);
    EXPECT_FALSE(f.reset.enabled);
    EXPECT_FALSE(f.menDelSelRes.enabled);
    EXPECT_FALSE(f.menSaveReport.enabled);
    EXPECT_TRUE(f.cmdResetAll.visible) << "two tabs: Reset All stays";
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_EQ(f.gradeSys, 3);
    EXPECT_EQ(f.cmdTab[0].caption, "Maths");
    EXPECT_EQ(f.selectedMark, "0");
    EXPECT_TRUE(f.unsaved);
}

TEST(Reset, ResetTabButtonSetsTheUnsavedFlagOnlyAmongSeveralTabs) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    FrmGradeHelp& f = t.form();
    EXPECT_FALSE(f.unsaved);
    EXPECT_FALSE(f.cmdResetAll.visible);
    EXPECT_FALSE(f.menResetAll.enabled);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_FALSE(f.cmdsave.enabled);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");

    addTabs(t, 1);
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) {
        f.unsaved = false;
        f.mensave.enabled = false;
        f.reset_Click();
    });
    EXPECT_TRUE(f.unsaved);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - Tallisto");
    EXPECT_FALSE(t.exists("temp.tmp")) << "the working file is not touched";
}

TEST(Reset, ResetAllRestoresTheStartState) {
    TestProgram t(sampleRanges());
    t.start();
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    addTabs(t, 7);
    rename(t, "Maths");
    t.enterMark("8", "10", "50");
    clickTab(t, 3);
    t.enterMark("5", "10", "50");
    deleteCurrentTab(t);
    pressKey(t, vbKeyTab);
    t.run([](FrmGradeHelp& f) {
        f.currentFilePath = "/somewhere/marks.tly";
        f.currentFileTitle = "marks.tly";
    });
    ASSERT_TRUE(t.exists("temp.tmp"));

    t.dialogs.press(Answer::Yes);
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    EXPECT_EQ(t.dialogs.shown.back().prompt, "Unsaved work will be lost, continue?");
    EXPECT_EQ(t.dialogs.shown.back().title, "Continue?");
    EXPECT_EQ(t.dialogs.shown.back().buttons, Buttons::YesNo);

    const FrmGradeHelp& f = t.form();
    ASSERT_EQ(f.cmdTab.size(), 1u);
    EXPECT_EQ(f.cmdTab[0].caption, "Tab 1");
    EXPECT_TRUE(f.cmdTab[0].visible);
    EXPECT_TRUE(f.cmdTab[0].checked);
    EXPECT_EQ(f.cmdTab[0].left, 0);
    EXPECT_EQ(f.currentTab, 0);
    EXPECT_EQ(f.tabCount, 1);
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
    EXPECT_EQ(f.currentFilePath, "");
    EXPECT_EQ(f.currentFileTitle, "");
    EXPECT_FALSE(t.exists("temp.tmp"));
    EXPECT_TRUE(f.lstScore.list.empty());
    EXPECT_FALSE(f.HBar.visible);
    EXPECT_FALSE(f.Line4.visible);
    EXPECT_EQ(f.HBar.value, 0);
    EXPECT_EQ(f.picInner.left, 0);
    EXPECT_EQ(f.picInner.width, 854);
    EXPECT_EQ(f.picInner.height, 375);
    EXPECT_FALSE(f.cmdResetAll.visible);
    EXPECT_FALSE(f.cmdReset.visible);
    for (const Control* c : {&f.menResetAll, &f.mensave, &f.cmdsave, &f.menReportSet, &f.menDelete,
                             &f.menDelSelRes, &f.menSaveReport, &f.reset})
        EXPECT_FALSE(c->enabled) << c->name;
    EXPECT_EQ(f.gradeSys, 3) << "the grading system in use stays";
    EXPECT_EQ(f.focus, "cmdEasyWork");

    addTabs(t, 1);
    EXPECT_EQ(f.cmdTab[1].caption, "Tab 2");
    EXPECT_EQ(f.cmdTab[1].left, 854);
    clickTab(t, 1);
    EXPECT_TRUE(f.lstScore.list.empty()) << "nothing of the old tab 1 comes back";
}

TEST(Reset, ResetAllAnsweredNoChangesNothingAndTheMenuItemDisablesItself) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 2);
    t.enterMark("8", "10", "50");
    clickTab(t, 1);
    const std::string stored = t.read("temp.tmp");

    t.dialogs.press(Answer::No);
    t.run([](FrmGradeHelp& f) { f.menResetAll_Click(); });
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.cmdTab.size(), 3u);
    EXPECT_EQ(f.currentTab, 1);
    EXPECT_TRUE(f.unsaved);
    EXPECT_EQ(t.read("temp.tmp"), stored);
    EXPECT_TRUE(f.cmdResetAll.visible) << "the button stays";
    EXPECT_FALSE(f.menResetAll.enabled);
}

TEST(Reset, ResetAllWithoutUnsavedWorkAsksNothingAndDeletesTheWorkingFile) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    clickTab(t, 1);
    t.run([](FrmGradeHelp& f) { f.unsaved = false; });
    ASSERT_TRUE(t.exists("temp.tmp"));
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_FALSE(t.exists("temp.tmp"));
    EXPECT_EQ(t.form().cmdTab.size(), 1u);

    // Opening a file runs it with loadingTabs set: it asks nothing either.
    addTabs(t, 1);
    t.run([](FrmGradeHelp& f) {
        f.loadingTabs = true;
        f.cmdResetAll_Click();
        f.loadingTabs = false;
    });
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.form().cmdTab.size(), 1u);
}

} // namespace
} // namespace tallisto::testing
