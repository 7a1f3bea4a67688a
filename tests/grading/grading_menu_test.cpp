// The grade panel and the choice of a grading system.
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

struct GradeRow {
    const char* score; // out of 100, weighting 100
    const char* grade;
    const char* range;
    const char* tip;
};

TEST(Grade, FollowsTheBoundsWithTheHigherGradeAtABound) {
    const GradeRow rows[] = {
        {"49.5", "E", "(<50%)", "Rounded Percentage: 49.5%"},
        {"49.74", "E", "(<50%)", "Rounded Percentage: 49.5%"},
        {"49.75", "D", "(>50% <65%)", "Rounded Percentage: 50%"},
        {"50", "D", "(>50% <65%)", "Rounded Percentage: 50%"},
        {"79.5", "C", "(>65% <80%)", "Rounded Percentage: 79.5%"},
        {"80", "B", "(>80%)", "Rounded Percentage: 80%"},
        {"72.25", "C", "(>65% <80%)", "Rounded Percentage: 72%"},
        {"72.75", "C", "(>65% <80%)", "Rounded Percentage: 73%"},
        {"72.3", "C", "(>65% <80%)", "Rounded Percentage: 72.5%"},
        {"0", "E", "(<50%)", "Rounded Percentage: 0%"},
    };
    for (const GradeRow& r : rows) {
        SCOPED_TRACE(r.score);
        TestProgram t(sampleRanges());
        t.start();
        t.enterMark(r.score, "100", "100");
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ(f.lblGrade.caption, r.grade);
        EXPECT_EQ(f.lblGradePer.caption, r.range);
        EXPECT_EQ(f.lblShit.toolTipText, r.tip);
        EXPECT_EQ(f.lblGradeSys.caption, "Using Simple grading.");
    }
}

TEST(Grade, RoundedPercentageIsWhatTheCaptionShows) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("72.25", "100", "100");
    EXPECT_EQ(t.form().lblShit.caption, "72.25%") << "the label keeps the unrounded value";
    EXPECT_EQ(t.form().frmGradeHelp.caption, "* Unsaved - 72% in Tab 1 - Tallisto");
    t.run([](FrmGradeHelp& f) { f.GradeIs(); });
    EXPECT_EQ(t.program->modData.overallPercentage, 72) << "rounding twice changes nothing";
}

TEST(Grade, BoundTextIsShownAsWrittenAndMissingSystemsShowQuestionMarks) {
    TestProgram t(sampleRanges());
    t.start();
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(1); });
    t.enterMark("30", "100", "100");
    EXPECT_EQ(t.form().lblGrade.caption, "Fail");
    EXPECT_EQ(t.form().lblGradePer.caption, "(<50.0%)");

    TestProgram u(crlf({"[Gradesys0]", "name=Empty"}));
    u.start();
    u.enterMark("5", "10", "10");
    EXPECT_EQ(u.form().lblGrade.caption, "??");
    EXPECT_EQ(u.form().lblGradePer.caption, "(>0%)");
}

TEST(GradingMenu, ChoosingASystemMarksUnsavedAndRegradesAtOnce) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    EXPECT_TRUE(f.menGradesys[3].checked);
    EXPECT_FALSE(f.menGradesys[0].checked);
    EXPECT_EQ(f.gradeSys, 3);
    EXPECT_TRUE(f.unsaved);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_EQ(f.lblGradeSys.caption, "") << "no marks: the panel stays as it was";
    EXPECT_EQ(f.frmGradeHelp.caption, "* Unsaved - Tallisto");

    t.enterMark("45", "100", "100");
    EXPECT_EQ(f.lblGrade.caption, "High");
    EXPECT_EQ(f.lblGradeSys.caption, "Using Three grading.");
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(0); });
    EXPECT_EQ(f.lblGrade.caption, "E");
    EXPECT_EQ(f.lblGradePer.caption, "(<50%)");
    EXPECT_EQ(f.lblGradeSys.caption, "Using Simple grading.");
}

TEST(GradingMenu, OutOf20SystemsShowTheButtonAndOthersHideTheWindow) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    EXPECT_FALSE(f.cmdTER.visible);
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(1); });
    EXPECT_TRUE(f.cmdTER.visible);
    t.run([](FrmGradeHelp& f) { f.cmdTER_Click(); });
    EXPECT_TRUE(t.ter().frmTER.visible);
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(0); });
    EXPECT_FALSE(f.cmdTER.visible);
    EXPECT_FALSE(t.ter().frmTER.visible);
    EXPECT_TRUE(t.ter().TimerFrmTer.enabled) << "hiding leaves the timer running";
}

TEST(GradingMenu, EditedRangesCountAtTheNextGrade) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("60", "100", "100");
    EXPECT_EQ(t.form().lblGrade.caption, "D");
    std::string edited = sampleRanges();
    edited.replace(edited.find("range0=50\r"), 10, "range0=70\r");
    t.write("graderanges.txt", edited);
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(0); });
    EXPECT_EQ(t.form().lblGrade.caption, "E");
    EXPECT_EQ(t.form().lblGradePer.caption, "(<70%)");
}

TEST(GradingMenu, EditRangesOpensTheFileInTheEditor) {
    TestProgram t;
    t.start();
    t.run([](FrmGradeHelp& f) { f.menEditRanges_Click(); });
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].kind, "editor");
    EXPECT_EQ(t.dialogs.shown[0].prompt, t.file("graderanges.txt"));
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
}

} // namespace
} // namespace tallisto::testing
