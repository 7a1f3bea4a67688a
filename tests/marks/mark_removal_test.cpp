// Deleting marks: one selected mark (the others are replayed, so every total is computed afresh),
// all of a tab's, or everything at once with Reset All.
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

TEST(MarkRemoval, DeletingTheMiddleMarkEqualsTheTabOfTheOtherTwo) {
    for (int list = 0; list < 4; ++list) { // the four lists act as one table
        TestProgram t(sampleRanges()), two(sampleRanges());
        t.start();
        two.start();
        for (TestProgram* p : {&t, &two}) {
            addTabs(*p, 1); // among several tabs a deletion is a change to save
            p->enterMark("8", "10", "50");
            if (p == &t) p->enterMark("1", "3", "20");
            p->enterMark("15", "20", "25");
        }
        t.form().unsaved = false;
        t.form().mensave.enabled = false;
        selectMark(t, list, -1);
        EXPECT_FALSE(t.form().menDelSelRes.enabled) << "a click beside the entries";
        selectMark(t, list, 1);
        deleteSelectedMark(t);
        EXPECT_EQ(windowState(t.form()), windowState(two.form())) << list;
        EXPECT_EQ(t.program->modData.overallPercentage, two.program->modData.overallPercentage);
    }
}

// The selection may name no listed mark: deleting then changes nothing at all.
TEST(MarkRemoval, StaleSelectionDeletesNothingAndChangesNothing) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.enterMark("6", "10", "20");
    selectMark(t, 0, 1);  // enables the command
    selectMark(t, 1, -1); // a click beside the entries of another list
    const std::string before = windowState(t.form());
    for (const char* stale : {"-1", "", "abc", "2", "40000", "1.5", " 1"}) {
        t.form().selectedMark = stale;
        deleteSelectedMark(t);
        EXPECT_EQ(windowState(t.form()), before) << "selectedMark=" << stale;
    }
    EXPECT_FALSE(t.exists("temp.tmp")) << "nothing stored";
    t.run([](FrmGradeHelp& f) {
        f.selectedMark = "0";
        f.cmdReset_Click(); // the lists now hold nothing the old index could name
        f.menDelSelRes_Click();
    });
    EXPECT_TRUE(t.form().lstScore.list.empty());
}

TEST(MarkRemoval, ResetTabEmptiesTheTabAndKeepsItsNameAndSystem) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    EXPECT_FALSE(f.cmdResetAll.visible || f.menResetAll.enabled || f.mensave.enabled);
    EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto") << "one empty tab: nothing to save";
    addTabs(t, 1);
    fillTab(t, "Maths", {{"8", "10", "50"}}, 3);
    selectMark(t, 0, 0);
    f.unsaved = false;
    t.run([](FrmGradeHelp& f) { f.reset_Click(); });
    const TabView empty{{},   {},    {},    {}, "0", "0",
                        "0%", "0%",  "---", "", "",  "* Unsaved - Tallisto",
                        3,    false, false};
    EXPECT_EQ(viewOf(f), empty) << "two tabs: the reset is a change to save";
    EXPECT_FALSE(f.reset.enabled || f.menDelSelRes.enabled || f.menSaveReport.enabled);
    EXPECT_TRUE(f.cmdResetAll.visible && f.mensave.enabled);
    EXPECT_EQ(f.cmdTab[0].caption, "Maths");
    EXPECT_FALSE(t.exists("temp.tmp")) << "the working file is not touched";
    t.enterMark("3", "4", "10"); // every total starts again from 0
    const TabView v = viewOf(f);
    EXPECT_EQ((std::vector{v.scoreTotal, v.outOfTotal, v.weightingTotal, v.overall}),
              (std::vector<std::string>{"3", "4", "10%", "75%"}));
}

TEST(MarkRemoval, ResetAllBringsBackTheStartState) {
    const std::string settings = crlf({"[Settings]", "gradesys=3"});
    TestProgram fresh(sampleRanges()), t(sampleRanges());
    fresh.write("settings.ini", settings);
    t.write("settings.ini", settings);
    fresh.start();
    t.start();
    addTabs(t, 7);
    rename(t, "Maths");
    t.enterMark("8", "10", "50");
    clickTab(t, 3);
    deleteTab(t);
    pressKey(t, vbKeyTab);
    t.form().currentFilePath = "/somewhere/marks.tly";
    const std::string before = windowState(t.form());
    t.dialogs.press(Answer::No); // No changes nothing, and the menu item disables itself
    t.run([](FrmGradeHelp& f) { f.menResetAll_Click(); });
    EXPECT_EQ(t.dialogs.last(),
              R"(msgbox "Continue?" "Unsaved work will be lost, continue?" YesNo)");
    EXPECT_FALSE(t.form().menResetAll.enabled);
    t.form().menResetAll.enabled = true;
    EXPECT_EQ(windowState(t.form()), before);

    t.dialogs.press(Answer::Yes);
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    EXPECT_EQ(windowState(t.form()), windowState(fresh.form()));
    EXPECT_FALSE(t.exists("temp.tmp"));
    addTabs(t, 1);
    clickTab(t, 1);
    EXPECT_TRUE(t.form().lstScore.list.empty()) << "nothing of the old tab 1 comes back";
    t.form().unsaved = false; // without unsaved work Reset All asks nothing
    t.run([](FrmGradeHelp& f) { f.cmdResetAll_Click(); });
    EXPECT_EQ(t.form().cmdTab.size(), 1u);
}

} // namespace
} // namespace tallisto::testing
