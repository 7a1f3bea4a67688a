// SPDX-License-Identifier: GPL-3.0-or-later
// The running totals of the current tab and its overall percentage.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

void FrmGradeHelp::TotalsUpdate() {
    const double o = numberValue(outOf);
    const double y = numberValue(youGot);
    const double f = numberValue(weighting);

    outOfSum.add(o);
    outOfTotal = outOfSum.value();
    lblTotalTest.caption = numberText(outOfTotal);

    // A mark out of 0 counts its weighting but no score: it adds nothing to be divided.
    if (o == 0) {
        lstPercentage.list.push_back("0");
        youGotSum.subtract(y);
        youGotTotal = youGotSum.value();
        return;
    }
    lblScoreTot.caption = numberText(youGotTotal);

    const double s = scoreOutOfWeighting(y, o, f);
    weightedScoreSum.add(s);
    weightedScoreTotal = weightedScoreSum.value();
    weightedScore = roundTo2Places(s);
    lstPercentage.list.push_back(numberText(weightedScore));

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

} // namespace tallisto
