// Deleting one selected mark: the remaining marks are replayed, so every total is computed
// afresh; a stale selection deletes nothing.
#include "tabs/tab_actions.h"

namespace tallisto::testing {
namespace {

void selectIn(TestProgram& t, Control FrmGradeHelp::*list, int index) {
    t.run([=](FrmGradeHelp& f) {
        (f.*list).listIndex = index;
        if (list == &FrmGradeHelp::lstScore) f.lstScore_MouseUp();
        if (list == &FrmGradeHelp::lstTotal) f.lstTotal_MouseUp();
        if (list == &FrmGradeHelp::lstWeighting) f.lstWeighting_MouseUp();
        if (list == &FrmGradeHelp::lstPercentage) f.lstPercentage_MouseUp();
    });
}

void deleteSelected(TestProgram& t) {
    t.run([](FrmGradeHelp& f) { f.menDelSelRes_Click(); });
}

TEST(MarkRemoval, DeletingTheMiddleMarkEqualsTheTabOfTheOtherTwo) {
    TestProgram t(sampleRanges()), two(sampleRanges());
    t.start();
    two.start();
    t.enterMark("8", "10", "50");
    t.enterMark("1", "3", "20");
    t.enterMark("15", "20", "25");
    two.enterMark("8", "10", "50");
    two.enterMark("15", "20", "25");

    selectIn(t, &FrmGradeHelp::lstWeighting, 1);
    EXPECT_EQ(t.form().selectedMark, "1");
    EXPECT_TRUE(t.form().menDelSelRes.enabled);
    deleteSelected(t);
    EXPECT_EQ(viewOf(t.form()), viewOf(two.form()));
    EXPECT_EQ(t.form().frmGradeHelp.caption, two.form().frmGradeHelp.caption);
    EXPECT_EQ(t.form().program().modData.overallPercentage,
              two.form().program().modData.overallPercentage);
    EXPECT_FALSE(t.form().menDelSelRes.enabled) << "until an entry is clicked again";
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
}

TEST(MarkRemoval, AnyListSelectsTheMarkOfItsRow) {
    for (auto list : {&FrmGradeHelp::lstScore, &FrmGradeHelp::lstTotal, &FrmGradeHelp::lstWeighting,
                      &FrmGradeHelp::lstPercentage}) {
        TestProgram t(sampleRanges());
        t.start();
        t.enterMark("1", "10", "10");
        t.enterMark("2", "10", "10");
        selectIn(t, list, -1);
        EXPECT_EQ(t.form().selectedMark, "-1");
        EXPECT_FALSE(t.form().menDelSelRes.enabled);
        selectIn(t, list, 0);
        deleteSelected(t);
        EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"2"});
        EXPECT_EQ(t.form().lstPercentage.list, std::vector<std::string>{"2"});
    }
}

TEST(MarkRemoval, DeletingTheOnlyMarkOfTheOnlyTabLeavesNothingToSave) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    selectIn(t, &FrmGradeHelp::lstScore, 0);
    deleteSelected(t);
    const FrmGradeHelp& f = t.form();
    EXPECT_TRUE(f.lstScore.list.empty());
    EXPECT_FALSE(f.cmdReset.visible);
    EXPECT_FALSE(f.cmdResetAll.visible);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_FALSE(f.cmdsave.enabled);
    EXPECT_FALSE(f.unsaved);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
    EXPECT_EQ(f.lblGrade.caption, "---");
}

TEST(MarkRemoval, DeletingAMarkAmongSeveralTabsMarksTheWorkUnsaved) {
    TestProgram t(sampleRanges());
    t.start();
    addTabs(t, 1);
    t.enterMark("8", "10", "50");
    t.enterMark("6", "10", "50");
    t.run([](FrmGradeHelp& f) {
        f.unsaved = false;
        f.mensave.enabled = false;
    });
    selectIn(t, &FrmGradeHelp::lstPercentage, 1);
    deleteSelected(t);
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_TRUE(t.form().mensave.enabled);
    EXPECT_EQ(t.form().frmGradeHelp.caption, "* Unsaved - 80% in Tab 1 - Tallisto");
    EXPECT_NE(t.read("temp.tmp").find("count=1\r\n"), std::string::npos);
}

TEST(MarkRemoval, StaleSelectionDeletesNothingAndChangesNothing) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.enterMark("6", "10", "20");
    selectIn(t, &FrmGradeHelp::lstScore, 1);  // enables the command
    selectIn(t, &FrmGradeHelp::lstTotal, -1); // a click beside the entries of another list
    const TabView before = viewOf(t.form());
    const std::string caption = t.form().frmGradeHelp.caption;
    for (const char* stale : {"-1", "", "abc", "2", "40000", "1.5", " 1"}) {
        SCOPED_TRACE(std::string("selectedMark=") + stale);
        t.run([stale](FrmGradeHelp& f) {
            f.selectedMark = stale;
            f.menDelSelRes_Click();
        });
        EXPECT_EQ(viewOf(t.form()), before);
        EXPECT_EQ(t.form().frmGradeHelp.caption, caption);
        EXPECT_TRUE(t.form().menDelSelRes.enabled);
        EXPECT_FALSE(t.exists("temp.tmp")) << "nothing stored";
    }
    // After Reset Tab the lists hold nothing the old index could name.
    t.run([](FrmGradeHelp& f) {
        f.selectedMark = "0";
        f.cmdReset_Click();
        f.menDelSelRes_Click();
    });
    EXPECT_TRUE(t.form().lstScore.list.empty());
}

} // namespace
} // namespace tallisto::testing
