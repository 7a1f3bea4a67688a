// SPDX-License-Identifier: GPL-3.0-or-later
// Entering marks through the three questions and the totals they give; deleting one selected
// mark, all of a tab's, or everything at once with Reset All.
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "support/sample_ranges.h"
#include "support/test_program.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <tuple>

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

// The current tab's marks as the driver lists them, then its overall percentage.
std::string marksAndOverall(const FrmGradeHelp& f) {
    std::string text;
    for (const std::string& mark : marksOf(f))
        text += mark + " ";
    return text + f.lblShit.caption;
}

const std::string tooLarge =
    "Tallisto cannot count this mark because its numbers are too large. The mark was not added.";
const std::string overLimit = "Weighting must not be > 100%";

// Each answer counts as the number it begins with. An empty, cancelled ("<Cancel>") or negative
// answer ends the entry without a word and without a change; a mark that cannot be counted, as a
// number or in any total, is explained instead. Halves are those of the exact numbers: 1.09 of 8
// is 13.625%, shown as 13.62, and 0.11 of 10 weighted 25 earns 0.275, listed as 0.28.
TEST(MarkEntry, AnswersAreReadAsNumbersOrEndTheEntry) {
    // The answers; the mark listed then and the overall percentage; the message shown.
    const std::tuple<std::vector<std::string>, std::string, std::string> rows[] = {
        {{"abc", " 12.50 marks", "3.333e1"}, "0|12.5|33.33|0|real 0%", ""},
        {{"5", "10", "100.004"}, "5|10|100|50|real 50%", ""},
        {{"1.09", "8", "100"}, "1.09|8|100|13.62|real 13.62%", ""},
        {{"0.11", "10", "25"}, "0.11|10|25|0.28|real 1.1%", ""},
        {{"-4"}, "0%", ""},
        {{"8", "10", "<Cancel>"}, "0%", ""},
        {{"8", ""}, "0%", ""},
        {{"-1E400"}, "0%", ""},
        {{"8", "10", "-1"}, "0%", ""},
        {{"1E400"}, "0%", tooLarge},
        {{"8", "1e999"}, "0%", tooLarge},
        {{"8", "10", "1E400"}, "0%", overLimit},
        {{"1e308", "1e-308", "50"}, "0%", tooLarge}, // a percentage beyond a double
        {{"1.7E306", "1", "0.01"}, "0%", tooLarge}}; // a percentage the grade cannot round
    for (const auto& [answers, shown, message] : rows) {
        SCOPED_TRACE(answers[0]);
        StartedProgram t;
        for (const std::string& answer : answers)
            answer == "<Cancel>" ? t.dialogs.cancel() : t.dialogs.type(answer);
        if (!message.empty()) t.dialogs.press(Answer::OK);
        t.run(&FrmGradeHelp::cmdEasyWork_Click);
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ(marksAndOverall(f), shown);
        EXPECT_EQ(f.unsaved, shown != "0%");
        EXPECT_EQ(t.dialogs.shown.back().kind == "msgbox" ? t.dialogs.shown.back().prompt : "",
                  message);
    }
}

// The limit is decided on the decimals typed, never on their binary sums.
TEST(MarkEntry, WeightingLimitLiesAt100Point01OfTheDecimalsTyped) {
    // Weightings entered in turn, whether the last is refused, and the total shown at the end.
    const std::tuple<std::vector<std::string>, bool, std::string> rows[] = {
        {{"50", "50.01"}, true, "50%"},
        {{"0.02", "99.99"}, true, "0.02%"},
        {{"25", "75.01"}, true, "25%"},
        {{"10", "10", "10", "10", "10", "10", "10", "10", "10", "10", "0.01"}, true, "100%"},
        {{"33.33", "33.33", "33.33", "0.01", "0"}, false, "100%"},
        {{"33.33", "33.33", "33.33", "0.01", "0.02"}, true, "100%"},
        {{"150"}, true, "0%"},
    };
    for (const auto& [weightings, refused, total] : rows) {
        StartedProgram t;
        for (std::size_t i = 0; i + 1 < weightings.size(); ++i)
            t.enterMark("1", "1", weightings[i]);
        t.typeMark("1", "1", weightings.back());
        if (refused) t.dialogs.press(Answer::OK);
        t.run(&FrmGradeHelp::cmdEasyWork_Click);
        EXPECT_EQ(std::tuple(t.dialogs.last() == describe({"msgbox", "Tallisto", overLimit}),
                             t.form().lstWeighting.list.size(), t.form().lblWeightingTot.caption),
                  std::tuple(refused, weightings.size() - refused, total))
            << weightings.back();
    }
}

// Every running total is the decimal sum of what is listed, in the window and in the report.
TEST(MarkEntry, LongRunsOfMarksAddUpToTheirDecimalSums) {
    for (const auto& [mark, sum] : {std::pair{"0.1", "100"}, {"1.5", "1500"}, {"33.33", "33330"}}) {
        SCOPED_TRACE(mark);
        StartedProgram t;
        for (int i = 0; i < 1000; ++i)
            t.enterMark(mark, mark, "0.1");
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ((std::vector{f.lblScoreTot.caption, f.lblTotalTest.caption,
                               f.lblWeightingTot.caption, f.lblShit.caption,
                               numberText(f.weightedScoreTotal), numberText(f.weightingTotal)}),
                  (std::vector<std::string>{sum, sum, "100%", "100%", "100", "1"}));
        std::string report;
        t.run([&](FrmGradeHelp& f) { f.SubReport(report); });
        const std::string totals = "\r\n       " + std::string(sum) + "            " + sum;
        EXPECT_NE(report.find(totals + "                100%\r\n"), std::string::npos);
    }
}

// A weighting counts as the value of its fraction's text: worked out without the text, it must be
// that value to the last bit, sign of zero included, at every size a double can take.
TEST(MarkEntry, AWeightingsFractionIsItsTextsValue) {
    std::vector<double> percents = {0,
                                    -0.0,
                                    100,
                                    33.33,
                                    0.1,
                                    1e-298,
                                    1e-302,
                                    5e-324,
                                    1e302,
                                    1e298,
                                    -1e-310,
                                    std::numeric_limits<double>::max(),
                                    std::numeric_limits<double>::infinity()};
    for (int hundredths = 0; hundredths <= 10000; ++hundredths)
        percents.push_back(hundredths / 100.0);
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i)
        percents.push_back(std::bit_cast<double>(random()));
    for (const double percent : percents) {
        const double fromText = numberValue(weightingFractionText(percent));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(weightingFraction(percent)),
                  std::bit_cast<std::uint64_t>(fromText))
            << percent;
    }
}

// Any of the four lists selects the mark of its row, and deleting it replays the others: the tab
// equals one where only they were entered. A stale selection ("-1" from a click beside the
// entries of another list, or an index the lists do not hold) deletes nothing and changes nothing.
TEST(MarkRemoval, DeletingTheMiddleMarkEqualsTheTabOfTheOtherTwo) {
    for (int list = 0; list < 4; ++list) {
        StartedProgram t(sampleRanges()), two(sampleRanges());
        for (TestProgram* p : {&t, &two}) {
            addTabs(*p, 1); // among several tabs a deletion is a change to save
            p->enterMark("8", "10", "50");
            if (p == &t) p->enterMark("1", "3", "20");
            p->enterMark("15", "20", "25");
        }
        t.form().unsaved = false; // taken as saved, so that the deletion shows as a change
        t.form().mensave.enabled = false;
        selectMark(t, list, -1);
        EXPECT_FALSE(t.form().menDelSelRes.enabled);
        selectMark(t, list, 1);
        selectMark(t, (list + 1) % 4, -1);
        const std::string before = windowState(t.form());
        for (const char* stale : {"-1", "", "abc", "3", "40000", "1.5", " 1"}) {
            t.form().selectedMark = stale;
            t.run(&FrmGradeHelp::menDelSelRes_Click);
            EXPECT_EQ(windowState(t.form()), before) << "selectedMark=" << stale;
        }
        EXPECT_FALSE(t.exists("temp.tmp")) << "nothing stored";
        selectMark(t, list, 1);
        t.run(&FrmGradeHelp::menDelSelRes_Click);
        EXPECT_EQ(windowState(t.form()), windowState(two.form())) << list;
    }
}

// Reset Tab leaves the tab as if it had been named and given its system but no marks: among
// several tabs that is a change to save. The working file is not touched.
TEST(MarkRemoval, ResetTabEmptiesTheTabAndKeepsItsNameAndSystem) {
    StartedProgram t(sampleRanges()), twin(sampleRanges());
    for (TestProgram* p : {&t, &twin}) {
        addTabs(*p, 1);
        fillTab(*p, "Maths", {}, 3);
    }
    t.enterMark("8", "10", "50");
    selectMark(t, 0, 0);
    t.form().unsaved = false;
    t.form().mensave.enabled = false;
    t.run(&FrmGradeHelp::reset_Click);
    EXPECT_EQ(windowState(t.form()), windowState(twin.form()));
    EXPECT_FALSE(t.exists("temp.tmp"));
    t.enterMark("3", "4", "10");
    twin.enterMark("3", "4", "10");
    EXPECT_EQ(windowState(t.form()), windowState(twin.form())) << "every total starts at 0";
}

TEST(MarkRemoval, ResetAllBringsBackTheStartState) {
    const std::string settings = crlf({"[Settings]", "gradesys=3"});
    StartedProgram fresh(sampleRanges(), settings), t(sampleRanges(), settings);
    addTabs(t, 7);
    rename(t, "Maths");
    t.enterMark("8", "10", "50");
    clickTab(t, 3);
    deleteTab(t);
    pressKey(t, vbKeyTab);
    t.form().currentFilePath = "/somewhere/marks.tly";
    t.dialogs.press(Answer::No); // No changes nothing
    t.run(&FrmGradeHelp::menResetAll_Click);
    EXPECT_EQ(t.dialogs.last(),
              R"(msgbox "Continue?" "Unsaved work will be lost, continue?" YesNo)");
    EXPECT_EQ(t.form().cmdTab.size(), 8u);

    t.dialogs.press(Answer::Yes);
    t.run(&FrmGradeHelp::cmdResetAll_Click);
    EXPECT_EQ(windowState(t.form()), windowState(fresh.form()));
    EXPECT_FALSE(t.exists("temp.tmp")) << "nothing of the old tabs may come back";
}

} // namespace
} // namespace tallisto::testing
