// SPDX-License-Identifier: GPL-3.0-or-later
// The running totals of the current tab and its overall percentage.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

void FrmGradeHelp::TotalsUpdate() {
    updateTotals(numberValue(youGot), numberValue(outOf), numberValue(weighting));
}

// y, o and f are the values of youGot, outOf and weighting (the weighting as a fraction).
void FrmGradeHelp::updateTotals(double y, double o, double f) {
    ReplayedTotals& replayed = replayedTotals;
    replayed.marked = true;
    outOfSum.add(o);
    if (!replayed.replaying) {
        outOfTotal = outOfSum.value();
        lblTotalTest.caption = numberText(outOfTotal);
    }

    // A mark out of 0 counts its weighting but no score: it adds nothing to be divided.
    if (o == 0) {
        lstPercentage.list.push_back("0");
        youGotSum.subtract(y);
        if (!replayed.replaying) youGotTotal = youGotSum.value();
        return;
    }
    if (!replayed.replaying) lblScoreTot.caption = numberText(youGotTotal);

    const double s = scoreOutOfWeighting(y, o, f);
    weightedScoreSum.add(s);
    weightedScore = roundTo2Places(s);
    lstPercentage.list.push_back(numberText(weightedScore));

    if (replayed.replaying) {
        replayed.scored = true;
        replayed.youGot = youGotSum;
        replayed.weightedScore = weightedScoreSum;
        replayed.weighting = weightingSum;
        return;
    }
    weightedScoreTotal = weightedScoreSum.value();
    double& overall = overallPercentage();
    overall = overallPercentageOf(weightedScoreTotal, weightingTotal);

    lblShit.toolTipText = numberText(overall);
    lblShit.caption = lblShit.toolTipText + "%";

    if (!loadingMarks) {
        GradeIs();
        formnamerefresh();
        lblGradeSysUpdate();
    }
}

// What the labels and the weighting would show had each replayed mark set them, as the mark entry
// does.
void FrmGradeHelp::showReplayedTotals() {
    const ReplayedTotals& replayed = replayedTotals;
    if (!replayed.marked) return;
    youGotTotal = youGotSum.value();
    outOfTotal = outOfSum.value();
    weightingTotal = weightingSum.value();
    weighting = weightingFractionText(numberValue(weighting)); // the last mark's, as a fraction
    lblWeightingTot.caption = numberText(weightingEntered().value()) + "%";
    lblTotalTest.caption = numberText(outOfTotal);
    if (!replayed.scored) return;
    weightedScoreTotal = weightedScoreSum.value();
    lblScoreTot.caption = numberText(replayed.youGot.value());
    double& overall = overallPercentage();
    overall = overallPercentageOf(weightedScoreTotal, replayed.weighting.value());
    lblShit.toolTipText = numberText(overall);
    lblShit.caption = lblShit.toolTipText + "%";
}

} // namespace tallisto
