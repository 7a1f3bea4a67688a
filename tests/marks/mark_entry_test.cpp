// Entering marks through the three questions, and the totals they give.
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

struct Row {
    const char* score;
    const char* outOf;
    const char* weighting;
    const char* entry;
    const char* scoreTotal;
    const char* outOfTotal;
    const char* weightingTotal;
    const char* overall;
};

TEST(MarkEntry, WorkedExampleGivesTheTotalsOfEachRow) {
    TestProgram t;
    t.start();
    const Row rows[] = {
        {"8", "10", "50", "40", "8", "10", "50%", "80%"},
        {"15", "20", "25", "18.75", "23", "30", "75%", "78.33%"},
        {"5", "0", "25", "0", "23", "30", "100%", "78.33%"},
        {"1", "1", "0", "0", "24", "31", "100%", "58.75%"},
    };
    std::size_t count = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.score + std::string("/") + r.outOf);
        t.enterMark(r.score, r.outOf, r.weighting);
        FrmGradeHelp& f = t.form();
        ++count;
        ASSERT_EQ(f.lstPercentage.list.size(), count);
        EXPECT_EQ(f.lstScore.list.size(), count);
        EXPECT_EQ(f.lstTotal.list.size(), count);
        EXPECT_EQ(f.lstWeighting.list.size(), count);
        EXPECT_EQ(f.lstPercentage.list.back(), r.entry);
        EXPECT_EQ(f.lblScoreTot.caption, r.scoreTotal);
        EXPECT_EQ(f.lblTotalTest.caption, r.outOfTotal);
        EXPECT_EQ(f.lblWeightingTot.caption, r.weightingTotal);
        EXPECT_EQ(f.lblShit.caption, r.overall);
    }
}

TEST(MarkEntry, AnswersAreNormalisedAsNumbers) {
    TestProgram t;
    t.start();
    t.enterMark("abc", " 12.50", "33.333");
    t.enterMark("3/4", "7.50 marks", "1e1");
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.lstScore.list, (std::vector<std::string>{"0", "3"}));
    EXPECT_EQ(f.lstTotal.list, (std::vector<std::string>{"12.5", "7.5"}));
    EXPECT_EQ(f.lstWeighting.list, (std::vector<std::string>{"33.33", "10"}));
    EXPECT_EQ(f.lblWeightingTot.caption, "43.33%");
}

TEST(MarkEntry, WeightingLimitLiesAt100Point01) {
    TestProgram t;
    t.start();
    t.enterMark("1", "1", "33.33");
    t.enterMark("1", "1", "33.33");
    t.enterMark("1", "1", "33.33");
    t.enterMark("1", "1", "0.01");
    EXPECT_EQ(t.form().lstScore.list.size(), 4u);
    EXPECT_EQ(t.form().lblWeightingTot.caption, "100%");
    t.enterMark("1", "1", "0");
    EXPECT_EQ(t.form().lstScore.list.size(), 5u) << "a weighting of 0 still fits";

    t.typeMark("1", "1", "0.02");
    t.dialogs.press(Answer::OK);
    t.clickEasyWork();
    EXPECT_EQ(t.form().lstScore.list.size(), 5u);
    ASSERT_EQ(t.dialogs.shown.back().kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown.back().prompt, "Weighting must not be > 100%");
    EXPECT_EQ(t.dialogs.shown.back().title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown.back().buttons, Buttons::OK);
}

TEST(MarkEntry, WeightingIsRoundedBeforeTheLimitIsChecked) {
    TestProgram t;
    t.start();
    t.enterMark("5", "10", "100.004");
    EXPECT_EQ(t.form().lstWeighting.list, std::vector<std::string>{"100"});

    TestProgram u;
    u.start();
    u.typeMark("5", "10", "150");
    u.dialogs.press(Answer::OK);
    u.clickEasyWork();
    EXPECT_TRUE(u.form().lstWeighting.list.empty());
    EXPECT_FALSE(u.form().cmdReset.visible);
}

TEST(MarkEntry, EmptyCancelledNegativeOrHugeAnswersEndTheEntrySilently) {
    TestProgram t;
    t.start();
    t.dialogs.type("-4");
    t.clickEasyWork();
    EXPECT_EQ(t.dialogs.shown.size(), 1u) << "the out-of question is not asked";

    t.dialogs.type("8");
    t.dialogs.type("10");
    t.dialogs.cancel();
    t.clickEasyWork();

    t.dialogs.type("8");
    t.dialogs.type("");
    t.clickEasyWork();

    t.dialogs.type("1E400");
    t.clickEasyWork();
    t.dialogs.type("8");
    t.dialogs.type("1e999");
    t.clickEasyWork();

    const FrmGradeHelp& f = t.form();
    EXPECT_TRUE(f.lstScore.list.empty());
    EXPECT_EQ(f.lblShit.caption, "0%");
    EXPECT_FALSE(f.unsaved);
    EXPECT_FALSE(f.mensave.enabled);
    for (const auto& shown : t.dialogs.shown)
        EXPECT_NE(shown.kind, "msgbox");
}

TEST(MarkEntry, MarkThatWouldOverflowTheTotalsIsRefused) {
    TestProgram t;
    t.start();
    t.enterMark("1e308", "1e-308", "50");
    EXPECT_TRUE(t.form().lstScore.list.empty()) << "its percentage is beyond a double";
    t.enterMark("1e308", "1e300", "1");
    t.enterMark("1e308", "1e300", "1");
    EXPECT_EQ(t.form().lstScore.list.size(), 1u) << "the second would make the total infinite";
    EXPECT_EQ(t.form().frmGradeHelp.caption.find("inf"), std::string::npos);
}

TEST(MarkEntry, OutOfZeroCountsItsWeightingButNoScore) {
    TestProgram t;
    t.start();
    t.enterMark("5", "0", "20");
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(f.lstPercentage.list, std::vector<std::string>{"0"});
    EXPECT_EQ(f.lblScoreTot.caption, "0");
    EXPECT_EQ(f.lblShit.caption, "0%");
    EXPECT_EQ(f.youGotTotal, 0);
    EXPECT_EQ(f.lblWeightingTot.caption, "20%");
    EXPECT_EQ(f.lblGrade.caption, "---") << "no grade is worked out for such a mark";
}

TEST(MarkEntry, SingleMarksGiveTheirPercentages) {
    TestProgram t;
    t.start();
    t.enterMark("2", "3", "100");
    EXPECT_EQ(t.form().lstPercentage.list.back(), "66.67");
    EXPECT_EQ(t.form().lblShit.caption, "66.67%");

    TestProgram u;
    u.start();
    u.enterMark("7", "10", "0");
    EXPECT_EQ(u.form().lstPercentage.list.back(), "0");
    EXPECT_EQ(u.form().lblShit.caption, "0%");
}

TEST(MarkEntry, OrderOfMarksDoesNotChangeTheResult) {
    TestProgram a, b;
    a.start();
    b.start();
    a.enterMark("8", "10", "50");
    a.enterMark("15", "20", "25");
    b.enterMark("15", "20", "25");
    b.enterMark("8", "10", "50");
    EXPECT_EQ(a.form().lblShit.caption, "78.33%");
    EXPECT_EQ(b.form().lblShit.caption, "78.33%");
    EXPECT_EQ(a.form().lblScoreTot.caption, b.form().lblScoreTot.caption);
}

TEST(MarkEntry, FirstMarkEnablesTheCommandsThatNeedMarks) {
    TestProgram t;
    t.start();
    FrmGradeHelp& f = t.form();
    EXPECT_FALSE(f.cmdReset.visible);
    EXPECT_FALSE(f.cmdResetAll.visible);
    EXPECT_FALSE(f.menSaveReport.enabled);
    t.enterMark("8", "10", "50");
    EXPECT_TRUE(f.cmdReset.visible);
    EXPECT_TRUE(f.cmdResetAll.visible);
    EXPECT_TRUE(f.menResetAll.enabled);
    EXPECT_TRUE(f.cmdsave.enabled);
    EXPECT_TRUE(f.mensave.enabled);
    EXPECT_TRUE(f.menSaveReport.enabled);
    EXPECT_TRUE(f.reset.enabled);
    EXPECT_FALSE(f.menReportSet.enabled) << "one tab: no report set";
    EXPECT_TRUE(f.unsaved);
    EXPECT_EQ(f.focus, "cmdEasyWork");
}

TEST(MarkEntry, MenuItemEntersAMarkAsTheButtonDoes) {
    TestProgram t;
    t.start();
    t.dialogs.type("8");
    t.dialogs.type("10");
    t.dialogs.type("50");
    t.run([](FrmGradeHelp& f) { f.tallisto_Click(); });
    EXPECT_EQ(t.form().lblShit.caption, "80%");
}

} // namespace
} // namespace tallisto::testing
