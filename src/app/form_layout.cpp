// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as it is designed: every control's place, caption and first state.
#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

namespace {

Control line(const char* name, int x1, int y1, int x2, int y2) {
    return makeControl(name, ControlKind::Line, "frmGradeHelp", x1, y1, x2 - x1, y2 - y1);
}

Control menu(const char* name, const char* container, const char* caption, bool enabled = true) {
    Control c = makeControl(name, container[0] ? ControlKind::MenuItem : ControlKind::Menu,
                            container, 0, 0, 0, 0, caption);
    c.enabled = enabled;
    return c;
}

Control hidden(Control c) {
    c.visible = false;
    return c;
}

} // namespace

FrmGradeHelp::FrmGradeHelp(Program& program) : program_(program) {
    setDesignTimeState();
}

Control FrmGradeHelp::newTabElement(int index) const {
    // A loaded element copies the size and Top of element 0.
    Control c = makeControl("cmdTab", ControlKind::OptionButton, "picInner", 0, cmdTab[0].top,
                            cmdTab[0].width, cmdTab[0].height);
    c.index = index;
    c.visible = false;
    return c;
}

void FrmGradeHelp::setDesignTimeState() {
    using K = ControlKind;
    const char* w = "frmGradeHelp";
    frmGradeHelp = makeControl(w, K::Form, "", 1200, 1200, 6135, 5805, "Unsaved - Tallisto");

    Control tab0 = makeControl("cmdTab", K::OptionButton, "picInner", 0, 0, 854, 375, "Tab 1");
    tab0.index = 0;
    cmdTab = {tab0};
    cmdResetAll =
        hidden(makeControl("cmdResetAll", K::Button, w, 4680, 1320, 1215, 495, "Reset All"));
    picOuter = makeControl("picOuter", K::PictureBox, w, 1080, 120, 4280, 375);
    picInner = makeControl("picInner", K::PictureBox, "picOuter", 0, 0, 855, 375);
    HBar = hidden(makeControl("HBar", K::ScrollBar, w, 5470, 120, 425, 375));
    cmdNewTab = makeControl("cmdNewTab", K::Button, w, 100, 120, 855, 375, "New Tab");
    cmdExit = makeControl("cmdExit", K::Button, w, 4680, 4190, 1215, 748, "Exit");
    cmdReset = hidden(makeControl("cmdReset", K::Button, w, 4680, 720, 1215, 615, "Reset Tab"));
    frameTotals = makeControl("frameTotals", K::Frame, w, 120, 4080, 4335, 855, "Totals");
    cmdTER = makeControl("cmdTER", K::Button, "frameTotals", 3480, 480, 375, 255, "/20");
    lblWeightingTot =
        makeControl("lblWeightingTot", K::Label, "frameTotals", 2280, 240, 495, 255, "0%");
    lblScoreTot = makeControl("lblScoreTot", K::Label, "frameTotals", 240, 240, 615, 255, "0");
    lblShit = makeControl("lblShit", K::Label, "frameTotals", 3480, 240, 615, 495, "0%");
    lblTotalTest = makeControl("lblTotalTest", K::Label, "frameTotals", 1200, 240, 615, 255, "0");
    // Says while what-if marks are counted in the totals above it.
    lblWhatIf = hidden(makeControl("lblWhatIf", K::Label, "frameTotals", 240, 520, 3120, 255));
    cmdEasyWork = makeControl("cmdEasyWork", K::Button, w, 120, 720, 4455, 615,
                              "Click HERE to enter your grades");
    cmdEasyWork.toolTipText = "Click Here to enter your scores.";
    lstPercentage = makeControl("lstPercentage", K::ListBox, w, 3360, 2040, 975, 1815);
    lstTotal = makeControl("lstTotal", K::ListBox, w, 1200, 2040, 855, 1815);
    lstScore = makeControl("lstScore", K::ListBox, w, 240, 2040, 855, 1815);
    framescores =
        makeControl("framescores", K::Frame, w, 120, 1800, 4335, 2175, "Each Seperate Mark");
    lstWeighting = makeControl("lstWeighting", K::ListBox, "framescores", 2040, 240, 855, 1815);
    Frame1 = makeControl("Frame1", K::Frame, w, 4680, 1800, 1215, 2175);
    lblGradeSys = makeControl("lblGradeSys", K::Label, "Frame1", 110, 1040, 1025, 775);
    lblGradePer = makeControl("lblGradePer", K::Label, "Frame1", 120, 800, 975, 255);
    lblGrade = makeControl("lblGrade", K::Label, "Frame1", 120, 570, 975, 255, "---");
    Label1 =
        makeControl("Label1", K::Label, "Frame1", 120, 120, 975, 495, "Your Current Grade is a:");
    CommonDialog = {};
    Line4 = hidden(line("Line4", 5400, 50, 5400, 560));
    Line3 = line("Line3", 1000, 50, 1000, 560);
    Line2 = line("Line2", 0, 50, 6015, 50);
    Line1 = line("Line1", 0, 550, 6015, 550);
    lblWeight = makeControl("lblWeight", K::Label, w, 3240, 1560, 1335, 255, "(Out of Weighting)");
    Label2 = makeControl("Label2", K::Label, w, 2280, 1440, 855, 255, "Weighting");
    lbltotal = makeControl("lbltotal", K::Label, w, 1320, 1440, 615, 255, "Out Of...");
    lblscore = makeControl("lblscore", K::Label, w, 240, 1440, 735, 255, "You Got...");
    lblPercent = makeControl("lblPercent", K::Label, w, 3600, 1350, 495, 255, " Score");

    file = menu("file", "", "File");
    tallisto = menu("tallisto", "file", "Tallisto");
    menDelSelRes = menu("menDelSelRes", "file", "Delete Selected Mark", false);
    seper0 = menu("seper0", "file", "-");
    cmdsave = menu("cmdsave", "file", "Save As", false);
    mensave = menu("mensave", "file", "Save", false);
    savereport = menu("savereport", "file", "Save Report");
    savereport.kind = K::Menu;
    menSaveReport = menu("menSaveReport", "savereport", "Save Subject Report", false);
    menReportSet = menu("menReportSet", "savereport", "Save Report Set", false);
    menExportCsv = menu("menExportCsv", "file", "Export Marks as CSV");
    cmdOpen = menu("cmdOpen", "file", "Open");
    seper1 = menu("seper1", "file", "-");
    menXP = menu("menXP", "file", "XP Look");
    seper2 = menu("seper2", "file", "-");
    menResetAll = menu("menResetAll", "file", "Reset All", false);
    about = menu("about", "file", "About");
    exit = menu("exit", "file", "Exit");
    menEdit = menu("menEdit", "", "Edit");
    menUndo = menu("menUndo", "menEdit", "Undo", false);
    menRedo = menu("menRedo", "menEdit", "Redo", false);
    seper4 = menu("seper4", "menEdit", "-");
    menEditMark = menu("menEditMark", "menEdit", "Edit Mark", false);
    menWhatIf = menu("menWhatIf", "menEdit", "Enter What-If Mark");
    menMakeReal = menu("menMakeReal", "menEdit", "Make What-If Mark Real", false);
    menClearWhatIf = menu("menClearWhatIf", "menEdit", "Clear What-If Marks", false);
    tabs = menu("tabs", "", "Tabs");
    menNewTab = menu("menNewTab", "tabs", "New Tab");
    reset = menu("reset", "tabs", "Reset Tab", false);
    menRename = menu("menRename", "tabs", "Rename Tab");
    menDelete = menu("menDelete", "tabs", "Delete Tab", false);
    menGradesystem = menu("menGradesystem", "", "Grading System");
    for (int i = 0; i < 4; ++i) {
        menGradesys[i] = menu("menGradesys", "menGradesystem", "");
        menGradesys[i].index = i;
        menGradesys[i].caption = "Gradesys" + std::to_string(i);
    }
    seper3 = menu("seper3", "menGradesystem", "-");
    menEditRanges = menu("menEditRanges", "menGradesystem", "Edit graderanges.txt");
    menView = menu("menView", "", "View");
    menPlan = menu("menPlan", "menView", "What Do I Need?");
    menOverview = menu("menOverview", "menView", "Overview of All Subjects");
    menChart = menu("menChart", "menView", "Chart of Percentages");
    menHelp = menu("menHelp", "", "Help");
    menGuide = menu("menGuide", "menHelp", "How Tallisto Works");
    menAbout = menu("menAbout", "menHelp", "About");
    for (Control* sep : {&seper0, &seper1, &seper2, &seper3, &seper4})
        sep->kind = K::Separator;
}

} // namespace tallisto
