// Entering marks through the three questions, and the totals they give.
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

TEST(MarkEntry, WorkedExampleGivesTheTotalsOfEachRow) {
    StartedProgram t;
    const FrmGradeHelp& f = t.form();
    // Score, out of, weighting; then the entry of lstPercentage and the four totals.
    const std::vector<std::string> rows[] = {
        {"8", "10", "50", "40", "8", "10", "50%", "80%"},
        {"15", "20", "25", "18.75", "23", "30", "75%", "78.33%"},
        {"5", "0", "25", "0", "23", "30", "100%", "78.33%"},
        {"1", "1", "0", "0", "24", "31", "100%", "58.75%"}};
    for (std::size_t i = 0; i < 4; ++i) {
        t.enterMark(rows[i][0], rows[i][1], rows[i][2]);
        EXPECT_EQ(
            (std::vector{f.lstScore.list.at(i), f.lstTotal.list.at(i), f.lstWeighting.list.at(i),
                         f.lstPercentage.list.at(i), f.lblScoreTot.caption, f.lblTotalTest.caption,
                         f.lblWeightingTot.caption, f.lblShit.caption}),
            rows[i]);
    }
    // The first mark made every command that needs marks available but the report set.
    EXPECT_EQ(windowState(f).substr(windowState(f).find("\nshown")),
              "\nshown: cmdResetAll cmdReset\nenabled: menResetAll mensave cmdsave menSaveReport "
              "reset\nunsaved file [] [] focus cmdEasyWork");
}

// Each answer counts as the number it begins with. An empty, cancelled ("<Cancel>") or negative
// answer, or a number beyond a double, ends the entry without a word and without a change.
TEST(MarkEntry, AnswersAreReadAsNumbersOrEndTheEntry) {
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"abc", " 12.50 marks", "3.333e1"}, "0/12.5@33.33"},
        {{"5", "10", "100.004"}, "5/10@100"},
        {{"-4"}, ""},
        {{"8", "10", "<Cancel>"}, ""},
        {{"8", ""}, ""},
        {{"1E400"}, ""},
        {{"8", "1e999"}, ""},
        {{"8", "10", "-1"}, ""},
        {{"1e308", "1e-308", "50"}, ""}}; // a percentage beyond a double
    for (const auto& [answers, listed] : rows) {
        StartedProgram t;
        for (const std::string& answer : answers)
            answer == "<Cancel>" ? t.dialogs.cancel() : t.dialogs.type(answer);
        t.clickEasyWork();
        const FrmGradeHelp& f = t.form();
        std::string shown;
        for (std::size_t i = 0; i < f.lstScore.list.size(); ++i)
            shown += f.lstScore.list[i] + "/" + f.lstTotal.list[i] + "@" + f.lstWeighting.list[i];
        EXPECT_EQ(shown, listed) << answers[0];
        EXPECT_EQ(f.unsaved, !listed.empty());
    }
}

TEST(MarkEntry, WeightingLimitLiesAt100Point01AndTotalsStayFinite) {
    StartedProgram t;
    for (const char* weighting : {"33.33", "33.33", "33.33", "0.01", "0"})
        t.enterMark("1", "1", weighting);
    for (const char* weighting : {"0.02", "150"}) {
        t.typeMark("1", "1", weighting);
        t.dialogs.press(Answer::OK);
        t.clickEasyWork();
        EXPECT_EQ(t.dialogs.last(), R"(msgbox "Tallisto" "Weighting must not be > 100%" OK)");
    }
    t.enterMark("1e308", "1e300", "0");
    t.enterMark("1e308", "1e300", "0"); // would make the total infinite: refused without a word
    EXPECT_EQ(t.form().lstScore.list.size(), 6u);
    EXPECT_EQ(t.form().lblWeightingTot.caption, "100%");
    EXPECT_EQ(t.form().frmGradeHelp.caption.find("inf"), std::string::npos);
}

} // namespace
} // namespace tallisto::testing
