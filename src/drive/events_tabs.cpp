// The events of the tab strip, the tab store, deleting marks and resetting.
#include "drive/event_table.h"

#include <algorithm>

namespace tallisto::drive {

namespace {

Control* tabButton(Program& p, const Args& a) {
    return p.frmGradeHelp.findControl("cmdTab", a[0]);
}

// An event on one tab button: refused when that button is hidden or disabled, as the user cannot
// reach it; an error for an element that is not loaded.
Event onTab(void (FrmGradeHelp::*f)(int)) {
    return {1, [f](Program& p, const Args& a) { (p.frmGradeHelp.*f)(a[0]); }, tabButton};
}

// A click in a mark list selects the entry under the mouse first; a click below the last entry
// leaves the selection as it is.
Event listMouseUp(Control FrmGradeHelp::*list, void (FrmGradeHelp::*handler)()) {
    return {1,
            [list, handler](Program& p, const Args& a) {
                Control& l = p.frmGradeHelp.*list;
                if (a[0] < static_cast<int>(l.list.size())) l.listIndex = std::max(a[0], -1);
                (p.frmGradeHelp.*handler)();
            },
            nullptr};
}

// The user can only move the scroll box within the bar's range.
Event scrolled(void (FrmGradeHelp::*handler)()) {
    return {1,
            [handler](Program& p, const Args& a) {
                Control& bar = p.frmGradeHelp.HBar;
                bar.value =
                    std::clamp(a[0], std::min(bar.min, bar.max), std::max(bar.min, bar.max));
                (p.frmGradeHelp.*handler)();
            },
            nullptr};
}

void addMarkRemovalEvents(EventTable& t) {
    using F = FrmGradeHelp;
    t["lstScore_MouseUp"] = listMouseUp(&F::lstScore, &F::lstScore_MouseUp);
    t["lstTotal_MouseUp"] = listMouseUp(&F::lstTotal, &F::lstTotal_MouseUp);
    t["lstWeighting_MouseUp"] = listMouseUp(&F::lstWeighting, &F::lstWeighting_MouseUp);
    t["lstPercentage_MouseUp"] = listMouseUp(&F::lstPercentage, &F::lstPercentage_MouseUp);
    t["menDelSelRes_Click"] = click(&F::menDelSelRes, &F::menDelSelRes_Click);
    t["ResetTab"] = plain(&F::ResetTab);
    t["cmdReset_Click"] = click(&F::cmdReset, &F::cmdReset_Click);
    t["reset_Click"] = click(&F::reset, &F::reset_Click);
    t["cmdResetAll_Click"] = click(&F::cmdResetAll, &F::cmdResetAll_Click);
    t["menResetAll_Click"] = click(&F::menResetAll, &F::menResetAll_Click);
}

} // namespace

void addTabEvents(EventTable& t) {
    using F = FrmGradeHelp;
    t["cmdTab_Click"] = onTab(&F::cmdTab_Click);
    t["cmdTab_GotFocus"] = onTab(&F::cmdTab_GotFocus);
    t["cmdTab_DblClick"] = onTab(&F::cmdTab_DblClick);
    t["cmdTab_MouseUp"] = {
        2, [](Program& p, const Args& a) { p.frmGradeHelp.cmdTab_MouseUp(a[0], a[1]); }, tabButton};
    t["cmdNewTab_Click"] = click(&F::cmdNewTab, &F::cmdNewTab_Click);
    t["menNewTab_Click"] = click(&F::menNewTab, &F::menNewTab_Click);
    t["menRename_Click"] = click(&F::menRename, &F::menRename_Click);
    t["menDelete_Click"] = click(&F::menDelete, &F::menDelete_Click);
    t["picOuter_DblClick"] = plain(&F::picOuter_DblClick);
    t["lastTabCheck"] = plain(&F::lastTabCheck);
    t["scrollBarCheck"] = plain(&F::scrollBarCheck);
    t["HBar_Change"] = scrolled(&F::HBar_Change);
    t["HBar_Scroll"] = scrolled(&F::HBar_Scroll);
    t["HBar_GotFocus"] = plain(&F::HBar_GotFocus);
    // KeyCode, and Shift when given.
    t["cmdEasyWork_KeyDown"] = {
        1, [](Program& p, const Args& a) { p.frmGradeHelp.cmdEasyWork_KeyDown(a[0], a[1]); },
        nullptr, false, 1};
    t["SaveRun"] = plain(&F::SaveRun);
    t["LoadRun"] = plain(&F::LoadRun);
    addMarkRemovalEvents(t);
}

} // namespace tallisto::drive
