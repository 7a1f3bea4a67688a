// SPDX-License-Identifier: GPL-3.0-or-later
// The table of events of both windows. A new command is one line here plus its control in the
// window's layout; the Qt windows and the driver pick it up from this table.
#include "app/event_helpers.h"

namespace tallisto {

const std::vector<Event>& eventTable() {
    using namespace events;
    using F = FrmGradeHelp;
    using T = FrmTER;
    static const std::vector<Event> table = {
        // The main window itself.
        windowEvent<&F::Form_Initialize>("Initialize"),
        windowEvent<&F::Form_Activate>("Activate"),
        closeBox<&F::Form_QueryUnload>(),
        // Its buttons.
        click<&F::cmdEasyWork_Click>("cmdEasyWork"),
        click<&F::cmdNewTab_Click>("cmdNewTab"),
        click<&F::cmdExit_Click>("cmdExit"),
        click<&F::cmdReset_Click>("cmdReset"),
        click<&F::cmdResetAll_Click>("cmdResetAll"),
        click<&F::cmdTER_Click>("cmdTER"),
        keyDown<&F::cmdEasyWork_KeyDown>("cmdEasyWork"),
        // The tab strip.
        element<&F::cmdTab_Click>("cmdTab", "Click"),
        element<&F::cmdTab_GotFocus>("cmdTab", "GotFocus"),
        element<&F::cmdTab_DblClick>("cmdTab", "DblClick"),
        element<&F::cmdTab_MouseUp>("cmdTab", "MouseUp"),
        on<&F::picOuter_DblClick>("picOuter", "DblClick"),
        scroll<&F::HBar_Change>("Change"),
        scroll<&F::HBar_Scroll>("Scroll"),
        on<&F::HBar_GotFocus>("HBar", "GotFocus"),
        // The mark lists: a click selects the row under the mouse first.
        listMouseUp<&F::lstScore, &F::lstScore_MouseUp>("lstScore"),
        listMouseUp<&F::lstTotal, &F::lstTotal_MouseUp>("lstTotal"),
        listMouseUp<&F::lstWeighting, &F::lstWeighting_MouseUp>("lstWeighting"),
        listMouseUp<&F::lstPercentage, &F::lstPercentage_MouseUp>("lstPercentage"),
        // A double click on a row edits that mark.
        listDblClick<&F::lstScore, &F::lstScore_DblClick>("lstScore"),
        listDblClick<&F::lstTotal, &F::lstTotal_DblClick>("lstTotal"),
        listDblClick<&F::lstWeighting, &F::lstWeighting_DblClick>("lstWeighting"),
        listDblClick<&F::lstPercentage, &F::lstPercentage_DblClick>("lstPercentage"),
        // The menus, with their shortcut keys.
        click<&F::tallisto_Click>("tallisto"),
        click<&F::menDelSelRes_Click>("menDelSelRes", "Del"),
        click<&F::cmdsave_Click>("cmdsave"),
        click<&F::mensave_Click>("mensave", "Ctrl+S"),
        click<&F::menSaveReport_Click>("menSaveReport"),
        click<&F::menReportSet_Click>("menReportSet"),
        click<&F::menExportCsv_Click>("menExportCsv"),
        click<&F::cmdOpen_Click>("cmdOpen", "Ctrl+O"),
        click<&F::menXP_Click>("menXP"),
        click<&F::menResetAll_Click>("menResetAll"),
        click<&F::about_Click>("about"),
        click<&F::exit_Click>("exit"),
        click<&F::menUndo_Click>("menUndo", "Ctrl+Z"),
        click<&F::menRedo_Click>("menRedo", {"Ctrl+Y", "Ctrl+Shift+Z"}),
        click<&F::menEditMark_Click>("menEditMark", "F2"),
        click<&F::menWhatIf_Click>("menWhatIf", "Ctrl+K"),
        click<&F::menMakeReal_Click>("menMakeReal"),
        click<&F::menClearWhatIf_Click>("menClearWhatIf"),
        click<&F::menNewTab_Click>("menNewTab", "Ctrl+T"),
        click<&F::reset_Click>("reset"),
        click<&F::menRename_Click>("menRename", "F3"),
        click<&F::menDelete_Click>("menDelete", "Ctrl+W"),
        element<&F::menGradesys_Click>("menGradesys", "Click",
                                       {"Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4"}),
        click<&F::menEditRanges_Click>("menEditRanges"),
        click<&F::menPlan_Click>("menPlan", "Ctrl+P"),
        click<&F::menOverview_Click>("menOverview", "Ctrl+L"),
        click<&F::menChart_Click>("menChart"),
        click<&F::menGuide_Click>("menGuide", "F1"),
        click<&F::menAbout_Click>("menAbout"),

        // The score-out-of-20 window.
        windowEvent<&T::Form_Activate>("Activate"),
        closeBox<&T::Form_QueryUnload>(),
        timer<&T::TimerFrmTer_Timer>("TimerFrmTer"),
        click<&T::cmdHide_Click>("cmdHide"),
        click<&T::cmdOK_Click>("cmdOK"),

        // The planner and the guide.
        closeBox<&FrmPlan::Form_QueryUnload>(),
        closeBox<&FrmGuide::Form_QueryUnload>(),

        // The overview of all subjects and the chart of percentages.
        closeBox<&FrmOverview::Form_QueryUnload>(),
        on<&FrmOverview::grdOverview_DblClick>("grdOverview", "DblClick"),
        closeBox<&FrmChart::Form_QueryUnload>(),
        click<&FrmChart::chkAllSubjects_Click>("chkAllSubjects"),

        // Procedures that other procedures call.
        call<&F::formnamerefresh>("formnamerefresh"),
        call<&F::doweightingcheck>("doweightingcheck"),
        call<&F::inboxweightingcheck>("inboxweightingcheck"),
        call<&F::TotalsUpdate>("TotalsUpdate"),
        call<&F::ResetTab>("ResetTab"),
        call<&F::GradeIs>("GradeIs"),
        call<&F::GradeRangeRetrieve>("GradeRangeRetrieve"),
        call<&F::GradeSysUsed>("GradeSysUsed"),
        call<&F::lblGradeSysUpdate>("lblGradeSysUpdate"),
        call<&F::SaveRun>("SaveRun"),
        call<&F::LoadRun>("LoadRun"),
        call<&F::saveloop>("saveloop"),
        call<&F::loadingtime>("loadingtime"),
        call<&F::lastTabCheck>("lastTabCheck"),
        call<&F::scrollBarCheck>("scrollBarCheck"),
        call<&F::exit_me>("exit_me"),
        call<&T::GradeRangeRetrieve>("GradeRangeRetrieve"),
        call<&T::GradeIs>("GradeIs"),
    };
    return table;
}

} // namespace tallisto
