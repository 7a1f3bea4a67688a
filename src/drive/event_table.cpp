#include "drive/event_table.h"

namespace tallisto::drive {

EventTable buildEventTable() {
    EventTable table;
    addAppEvents(table);
    addMarkEvents(table);
    addGradingEvents(table);
    addTerEvents(table);
    addTabEvents(table);
    addStorageEvents(table);
    addReportEvents(table);
    return table;
}

void addAppEvents(EventTable& t) {
    t["Form_Initialize"] = plain(&FrmGradeHelp::Form_Initialize);
    t["Form_Activate"] = plain(&FrmGradeHelp::Form_Activate);
    t["formnamerefresh"] = plain(&FrmGradeHelp::formnamerefresh);
    t["menGuide_Click"] = click(&FrmGradeHelp::menGuide, &FrmGradeHelp::menGuide_Click);
    t["menAbout_Click"] = click(&FrmGradeHelp::menAbout, &FrmGradeHelp::menAbout_Click);
}

void addMarkEvents(EventTable& t) {
    t["cmdEasyWork_Click"] = click(&FrmGradeHelp::cmdEasyWork, &FrmGradeHelp::cmdEasyWork_Click);
    t["tallisto_Click"] = click(&FrmGradeHelp::tallisto, &FrmGradeHelp::tallisto_Click);
    t["doweightingcheck"] = plain(&FrmGradeHelp::doweightingcheck);
    t["inboxweightingcheck"] = plain(&FrmGradeHelp::inboxweightingcheck);
    t["TotalsUpdate"] = plain(&FrmGradeHelp::TotalsUpdate);
}

void addGradingEvents(EventTable& t) {
    t["menGradesys_Click"] = {
        1, [](Program& p, const Args& a) { p.frmGradeHelp.menGradesys_Click(a[0]); },
        [](Program& p, const Args& a) { return p.frmGradeHelp.findControl("menGradesys", a[0]); }};
    t["menEditRanges_Click"] =
        click(&FrmGradeHelp::menEditRanges, &FrmGradeHelp::menEditRanges_Click);
    t["GradeIs"] = plain(&FrmGradeHelp::GradeIs);
    t["GradeRangeRetrieve"] = plain(&FrmGradeHelp::GradeRangeRetrieve);
    t["GradeSysUsed"] = plain(&FrmGradeHelp::GradeSysUsed);
    t["lblGradeSysUpdate"] = plain(&FrmGradeHelp::lblGradeSysUpdate);
    t["menPlan_Click"] = click(&FrmGradeHelp::menPlan, &FrmGradeHelp::menPlan_Click);
}

void addTerEvents(EventTable& t) {
    t["cmdTER_Click"] = click(&FrmGradeHelp::cmdTER, &FrmGradeHelp::cmdTER_Click);
    auto ter = [](std::function<void(FrmTER&)> f, Control FrmTER::*control) {
        Event e{0, [f](Program& p, const Args&) { f(p.frmTER); }, nullptr, true};
        if (control)
            e.control = [control](Program& p, const Args&) { return &(p.frmTER.*control); };
        return e;
    };
    t["frmTER.Form_Activate"] = ter(&FrmTER::Form_Activate, nullptr);
    t["frmTER.TimerFrmTer_Timer"] = ter(&FrmTER::TimerFrmTer_Timer, &FrmTER::TimerFrmTer);
    t["frmTER.GradeRangeRetrieve"] = ter(&FrmTER::GradeRangeRetrieve, nullptr);
    t["frmTER.GradeIs"] = ter(&FrmTER::GradeIs, nullptr);
    t["frmTER.cmdHide_Click"] = ter(&FrmTER::cmdHide_Click, &FrmTER::cmdHide);
    t["frmTER.cmdOK_Click"] = ter(&FrmTER::cmdOK_Click, &FrmTER::cmdOK);
}

} // namespace tallisto::drive
