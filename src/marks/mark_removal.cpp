// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting one mark: the tab is stored without it and read back, so that every total is
// computed afresh from the marks that remain.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"

#include <algorithm>
#include <cctype>

namespace tallisto {

void FrmGradeHelp::selectMark(const Control& list) {
    selectedMark = numberText(list.listIndex);
    if (selectedMark != "-1") {
        menDelSelRes.enabled = true;
        menEditMark.enabled = true;
    }
    const int index = selectedMarkIndex();
    menMakeReal.enabled =
        index >= 0 && markKind(static_cast<std::size_t>(index)) == MarkKind::WhatIf;
}

void FrmGradeHelp::lstScore_MouseUp() {
    selectMark(lstScore);
}
void FrmGradeHelp::lstTotal_MouseUp() {
    selectMark(lstTotal);
}
void FrmGradeHelp::lstWeighting_MouseUp() {
    selectMark(lstWeighting);
}
void FrmGradeHelp::lstPercentage_MouseUp() {
    selectMark(lstPercentage);
}

// The selection may be stale: "-1" from a click beside the entries of another list, or an index
// the lists no longer hold. Only an index of a listed mark counts.
int FrmGradeHelp::selectedMarkIndex() const {
    const std::string& text = selectedMark;
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    const int index = std::stoi(text);
    const std::size_t marks =
        std::min({lstScore.list.size(), lstTotal.list.size(), lstWeighting.list.size()});
    return static_cast<std::size_t>(index) < marks ? index : -1;
}

int FrmGradeHelp::markToDelete() const {
    return menDelSelRes.enabled ? selectedMarkIndex() : -1;
}

void FrmGradeHelp::menDelSelRes_Click() {
    const int index = selectedMarkIndex();
    if (index < 0) return;
    if (markKind(static_cast<std::size_t>(index)) == MarkKind::WhatIf) --whatIfMarks;
    for (Control* list : {&lstScore, &lstTotal, &lstWeighting})
        list->list.erase(list->list.begin() + index);
    noteChange("Delete Mark");

    saveTab = currentTab;
    saveFile = workingFile();
    SaveRun();
    ResetTab();
    loadFile = workingFile();
    loadTab = currentTab;
    LoadRun();

    if (cmdReset.visible) {
        GradeIs();
        lblGradeSysUpdate();
    }
    menDelSelRes.enabled = false;
    menEditMark.enabled = false;
    mensave.enabled = cmdResetAll.visible;
    unsaved = cmdResetAll.visible;
    formnamerefresh();
    giveFocusToEasyWork();
}

} // namespace tallisto
