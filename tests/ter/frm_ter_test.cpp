// The score-out-of-20 window: the score, its grade, and the window's own buttons.
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

std::string twentyRanges(const std::vector<std::string>& div20) {
    std::vector<std::string> lines = {"[Gradesys0]",     "name=SACE",       "active=1",
                                      "OutOf20=1",       "range0=50",       "rangename0=Fail",
                                      "rangename1=Pass", "[Div20GradeSys0]"};
    lines.insert(lines.end(), div20.begin(), div20.end());
    return crlf(lines);
}

const std::vector<std::string> fourBounds = {"range0=10",    "range1=12",    "range2=15",
                                             "range3=18",    "rangename0=E", "rangename1=D",
                                             "rangename2=C", "rangename3=B", "rangename4=A"};

void tick(TestProgram& t, double overallPercentage) {
    t.program->modData.overallPercentage = overallPercentage;
    t.program->run([&] { t.ter().TimerFrmTer_Timer(); });
}

TEST(OutOf20Score, IsThePercentageOutOf20RoundedToAHalf) {
    struct Row {
        double percentage;
        const char* caption;
        double score;
    };
    const Row rows[] = {
        {72.5, "14.5.", 14.5}, {71.5, "14.5.", 14.5}, {71, "14.", 14},  {0, "0.", 0},
        {71.25, "14.", 14},    {73.75, "15.", 15},    {100, "20.", 20}, {2.5, "0.5.", 0.5},
    };
    TestProgram t(twentyRanges(fourBounds));
    t.start();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.percentage);
        tick(t, r.percentage);
        EXPECT_EQ(t.ter().lblScore.caption, r.caption);
        EXPECT_EQ(t.program->modData.scoreOutOf20, r.score);
    }
}

TEST(OutOf20Grade, AScoreAtABoundEarnsTheHigherGrade) {
    struct Row {
        double percentage; // a fifth of it is the score
        const char* grade;
        const char* range;
    };
    const Row rows[] = {
        {47.5, "E", "(<10)"},     {50, "D", "(>10 <12)"},   {57.5, "D", "(>10 <12)"},
        {60, "C", "(>12 <15)"},   {72.5, "C", "(>12 <15)"}, {75, "B", "(>15 <18)"},
        {87.5, "B", "(>15 <18)"}, {90, "A", "(>18)"},       {100, "A", "(>18)"},
        {0, "E", "(<10)"},
    };
    TestProgram t(twentyRanges(fourBounds));
    t.start();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.percentage);
        tick(t, r.percentage);
        EXPECT_EQ(t.ter().lblGrade.caption, r.grade);
        EXPECT_EQ(t.ter().lblGradePer.caption, r.range);
    }
}

TEST(OutOf20Grade, ListOfBoundsEndsAtTheTextZero) {
    TestProgram one(twentyRanges({"range0=10", "rangename0=Low", "rangename1=High"}));
    one.start();
    tick(one, 45);
    EXPECT_EQ(one.ter().lblGrade.caption, "Low");
    EXPECT_EQ(one.ter().lblGradePer.caption, "(<10)");
    tick(one, 50);
    EXPECT_EQ(one.ter().lblGrade.caption, "High");
    EXPECT_EQ(one.ter().lblGradePer.caption, "(>10)");

    TestProgram unnamed(twentyRanges({"range0=10", "rangename0=Low"}));
    unnamed.start();
    tick(unnamed, 60);
    EXPECT_EQ(unnamed.ter().lblGrade.caption, "??");

    // "0.0" is a bound of value 0, not the end of the list.
    TestProgram written(
        twentyRanges({"range0=10", "range1=0.0", "rangename0=L", "rangename1=M", "rangename2=N"}));
    written.start();
    tick(written, 60);
    EXPECT_EQ(written.ter().lblGrade.caption, "N");
    EXPECT_EQ(written.ter().lblGradePer.caption, "(>0.0)");
}

TEST(OutOf20Grade, RangesAreReadOncePerRun) {
    TestProgram t(twentyRanges(fourBounds));
    t.start();
    tick(t, 90);
    t.write("graderanges.txt", twentyRanges({"range0=10", "rangename0=X", "rangename1=Y"}));
    tick(t, 95);
    EXPECT_EQ(t.ter().lblGrade.caption, "A");
    EXPECT_EQ(t.ter().lblGradePer.caption, "(>18)");
    EXPECT_EQ(t.ter().div20RangesRead, 1);
}

TEST(OutOf20Window, ExtraInfoTogglesTheHeight) {
    TestProgram t(twentyRanges(fourBounds));
    t.start();
    FrmTER& ter = t.ter();
    auto hide = [&] { t.program->run([&] { ter.cmdHide_Click(); }); };
    EXPECT_EQ(ter.frmTER.height, 1455);
    EXPECT_EQ(ter.cmdHide.caption, "Show Extra Info");
    hide();
    EXPECT_EQ(ter.frmTER.height, 5070);
    EXPECT_EQ(ter.cmdHide.caption, "Hide Extra Info");
    hide();
    EXPECT_EQ(ter.frmTER.height, 1455);
    EXPECT_EQ(ter.cmdHide.caption, "Show Extra Info");
    ter.frmTER.height = 3000; // resized by hand: counts as short
    hide();
    EXPECT_EQ(ter.frmTER.height, 5070);
    EXPECT_EQ(ter.cmdHide.caption, "Hide Extra Info");
}

} // namespace
} // namespace tallisto::testing
