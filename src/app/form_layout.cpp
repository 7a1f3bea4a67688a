// The main window as it is designed: every control's place, caption and first state.
#include "app/frm_grade_help.h"
#include "app/program.h"

namespace tallisto {

namespace {

Control make(const char* name, ControlKind kind, const char* container, int left, int top,
             int width, int height, const char* caption = "") {
    Control c;
    c.name = name;
    c.kind = kind;
    c.container = container;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.caption = caption;
    return c;
}

Control line(const char* name, int x1, int y1, int x2, int y2) {
    return make(name, ControlKind::Line, "frmGradeHelp", x1, y1, x2 - x1, y2 - y1);
}

Control menu(const char* name, const char* container, const char* caption, bool enabled = true) {
    Control c = make(name, container[0] ? ControlKind::MenuItem : ControlKind::Menu, container, 0,
                     0, 0, 0, caption);
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
    Control c = make("cmdTab", ControlKind::OptionButton, "picInner", 0, cmdTab[0].top,
                     cmdTab[0].width, cmdTab[0].height);
    c.index = index;
    c.visible = false;
    return c;
}

void FrmGradeHelp::setDesignTimeState() {
    using K = ControlKind;
    const char* w = "frmGradeHelp";
    frmGradeHelp = make(w, K::Form, "", 1200, 1200, 6135, 5805, "Unsaved - Tallisto");

    Control tab0 = make("cmdTab", K::OptionButton, "picInner", 0, 0, 854, 375, "Tab 1");
    tab0.index = 0;
    cmdTab = {tab0};
    cmdResetAll = hidden(make("cmdResetAll", K::Button, w, 4680, 1320, 1215, 495, "Reset All"));
    picOuter = make("picOuter", K::PictureBox, w, 1080, 120, 4280, 375);
    picInner = make("picInner", K::PictureBox, "picOuter", 0, 0, 855, 375);
    HBar = hidden(make("HBar", K::ScrollBar, w, 5470, 120, 425, 375));
    cmdNewTab = make("cmdNewTab", K::Button, w, 100, 120, 855, 375, "New Tab");
    cmdExit = make("cmdExit", K::Button, w, 4680, 4190, 1215, 748, "Exit");
    cmdReset = hidden(make("cmdReset", K::Button, w, 4680, 720, 1215, 615, "Reset Tab"));
    frameTotals = make("frameTotals", K::Frame, w, 120, 4080, 4335, 855, "Totals");
    cmdTER = make("cmdTER", K::Button, "frameTotals", 3480, 480, 375, 255, "/20");
    lblWeightingTot = make("lblWeightingTot", K::Label, "frameTotals", 2280, 240, 495, 255, "0%");
    lblScoreTot = make("lblScoreTot", K::Label, "frameTotals", 240, 240, 615, 255, "0");
    lblShit = make("lblShit", K::Label, "frameTotals", 3480, 240, 615, 495, "0%");
    lblTotalTest = make("lblTotalTest", K::Label, "frameTotals", 1200, 240, 615, 255, "0");
    cmdEasyWork =
        make("cmdEasyWork", K::Button, w, 120, 720, 4455, 615, "Click HERE to enter your grades");
    cmdEasyWork.toolTipText = "Click Here to enter your scores.";
    lstPercentage = make("lstPercentage", K::ListBox, w, 3360, 2040, 975, 1815);
    lstTotal = make("lstTotal", K::ListBox, w, 1200, 2040, 855, 1815);
    lstScore = make("lstScore", K::ListBox, w, 240, 2040, 855, 1815);
    framescores = make("framescores", K::Frame, w, 120, 1800, 4335, 2175, "Each Seperate Mark");
    lstWeighting = make("lstWeighting", K::ListBox, "framescores", 2040, 240, 855, 1815);
    Frame1 = make("Frame1", K::Frame, w, 4680, 1800, 1215, 2175);
    lblGradeSys = make("lblGradeSys", K::Label, "Frame1", 110, 1040, 1025, 775);
    lblGradePer = make("lblGradePer", K::Label, "Frame1", 120, 800, 975, 255);
    lblGrade = make("lblGrade", K::Label, "Frame1", 120, 570, 975, 255, "---");
    Label1 = make("Label1", K::Label, "Frame1", 120, 120, 975, 495, "Your Current Grade is a:");
    CommonDialog = {};
    Line4 = hidden(line("Line4", 5400, 50, 5400, 560));
    Line3 = line("Line3", 1000, 50, 1000, 560);
    Line2 = line("Line2", 0, 50, 6015, 50);
    Line1 = line("Line1", 0, 550, 6015, 550);
    lblWeight = make("lblWeight", K::Label, w, 3240, 1560, 1335, 255, "(Out of Weighting)");
    Label2 = make("Label2", K::Label, w, 2280, 1440, 855, 255, "Weighting");
    lbltotal = make("lbltotal", K::Label, w, 1320, 1440, 615, 255, "Out Of...");
    lblscore = make("lblscore", K::Label, w, 240, 1440, 735, 255, "You Got...");
    lblPercent = make("lblPercent", K::Label, w, 3600, 1350, 495, 255, " Score");

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
    cmdOpen = menu("cmdOpen", "file", "Open");
    seper1 = menu("seper1", "file", "-");
    menXP = menu("menXP", "file", "XP Look");
    seper2 = menu("seper2", "file", "-");
    menResetAll = menu("menResetAll", "file", "Reset All", false);
    about = menu("about", "file", "About");
    exit = menu("exit", "file", "Exit");
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
    for (Control* sep : {&seper0, &seper1, &seper2, &seper3})
        sep->kind = K::Separator;
}

} // namespace tallisto
