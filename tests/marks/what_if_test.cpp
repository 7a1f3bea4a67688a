// SPDX-License-Identifier: GPL-3.0-or-later
// What-if marks and editing a mark: where they stand, what they count in, how they are stored
// and reported, and the questions an edit asks.
#include "app/events.h"
#include "shared/ini_document.h"
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

void click(TestProgram& t, void (FrmGradeHelp::*procedure)()) {
    t.run([procedure](FrmGradeHelp& f) { (f.*procedure)(); });
}

// What-if marks stand after the real marks, a real mark entered later goes before them, and the
// tab counts them as it counts real marks in that order: totals, percentage, grade, caption and
// plan are those of a tab where all of them are real.
TEST(WhatIfMarks, StandAfterTheRealMarksAndCountAsRealMarksDo) {
    StartedProgram t, allReal;
    t.enterMark("8", "10", "50");
    enterWhatIf(t, "15", "20", "25");
    t.enterMark("5", "0", "10"); // a mark out of 0 leaves the percentage as it was
    for (const Mark& m : {Mark{"8", "10", "50"}, Mark{"5", "0", "10"}, Mark{"15", "20", "25"}})
        allReal.enterMark(m.score, m.outOf, m.weighting);

    EXPECT_EQ(marksOf(t.form()), (std::vector<std::string>{"8|10|50|40|real", "5|0|10|0|real",
                                                           "15|20|25|18.75|whatif"}));
    EXPECT_EQ(describe(t.dialogs.shown[3]),
              R"(inputbox "What-If: Enter Your Score..." "What was your score?")");
    EXPECT_EQ(t.dialogs.shown[5].title, "What-If: Weighting of this peice...");
    EXPECT_EQ(viewOf(t.form()), viewOf(allReal.form()));
    const Plan plan = t.program->frmPlan.plan(), realPlan = allReal.program->frmPlan.plan();
    EXPECT_EQ(std::tuple(plan.left, plan.worst, plan.best),
              std::tuple(realPlan.left, realPlan.worst, realPlan.best));
    EXPECT_TRUE(t.form().lblWhatIf.visible);
    EXPECT_EQ(t.form().lblWhatIf.caption, "Counting 1 what-if mark");
    EXPECT_TRUE(t.form().menClearWhatIf.enabled);

    // Deleted, a what-if mark leaves the others as they were, kinds included.
    const std::vector<std::string> marks = marksOf(t.form());
    enterWhatIf(t, "2", "4", "5");
    selectMark(t, 0, 3);
    deleteSelectedMark(t);
    EXPECT_EQ(marksOf(t.form()), marks);

    selectMark(t, 3, 0);
    EXPECT_FALSE(t.form().menMakeReal.enabled) << "a real mark is real already";
    selectMark(t, 3, 2);
    click(t, &FrmGradeHelp::menMakeReal_Click);
    EXPECT_EQ(marksOf(t.form()).back(), "15|20|25|18.75|real");
    selectMark(allReal, 3, 2);
    EXPECT_EQ(windowState(t.form()), windowState(allReal.form())) << "nothing what-if left";
}

// Saved and opened, switched away from and back to: the same list, the same kinds. The keys a
// reader of files without what-if marks knows hold the real marks alone.
TEST(WhatIfMarks, SurviveASwitchASaveAndAnOpenUnderKeysOfTheirOwn) {
    StartedProgram t;
    t.enterMark("8", "10", "50");
    enterWhatIf(t, "15", "20", "25");
    enterWhatIf(t, "2", "4", "5");
    addTabs(t);
    clickTab(t, 1);
    enterWhatIf(t, "3", "4", "10");
    const std::vector<std::string> first = {"8|10|50|40|real", "15|20|25|18.75|whatif",
                                            "2|4|5|2.5|whatif"};
    const std::vector<std::string> second = {"3|4|10|7.5|whatif"};
    clickTab(t, 0);
    EXPECT_EQ(marksOf(t.form()), first);
    ASSERT_TRUE(saveAs(t, t.file("marks.tly")));
    const std::string saved = t.read("marks.tly");
    EXPECT_EQ(saved, crlf({"[TabInfo]",
                           "NumTabs=2",
                           "[Tab 0]",
                           "Name=Tab 1",
                           "count=1",
                           "yougot0=8",
                           "outof0=10",
                           "weighting0=50",
                           "gradesys=0",
                           "whatifcount=2",
                           "whatifyougot0=15",
                           "whatifoutof0=20",
                           "whatifweighting0=25",
                           "whatifyougot1=2",
                           "whatifoutof1=4",
                           "whatifweighting1=5",
                           "[Tab 1]",
                           "Name=Tab 2",
                           "count=0",
                           "gradesys=0",
                           "whatifcount=1",
                           "whatifyougot0=3",
                           "whatifoutof0=4",
                           "whatifweighting0=10"}));
    // A reader of "count", "yougotN", "outofN" and "weightingN" alone finds the real marks.
    IniDocument file = IniDocument::parse(saved);
    EXPECT_EQ(file.value("Tab 0", "count"), "1");
    EXPECT_EQ(std::tuple(file.value("Tab 0", "yougot0"), file.value("Tab 0", "outof0"),
                         file.value("Tab 0", "weighting0")),
              std::tuple("8", "10", "50"));
    EXPECT_EQ(file.value("Tab 0", "yougot1"), std::nullopt);
    EXPECT_EQ(file.value("Tab 1", "count"), "0");

    StartedProgram opened;
    open(opened, t.file("marks.tly"));
    EXPECT_EQ(marksOf(opened.form()), first);
    clickTab(opened, 1);
    EXPECT_EQ(marksOf(opened.form()), second);
    EXPECT_FALSE(opened.form().unsaved);
    // Cleared, the tab's record says so: it comes back empty.
    click(opened, &FrmGradeHelp::menClearWhatIf_Click);
    clickTab(opened, 0);
    clickTab(opened, 1);
    EXPECT_EQ(marksOf(opened.form()), std::vector<std::string>{});
    EXPECT_FALSE(opened.form().lblWhatIf.visible);
}

// A report lists what the student received: the tab's block is the block of the same tab
// without its what-if marks, totals, percentage and grade included, and the window stays as it
// was. The report set does the same for every tab.
TEST(WhatIfMarks, ReportsShowEachTabWithoutItsWhatIfMarks) {
    StartedProgram t;
    fillTab(t, "Maths", {{"8", "10", "50"}, {"3", "4", "10"}}, 1);
    enterWhatIf(t, "19", "20", "30");
    addTabs(t);
    clickTab(t, 1);
    enterWhatIf(t, "1", "2", "10"); // what-if marks alone
    clickTab(t, 0);
    const auto report = [&t](void (FrmGradeHelp::*command)(), const std::string& name) {
        t.dialogs.choose(t.file(name));
        t.dialogs.press(Answer::Cancel);
        const std::string before = workState(t);
        click(t, command);
        EXPECT_EQ(workState(t), before) << name;
        return t.read(name);
    };
    const std::string subject = report(&FrmGradeHelp::menSaveReport_Click, "subject.txt");
    const std::string set = report(&FrmGradeHelp::menReportSet_Click, "set.txt");
    click(t, &FrmGradeHelp::menClearWhatIf_Click);
    clickTab(t, 1);
    click(t, &FrmGradeHelp::menClearWhatIf_Click);
    clickTab(t, 0);
    EXPECT_EQ(subject, report(&FrmGradeHelp::menSaveReport_Click, "real-subject.txt"));
    EXPECT_EQ(set, report(&FrmGradeHelp::menReportSet_Click, "real-set.txt"));
    EXPECT_NE(subject.find("Your overall percentage is 79.17%."), std::string::npos) << subject;
}

// An edit asks the three questions with the mark's own texts; the weighting limit counts the
// other marks and not the weighting the mark had. Over the limit, or cancelled, nothing changes.
TEST(EditingAMark, AsksWithTheMarksTextsAndWeighsItAgainstTheOtherMarks) {
    StartedProgram t;
    t.enterMark("8", "10", "50");
    t.enterMark("15", "20", "40");
    enterWhatIf(t, "1", "2", "5");
    selectMark(t, 1, 0);
    t.typeMark("9", "10", "55"); // 40 + 5 + 55: within the limit
    click(t, &FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(std::vector(t.dialogs.inputDefaults.end() - 3, t.dialogs.inputDefaults.end()),
              (std::vector<std::string>{"8", "10", "50"}));
    EXPECT_EQ(marksOf(t.form())[0], "9|10|55|49.5|real");
    EXPECT_EQ(t.form().lblWeightingTot.caption, "100%") << "the what-if mark counts too";
    EXPECT_EQ(t.form().markToDelete(), 0) << "the mark edited stays selected";

    const std::string before = workState(t);
    t.typeMark("9", "10", "55.01"); // 40 + 5 + 55.01 = 100.01
    t.dialogs.press(Answer::OK);
    click(t, &FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(t.dialogs.last(), R"(msgbox "Tallisto" "Weighting must not be > 100%" OK)");
    EXPECT_EQ(workState(t), before);
    EXPECT_EQ(t.form().menUndo.caption, "Undo Edit Mark");
    t.dialogs.type("10");
    t.dialogs.cancel();
    click(t, &FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(workState(t), before) << "cancelled";

    // A double click on a row edits that row; a what-if mark is asked about as one.
    t.typeMark("2", "2", "5");
    ASSERT_EQ(t.program->run(*findProcedure("lstTotal_DblClick"), {2}), Program::Outcome::Ran);
    EXPECT_EQ(t.dialogs.shown.back().title, "What-If: Weighting of this peice...");
    EXPECT_EQ(t.dialogs.inputDefaults.back(), "5");
    EXPECT_EQ(marksOf(t.form())[2], "2|2|5|5|whatif");
}

} // namespace
} // namespace tallisto::testing
