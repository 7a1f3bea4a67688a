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

// Whether the mark can be counted without a total leaving the range of a double.
bool staysFinite(double score, double outOf, double weighting, const FrmGradeHelp& f) {
    const double share = outOf == 0 ? 0 : weighting / 100 * (score / outOf * 100);
    return std::isfinite(f.youGotTotal + score) && std::isfinite(f.outOfTotal + outOf) &&
           std::isfinite(share) && std::isfinite(f.weightedScoreTotal + share);
}

} // namespace

// Reads a typed answer in place. False ends the entry: an empty or cancelled answer, a number
// beyond the range of a double, or a negative number.
bool FrmGradeHelp::readAnswer(std::string& answer) {
    if (answer.empty()) return false;
    const LeadingNumber number = readLeadingNumber(answer);
    if (number.outOfRange) return false;
    answer = numberText(number.value);
    return number.value >= 0;
}

void FrmGradeHelp::cmdEasyWork_Click() {
    if (loadingMarks) {
        youGot = storedYouGot;
        outOf = storedOutOf;
        doweightingcheck();
        return;
    }
    youGot = InputBox("What was your score?", "Enter Your Score...");
    if (!readAnswer(youGot)) return;
    outOf = InputBox("What was the test out of?", "The Test Was Out Of...");
    if (!readAnswer(outOf)) return;
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
    if (!readAnswer(weighting)) return;
    weighting = numberText(roundTo2Places(numberValue(weighting)));
    const double w = numberValue(weighting);
    if (w >= weightingLimit || w + weightingTotal * 100 >= weightingLimit) {
        MsgBox("Weighting must not be > 100%");
        return;
    }
    if (!staysFinite(numberValue(youGot), numberValue(outOf), w, *this)) return;
    mensave.enabled = true;
    unsaved = true;
    inboxweightingcheck();
}

void FrmGradeHelp::inboxweightingcheck() {
    lstScore.list.push_back(youGot);
    youGotTotal += numberValue(youGot);
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
    weightingTotal += numberValue(weighting);
    lblWeightingTot.caption = numberText(weightingTotal * 100) + "%";
    giveFocusToEasyWork();
    TotalsUpdate();
}

} // namespace tallisto
