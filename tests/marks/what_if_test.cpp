// SPDX-License-Identifier: GPL-3.0-or-later
// What-if marks and editing a mark: where they stand, what they count in, how they are stored,
// and the questions an edit asks.
#include "app/events.h"
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

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
    EXPECT_EQ(viewOf(t.form()), viewOf(allReal.form()));
    const Plan plan = t.program->frmPlan.plan(), realPlan = allReal.program->frmPlan.plan();
    EXPECT_EQ(std::tuple(plan.left, plan.worst, plan.best),
              std::tuple(realPlan.left, realPlan.worst, realPlan.best));
    EXPECT_EQ(std::tuple(t.form().lblWhatIf.visible, t.form().lblWhatIf.caption,
                         t.form().menClearWhatIf.enabled),
              std::tuple(true, "Counting 1 what-if mark", true));

    // Deleted, a what-if mark leaves the others as they were, kinds included.
    const std::vector<std::string> marks = marksOf(t.form());
    enterWhatIf(t, "2", "4", "5");
    selectMark(t, 0, 3);
    t.run(&FrmGradeHelp::menDelSelRes_Click);
    EXPECT_EQ(marksOf(t.form()), marks);

    selectMark(t, 3, 0);
    EXPECT_FALSE(t.form().menMakeReal.enabled) << "a real mark is real already";
    selectMark(t, 3, 2);
    t.run(&FrmGradeHelp::menMakeReal_Click);
    EXPECT_EQ(marksOf(t.form()).back(), "15|20|25|18.75|real");
    selectMark(allReal, 3, 2);
    EXPECT_EQ(windowState(t.form()), windowState(allReal.form())) << "nothing what-if left";
}

// Saved and opened, switched away from and back to: the same list, the same kinds.
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
    clickTab(t, 0);
    EXPECT_EQ(marksOf(t.form()), first);
    ASSERT_TRUE(saveAs(t, t.file("marks.tly")));
    // The keys that a reader of files without what-if marks knows hold the real marks alone.
    EXPECT_EQ(t.read("marks.tly"),
              crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Tab 1", "count=1", "yougot0=8",
                    "outof0=10", "weighting0=50", "gradesys=0", "whatifcount=2", "whatifyougot0=15",
                    "whatifoutof0=20", "whatifweighting0=25", "whatifyougot1=2", "whatifoutof1=4",
                    "whatifweighting1=5"}) +
                  crlf({"[Tab 1]", "Name=Tab 2", "count=0", "gradesys=0", "whatifcount=1",
                        "whatifyougot0=3", "whatifoutof0=4", "whatifweighting0=10"}));
    StartedProgram opened;
    open(opened, t.file("marks.tly"));
    EXPECT_EQ(marksOf(opened.form()), first);
    clickTab(opened, 1);
    EXPECT_EQ(marksOf(opened.form()), std::vector<std::string>{"3|4|10|7.5|whatif"});
    EXPECT_FALSE(opened.form().unsaved);
    // Cleared, the tab's record says so: it comes back empty.
    opened.run(&FrmGradeHelp::menClearWhatIf_Click);
    clickTab(opened, 0);
    clickTab(opened, 1);
    EXPECT_EQ(marksOf(opened.form()), std::vector<std::string>{});
    EXPECT_FALSE(opened.form().lblWhatIf.visible);
    // Made real where it stands, a what-if mark changes the count alone: leaving stores that.
    clickTab(opened, 0);
    selectMark(opened, 0, 1);
    opened.run(&FrmGradeHelp::menMakeReal_Click);
    clickTab(opened, 1);
    clickTab(opened, 0);
    EXPECT_EQ(
        marksOf(opened.form()),
        (std::vector<std::string>{"8|10|50|40|real", "15|20|25|18.75|real", "2|4|5|2.5|whatif"}));
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
    t.run(&FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(std::vector(t.dialogs.inputDefaults.end() - 3, t.dialogs.inputDefaults.end()),
              (std::vector<std::string>{"8", "10", "50"}));
    EXPECT_EQ(marksOf(t.form())[0], "9|10|55|49.5|real");
    EXPECT_EQ(t.form().lblWeightingTot.caption, "100%") << "the what-if mark counts too";
    EXPECT_EQ(t.form().markToDelete(), 0) << "the mark edited stays selected";

    const std::string before = workState(t);
    t.typeMark("9", "10", "55.01"); // 40 + 5 + 55.01 = 100.01
    t.dialogs.press(Answer::OK);
    t.run(&FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(t.dialogs.last(), R"(msgbox "Tallisto" "Weighting must not be > 100%" OK)");
    EXPECT_EQ(workState(t), before);
    EXPECT_EQ(t.form().menUndo.caption, "Undo Edit Mark");
    t.dialogs.type("10");
    t.dialogs.cancel();
    t.run(&FrmGradeHelp::menEditMark_Click);
    EXPECT_EQ(workState(t), before) << "cancelled";

    // A double click on a row edits that row; a what-if mark is asked about as one. The tab
    // was stored before: an edit that keeps every text's length is stored again when it is left.
    addTabs(t);
    clickTab(t, 1);
    clickTab(t, 0);
    t.typeMark("2", "2", "5");
    ASSERT_EQ(t.program->run(*findProcedure("lstTotal_DblClick"), {2}), Program::Outcome::Ran);
    EXPECT_EQ(t.dialogs.shown.back().title, "What-If: Weighting of this peice...");
    EXPECT_EQ(t.dialogs.inputDefaults.back(), "5");
    clickTab(t, 1);
    clickTab(t, 0);
    EXPECT_EQ(marksOf(t.form())[2], "2|2|5|5|whatif");
    // So is one that changes the last digit alone of a text of four letters or more, or of eight.
    for (const char* outOf : {"12.25", "12.26", "1234.5678", "1234.5679"}) {
        t.typeMark("2", outOf, "5");
        ASSERT_EQ(t.program->run(*findProcedure("lstTotal_DblClick"), {2}), Program::Outcome::Ran);
        clickTab(t, 1);
        clickTab(t, 0);
        EXPECT_TRUE(marksOf(t.form())[2].starts_with("2|" + std::string(outOf) + "|5|")) << outOf;
    }
}

} // namespace
} // namespace tallisto::testing
