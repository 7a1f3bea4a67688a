// SPDX-License-Identifier: GPL-3.0-or-later
// Controls and variables of the main window by name, for the driver and the Qt window.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "app/variable_text.h"
#include "shared/number_text.h"

#include <functional>
#include <map>

namespace tallisto {

std::vector<Control*> FrmGradeHelp::allControls() {
    std::vector<Control*> all{&frmGradeHelp};
    for (Control& tab : cmdTab)
        all.push_back(&tab);
    for (Control* c :
         {&cmdResetAll,   &picOuter,      &picInner,     &HBar,           &cmdNewTab,
          &cmdExit,       &cmdReset,      &frameTotals,  &cmdTER,         &lblWeightingTot,
          &lblScoreTot,   &lblShit,       &lblTotalTest, &lblWhatIf,      &cmdEasyWork,
          &lstPercentage, &lstTotal,      &lstScore,     &framescores,    &lstWeighting,
          &Frame1,        &lblGradeSys,   &lblGradePer,  &lblGrade,       &Label1,
          &Line4,         &Line3,         &Line2,        &Line1,          &lblWeight,
          &Label2,        &lbltotal,      &lblscore,     &lblPercent,     &file,
          &tallisto,      &menDelSelRes,  &seper0,       &cmdsave,        &mensave,
          &savereport,    &menSaveReport, &menReportSet, &menExportCsv,   &cmdOpen,
          &seper1,        &menXP,         &seper2,       &menResetAll,    &about,
          &exit,          &menEdit,       &menUndo,      &menRedo,        &seper4,
          &menEditMark,   &menWhatIf,     &menMakeReal,  &menClearWhatIf, &tabs,
          &menNewTab,     &reset,         &menRename,    &menDelete,      &menGradesystem})
        all.push_back(c);
    for (Control& item : menGradesys)
        all.push_back(&item);
    all.push_back(&seper3);
    all.push_back(&menEditRanges);
    all.push_back(&menView);
    all.push_back(&menPlan);
    all.push_back(&menOverview);
    all.push_back(&menChart);
    for (Control* c : {&menHelp, &menGuide, &menAbout})
        all.push_back(c);
    return all;
}

Control* FrmGradeHelp::findControl(const std::string& name, int index) {
    if (name == "cmdTab") {
        return index >= 0 && index < static_cast<int>(cmdTab.size()) ? &cmdTab[index] : nullptr;
    }
    for (Control* c : allControls())
        if (c->name == name && c->index == index) return c;
    return nullptr;
}

const Control* FrmGradeHelp::findControl(const std::string& name, int index) const {
    return const_cast<FrmGradeHelp*>(this)->findControl(name, index);
}

bool FrmGradeHelp::menusOpenTo(const Control& item) const {
    for (std::string holder = item.container; !holder.empty();) {
        const Control* menu = findControl(holder);
        if (!menu || menu->kind != ControlKind::Menu) break;
        if (!menu->visible || !menu->enabled) return false;
        holder = menu->container;
    }
    return true;
}

namespace {
std::string boolText(bool b) {
    return b ? "True" : "False";
}
} // namespace

std::optional<std::string> FrmGradeHelp::variableText(const std::string& name) const {
    using Getter = std::function<std::string(const FrmGradeHelp&)>;
    static const std::map<std::string, Getter> variables = {
        {"unsaved", [](auto& f) { return boolText(f.unsaved); }},
        {"currentFilePath", [](auto& f) { return f.currentFilePath; }},
        {"currentFileTitle", [](auto& f) { return f.currentFileTitle; }},
        {"exitAfterSave", [](auto& f) { return boolText(f.exitAfterSave); }},
        {"tabCount", [](auto& f) { return numberText(f.tabCount); }},
        {"currentTab", [](auto& f) { return numberText(f.currentTab); }},
        {"loadingTabs", [](auto& f) { return boolText(f.loadingTabs); }},
        {"isLastTab", [](auto& f) { return boolText(f.isLastTab); }},
        {"saveTab", [](auto& f) { return numberText(f.saveTab); }},
        {"saveFile", [](auto& f) { return f.saveFile; }},
        {"loadTab", [](auto& f) { return numberText(f.loadTab); }},
        {"loadFile", [](auto& f) { return f.loadFile; }},
        {"loadingMarks", [](auto& f) { return boolText(f.loadingMarks); }},
        {"storedYouGot", [](auto& f) { return f.storedYouGot; }},
        {"storedOutOf", [](auto& f) { return f.storedOutOf; }},
        {"storedWeighting", [](auto& f) { return f.storedWeighting; }},
        {"youGot", [](auto& f) { return f.youGot; }},
        {"outOf", [](auto& f) { return f.outOf; }},
        {"weighting", [](auto& f) { return f.weighting; }},
        {"youGotTotal", [](auto& f) { return numberText(f.youGotTotal); }},
        {"outOfTotal", [](auto& f) { return numberText(f.outOfTotal); }},
        {"weightingTotal", [](auto& f) { return numberText(f.weightingTotal); }},
        {"weightedScoreTotal", [](auto& f) { return numberText(f.weightedScoreTotal); }},
        {"weightedScore", [](auto& f) { return numberText(f.weightedScore); }},
        {"selectedMark", [](auto& f) { return f.selectedMark; }},
        {"whatIfMarks", [](auto& f) { return numberText(f.whatIfMarks); }},
        {"enteringWhatIf", [](auto& f) { return boolText(f.enteringWhatIf); }},
        {"gradeSys", [](auto& f) { return numberText(f.gradeSys); }},
        {"gradeSysName", [](auto& f) { return f.gradeSysName; }},
        {"focus", [](auto& f) { return f.focus; }},
    };
    if (auto it = variables.find(name); it != variables.end()) return it->second(*this);
    if (auto element = arrayElementText(name, "gradeRanges", gradeRanges)) return element;
    return arrayElementText(name, "gradeRangeNames", gradeRangeNames);
}

} // namespace tallisto
