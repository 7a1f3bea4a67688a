// SPDX-License-Identifier: GPL-3.0-or-later
// What-if marks: entered as a mark is, listed after the real marks and counted in every total,
// turned real one by one, or cleared all at once.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"

#include <algorithm>

namespace tallisto {

MarkKind FrmGradeHelp::markKind(std::size_t entry) const {
    return entry >= realMarkCount() ? MarkKind::WhatIf : MarkKind::Real;
}

std::size_t FrmGradeHelp::realMarkCount() const {
    const std::size_t marks = lstScore.list.size();
    const auto whatIfs = static_cast<std::size_t>(std::max(whatIfMarks, 0));
    return marks > whatIfs ? marks - whatIfs : 0;
}

void FrmGradeHelp::menWhatIf_Click() {
    const FlagHold whatIf(enteringWhatIf);
    cmdEasyWork_Click();
}

std::vector<FrmGradeHelp::StoredMark> FrmGradeHelp::listedMarks() const {
    std::vector<StoredMark> marks;
    marks.reserve(lstScore.list.size());
    for (std::size_t j = 0; j < lstScore.list.size(); ++j) {
        const auto entry = [j](const Control& list) {
            return j < list.list.size() ? list.list[j] : std::string("0");
        };
        marks.push_back({entry(lstScore), entry(lstTotal), entry(lstWeighting), markKind(j)});
    }
    return marks;
}

void FrmGradeHelp::replayListed() {
    const std::vector<StoredMark> marks = listedMarks();
    ResetTab();
    replayMarks(marks);
    if (cmdReset.visible) {
        GradeIs();
        lblGradeSysUpdate();
    }
}

void FrmGradeHelp::selectRow(std::size_t row) {
    for (Control* list : {&lstScore, &lstTotal, &lstWeighting, &lstPercentage})
        list->listIndex = static_cast<int>(row);
    selectMark(lstScore);
}

void FrmGradeHelp::menMakeReal_Click() {
    const int index = selectedMarkIndex();
    if (index < 0 || markKind(static_cast<std::size_t>(index)) != MarkKind::WhatIf) return;
    // It joins the real marks at their end, in the place a mark received now would take.
    const auto from = static_cast<std::ptrdiff_t>(index);
    const auto to = static_cast<std::ptrdiff_t>(realMarkCount());
    for (Control* list : {&lstScore, &lstTotal, &lstWeighting}) {
        auto& entries = list->list;
        std::rotate(entries.begin() + to, entries.begin() + from, entries.begin() + from + 1);
    }
    --whatIfMarks;
    noteChange("Make Mark Real");
    mensave.enabled = true;
    unsaved = true;
    replayListed();
    selectRow(static_cast<std::size_t>(to));
    formnamerefresh();
    giveFocusToEasyWork();
}

void FrmGradeHelp::menClearWhatIf_Click() {
    if (whatIfMarks <= 0) return;
    const std::size_t real = realMarkCount();
    for (Control* list : {&lstScore, &lstTotal, &lstWeighting})
        if (list->list.size() > real) list->list.resize(real);
    whatIfMarks = 0;
    noteChange("Clear What-If Marks");
    unsaved = true;
    replayListed();
    // As after a deletion: the only tab left without marks holds nothing to save.
    mensave.enabled = cmdResetAll.visible;
    unsaved = cmdResetAll.visible;
    formnamerefresh();
    giveFocusToEasyWork();
}

void FrmGradeHelp::whatIfLabelUpdate() {
    lblWhatIf.visible = whatIfMarks > 0;
    lblWhatIf.caption = whatIfMarks <= 0 ? ""
                        : whatIfMarks == 1
                            ? "Counting 1 what-if mark"
                            : "Counting " + numberText(whatIfMarks) + " what-if marks";
    menClearWhatIf.enabled = whatIfMarks > 0;
}

} // namespace tallisto
