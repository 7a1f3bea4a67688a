// SPDX-License-Identifier: GPL-3.0-or-later
// Entering a mark: three questions, the weighting limit, and the mark added to the lists.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <cmath>
#include <tuple>

namespace tallisto {

namespace {

// A weighting is refused from this bound on, so that 33.33 three times and then 0.01 still pass.
constexpr double weightingLimit = 100.01;

const char* const overLimit = "Weighting must not be > 100%";
const char* const tooLarge =
    "Tallisto cannot count this mark because its numbers are too large. The mark was not added.";

} // namespace

// Reads a typed answer in place. An empty or cancelled answer or a negative number ends the entry
// without a word; a number beyond the range of a double cannot be counted.
FrmGradeHelp::AnswerRead FrmGradeHelp::readAnswer(std::string& answer) {
    if (answer.empty()) return AnswerRead::Ended;
    const LeadingNumber number = readLeadingNumber(answer);
    if (number.outOfRange) return number.negative ? AnswerRead::Ended : AnswerRead::TooLarge;
    answer = numberText(number.value);
    return number.value >= 0 ? AnswerRead::Number : AnswerRead::Ended;
}

// Whether the mark just asked can be counted: every total, the overall percentage and its
// rounding for the grade stay within the range of a double.
bool FrmGradeHelp::markCounts() const {
    const double score = numberValue(youGot);
    const double outOfValue = numberValue(outOf);
    const double fraction = numberValue(weightingFractionText(numberValue(weighting)));
    DecimalSum outOfs = outOfSum;
    outOfs.add(outOfValue);
    if (!std::isfinite(outOfs.value())) return false;
    if (outOfValue == 0) return true; // its score counts nowhere
    DecimalSum scores = youGotSum, weighted = weightedScoreSum, weightings = weightingSum;
    scores.add(score);
    const double share = scoreOutOfWeighting(score, outOfValue, fraction);
    weighted.add(share);
    weightings.add(fraction);
    const double overall = overallPercentageOf(weighted.value(), weightings.value());
    return std::isfinite(scores.value()) && std::isfinite(share) &&
           std::isfinite(weighted.value()) && std::isfinite(RoundToParts(overall, 2));
}

void FrmGradeHelp::cmdEasyWork_Click() {
    if (loadingMarks) {
        youGot = storedYouGot;
        outOf = storedOutOf;
        doweightingcheck();
        return;
    }
    for (auto [answer, prompt, title] :
         {std::tuple{&youGot, "What was your score?", "Enter Your Score..."},
          std::tuple{&outOf, "What was the test out of?", "The Test Was Out Of..."}}) {
        *answer = InputBox(prompt, title);
        const AnswerRead read = readAnswer(*answer);
        if (read == AnswerRead::TooLarge) MsgBox(tooLarge);
        if (read != AnswerRead::Number) return;
    }
    doweightingcheck();
}

void FrmGradeHelp::tallisto_Click() {
    cmdEasyWork_Click();
}

void FrmGradeHelp::doweightingcheck() {
    if (loadingMarks) {
        weighting = storedWeighting;
        inboxweightingcheck();
        return;
    }
    weighting = InputBox("How heavily was this peice of work weighted overall?",
                         "Weighting of this peice...");
    const AnswerRead read = readAnswer(weighting);
    // A weighting too large to hold is over the limit like any other.
    if (read == AnswerRead::TooLarge) MsgBox(overLimit);
    if (read != AnswerRead::Number) return;
    weighting = numberText(roundTo2Places(numberValue(weighting)));
    // Decided on the decimals the user typed: 60 and 40.01 make 100.01, refused.
    const double w = numberValue(weighting);
    DecimalSum total = weightingEntered();
    total.add(w);
    if (w >= weightingLimit || total >= DecimalSum(weightingLimit)) {
        MsgBox(overLimit);
        return;
    }
    if (!markCounts()) {
        MsgBox(tooLarge);
        return;
    }
    mensave.enabled = true;
    unsaved = true;
    inboxweightingcheck();
}

void FrmGradeHelp::inboxweightingcheck() {
    lstScore.list.push_back(youGot);
    youGotSum.add(numberValue(youGot));
    youGotTotal = youGotSum.value();
    lstTotal.list.push_back(outOf);

    cmdReset.visible = true;
    cmdResetAll.visible = true;
    menResetAll.enabled = true;
    cmdsave.enabled = true;
    if (unsaved) mensave.enabled = true;
    menSaveReport.enabled = true;
    if (tabCount > 1) menReportSet.enabled = true;
    reset.enabled = true;

    lstWeighting.list.push_back(weighting);
    weighting = weightingFractionText(numberValue(weighting));
    weightingSum.add(numberValue(weighting));
    weightingTotal = weightingSum.value();
    if (!replayedTotals.replaying)
        lblWeightingTot.caption = numberText(weightingEntered().value()) + "%";
    giveFocusToEasyWork();
    TotalsUpdate();
}

} // namespace tallisto
