// SPDX-License-Identifier: GPL-3.0-or-later
// Entering a mark: three questions, the weighting limit, and the mark added to the lists.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <cmath>

namespace tallisto {

namespace {

// A weighting is refused from this bound on, so that 33.33 three times and then 0.01 still pass.
constexpr double weightingLimit = 100.01;

const char* const overLimit = "Weighting must not be > 100%";
const char* const tooLarge =
    "Tallisto cannot count this mark because its numbers are too large. The mark was not added.";

struct Question {
    const char* prompt;
    const char* title;
    const char* whatIfTitle;
};

const Question questions[] = {
    {"What was your score?", "Enter Your Score...", "What-If: Enter Your Score..."},
    {"What was the test out of?", "The Test Was Out Of...", "What-If: The Test Was Out Of..."},
    {"How heavily was this peice of work weighted overall?", "Weighting of this peice...",
     "What-If: Weighting of this peice..."},
};

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

bool FrmGradeHelp::askMarkPart(MarkPart part, MarkKind kind, std::string& answer,
                               const std::string& defaultText) {
    const Question& question = questions[static_cast<int>(part)];
    answer =
        InputBox(question.prompt, kind == MarkKind::WhatIf ? question.whatIfTitle : question.title,
                 defaultText);
    const AnswerRead read = readAnswer(answer);
    // A weighting too large to hold is over the limit like any other.
    if (read == AnswerRead::TooLarge) MsgBox(part == MarkPart::Weighting ? overLimit : tooLarge);
    if (read != AnswerRead::Number) return false;
    if (part == MarkPart::Weighting) answer = numberText(roundTo2Places(numberValue(answer)));
    return true;
}

// Decided on the decimals the user typed: 60 and 40.01 make 100.01, refused.
bool FrmGradeHelp::weightingFits(double weighting, DecimalSum others) {
    others.add(weighting);
    return weighting < weightingLimit && others < DecimalSum(weightingLimit);
}

// Whether the mark can be counted: every total, the overall percentage and its rounding for the
// grade stay within the range of a double.
bool FrmGradeHelp::markCounts(const std::string& score, const std::string& outOfText,
                              const std::string& weightingText) const {
    const double scoreValue = numberValue(score);
    const double outOfValue = numberValue(outOfText);
    const double fraction = weightingFraction(numberValue(weightingText));
    DecimalSum outOfs = outOfSum;
    outOfs.add(outOfValue);
    if (!std::isfinite(outOfs.value())) return false;
    if (outOfValue == 0) return true; // its score counts nowhere
    DecimalSum scores = youGotSum, weighted = weightedScoreSum, weightings = weightingSum;
    scores.add(scoreValue);
    const double share = scoreOutOfWeighting(scoreValue, outOfValue, fraction);
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
    const MarkKind kind = enteringWhatIf ? MarkKind::WhatIf : MarkKind::Real;
    if (!askMarkPart(MarkPart::Score, kind, youGot) || !askMarkPart(MarkPart::OutOf, kind, outOf))
        return;
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
    const MarkKind kind = enteringWhatIf ? MarkKind::WhatIf : MarkKind::Real;
    if (!askMarkPart(MarkPart::Weighting, kind, weighting)) return;
    if (!weightingFits(numberValue(weighting), weightingEntered())) {
        MsgBox(overLimit);
        return;
    }
    if (!markCounts(youGot, outOf, weighting)) {
        MsgBox(tooLarge);
        return;
    }
    noteChange(kind == MarkKind::WhatIf ? "Enter What-If Mark" : "Enter Mark");
    mensave.enabled = true;
    unsaved = true;
    if (kind == MarkKind::Real && whatIfMarks > 0) {
        // A real mark goes before the what-if marks, and the totals follow the new order.
        const auto at = static_cast<std::ptrdiff_t>(realMarkCount());
        lstScore.list.insert(lstScore.list.begin() + at, youGot);
        lstTotal.list.insert(lstTotal.list.begin() + at, outOf);
        lstWeighting.list.insert(lstWeighting.list.begin() + at, weighting);
        replayListed();
        formnamerefresh();
        return;
    }
    inboxweightingcheck();
}

void FrmGradeHelp::inboxweightingcheck() {
    enterMark(youGot, outOf, weighting);
}

// The texts may be youGot, outOf and weighting themselves: each is read before weighting changes.
void FrmGradeHelp::enterMark(const std::string& score, const std::string& outOfText,
                             const std::string& weightingText) {
    // Each of the mark's numbers is read once, here: a replay enters marks by the thousand.
    const double scoreValue = numberValue(score);
    const double outOfValue = numberValue(outOfText);
    const double percent = numberValue(weightingText);
    lstScore.list.push_back(score);
    youGotSum.add(scoreValue);
    if (!replayedTotals.replaying) youGotTotal = youGotSum.value();
    lstTotal.list.push_back(outOfText);

    cmdReset.visible = true;
    cmdResetAll.visible = true;
    menResetAll.enabled = true;
    cmdsave.enabled = true;
    if (unsaved) mensave.enabled = true;
    menSaveReport.enabled = true;
    if (tabCount > 1) menReportSet.enabled = true;
    reset.enabled = true;

    lstWeighting.list.push_back(weightingText);
    const double fraction = weightingFraction(percent);
    weightingSum.add(fraction);
    // A replay writes the fraction and works the totals' values out once, for its last mark
    // (showReplayedTotals).
    if (!replayedTotals.replaying) {
        weighting = weightingFractionText(percent);
        weightingTotal = weightingSum.value();
        lblWeightingTot.caption = numberText(weightingEntered().value()) + "%";
    }
    if (enteringWhatIf) {
        ++whatIfMarks;
        whatIfLabelUpdate();
    }
    giveFocusToEasyWork();
    updateTotals(scoreValue, outOfValue, fraction);
}

} // namespace tallisto
