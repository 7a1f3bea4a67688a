// SPDX-License-Identifier: GPL-3.0-or-later
// The score-out-of-20 window: the score, its grade, and the window's two heights.
#include "support/test_program.h"

#include <tuple>

namespace tallisto::testing {
namespace {

std::string twentyRanges(const std::string& topGrade = "A") {
    return crlf({"[Gradesys0]", "name=SACE", "OutOf20=1", "[Div20GradeSys0]", "range0=10",
                 "range1=12", "range2=15", "range3=18", "rangename0=E", "rangename1=D",
                 "rangename2=C", "rangename3=B", "rangename4=" + topGrade});
}

TEST(OutOf20, TheScoreIsAFifthOfThePercentageRoundedToAHalfAndExtraInfoMakesTheWindowTall) {
    // percentage, score, grade, range
    const std::tuple<double, const char*, const char*, const char*> rows[] = {
        {72.5, "14.5.", "C", "(>12 <15)"}, {71.5, "14.5.", "C", "(>12 <15)"},
        {71, "14.", "C", "(>12 <15)"},     {0, "0.", "E", "(<10)"},
        {47.5, "9.5.", "E", "(<10)"},      {50, "10.", "D", "(>10 <12)"},
        {73.75, "15.", "B", "(>15 <18)"},  {87.5, "17.5.", "B", "(>15 <18)"},
        {90, "18.", "A", "(>18)"},         {100, "20.", "A", "(>18)"},
    };
    StartedProgram t(twentyRanges());
    FrmTER& ter = t.ter();
    for (const auto& [percentage, score, grade, range] : rows) {
        t.program->modData.overallPercentage = percentage;
        t.program->run([&] { ter.TimerFrmTer_Timer(); });
        EXPECT_EQ(std::tuple(ter.lblScore.caption, t.program->modData.scoreOutOf20,
                             ter.lblGrade.caption + " " + ter.lblGradePer.caption),
                  std::tuple(score, std::stod(score), std::string(grade) + " " + range))
            << percentage;
    }
    // The out-of-20 ranges are read once per run.
    t.write("graderanges.txt", twentyRanges("Z"));
    t.program->run([&] { ter.TimerFrmTer_Timer(); });
    EXPECT_EQ(ter.lblGrade.caption, "A");

    const auto hide = [&] {
        t.program->run([&] { ter.cmdHide_Click(); });
        return std::to_string(ter.frmTER.height) + " " + ter.cmdHide.caption;
    };
    EXPECT_EQ(hide(), "5070 Hide Extra Info") << "the window starts short";
    EXPECT_EQ(hide(), "1455 Show Extra Info");
    ter.frmTER.height = 3000; // resized by hand: counts as short
    EXPECT_EQ(hide(), "5070 Hide Extra Info");
}

} // namespace
} // namespace tallisto::testing
