// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a mark: its three questions asked again, each answer's default the mark's own text.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "marks/mark_arithmetic.h"
#include "shared/number_text.h"

namespace tallisto {

void FrmGradeHelp::menEditMark_Click() {
    const int index = selectedMarkIndex();
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    const MarkKind kind = markKind(i);
    // The answers are the edit's own: a cancelled edit leaves every variable as it was.
    std::string score, total, weight;
    if (!askMarkPart(MarkPart::Score, kind, score, lstScore.list[i]) ||
        !askMarkPart(MarkPart::OutOf, kind, total, lstTotal.list[i]) ||
        !askMarkPart(MarkPart::Weighting, kind, weight, lstWeighting.list[i]))
        return;
    // The limit counts the other marks, not the weighting this mark had.
    DecimalSum others = weightingSum;
    others.subtract(weightingFraction(numberValue(lstWeighting.list[i])));
    if (!weightingFits(numberValue(weight), others.timesPowerOfTen(2))) {
        MsgBox("Weighting must not be > 100%");
        return;
    }
    if (!markCounts(score, total, weight)) {
        MsgBox("Tallisto cannot count this mark because its numbers are too large. The mark was "
               "not changed.");
        return;
    }
    lstScore.list[i] = score;
    lstTotal.list[i] = total;
    lstWeighting.list[i] = weight;
    noteChange("Edit Mark");
    mensave.enabled = true;
    unsaved = true;
    replayListed();
    selectRow(i);
    formnamerefresh();
    giveFocusToEasyWork();
}

// A double click edits the row under the mouse, selected as a click selects it.
void FrmGradeHelp::lstScore_DblClick() {
    selectMark(lstScore);
    menEditMark_Click();
}
void FrmGradeHelp::lstTotal_DblClick() {
    selectMark(lstTotal);
    menEditMark_Click();
}
void FrmGradeHelp::lstWeighting_DblClick() {
    selectMark(lstWeighting);
    menEditMark_Click();
}
void FrmGradeHelp::lstPercentage_DblClick() {
    selectMark(lstPercentage);
    menEditMark_Click();
}

} // namespace tallisto
