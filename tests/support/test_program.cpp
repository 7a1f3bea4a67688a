// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_program.h"

#include "shared/number_text.h"

#include <charconv>
#include <sstream>
#include <sys/resource.h>

namespace tallisto::testing {

namespace fs = std::filesystem;

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string shippedRanges() {
    return bytesOf(fs::path(TALLISTO_DATA_DIR) / "graderanges.txt");
}

std::optional<ScriptDialogs::Scripted> ScriptDialogs::take(Kind kind) {
    const Kind next = answers_.empty() ? kind : answers_.front().kind;
    if (answers_.empty() || (next != kind && (next != Kind::Cancel || kind == Kind::Press))) {
        unexpected.push_back(describe(shown.back()));
        if (failUnexpected) ADD_FAILURE() << "unexpected " << unexpected.back();
        return std::nullopt;
    }
    Scripted answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

Answer ScriptDialogs::messageBox(const std::string& prompt, Buttons buttons,
                                 const std::string& title) {
    shown.push_back({"msgbox", title, prompt, buttons});
    if (const auto answer = take(Kind::Press)) return answer->button;
    return buttons == Buttons::YesNo ? Answer::No
           : buttons == Buttons::OK  ? Answer::OK
                                     : Answer::Cancel;
}

InputAnswer ScriptDialogs::inputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    shown.push_back({"inputbox", title, prompt});
    inputDefaults.push_back(defaultText);
    const auto answer = take(Kind::Type);
    if (!answer || answer->kind == Kind::Cancel) return {true, ""};
    return {false, answer->text};
}

FileChoice ScriptDialogs::fileDialog(FileDialogKind kind, const std::string& title,
                                     const std::string& filter) {
    shown.push_back({kind == FileDialogKind::Open ? "open" : "save", title, filter});
    const auto answer = take(Kind::Choose);
    if (!answer || answer->kind == Kind::Cancel) return {true, "", ""};
    return {false, answer->text, fs::path(answer->text).filename().string()};
}

std::string ScriptDialogs::last() const {
    return shown.empty() ? "" : describe(shown.back());
}

bool ScriptDialogs::showInEditor(const std::string& path) {
    shown.push_back({"editor", "", path});
    return editorStarts;
}

TestProgram::TestProgram(const std::string& rangesContent) {
    if (!rangesContent.empty()) write("graderanges.txt", rangesContent);
    facts.programDir = dir.path().string();
    program = std::make_unique<Program>(dialogs, facts);
}

TestProgram::~TestProgram() {
    EXPECT_EQ(dialogs.pending(), 0u) << "answers left over at the end of the test";
}

StartedProgram::StartedProgram(const std::string& ranges, const std::string& settings,
                               FileWriter writer)
    : TestProgram(ranges) {
    if (!settings.empty()) write("settings.ini", settings);
    if (writer) program = std::make_unique<Program>(dialogs, facts, std::move(writer));
    start();
}

bool TestProgram::run(const std::function<void(FrmGradeHelp&)>& event) {
    return program->run([&] { event(form()); });
}

void TestProgram::typeMark(const std::string& score, const std::string& outOf,
                           const std::string& weighting) {
    dialogs.type(score);
    dialogs.type(outOf);
    dialogs.type(weighting);
}

void TestProgram::enterMark(const std::string& score, const std::string& outOf,
                            const std::string& weighting) {
    typeMark(score, outOf, weighting);
    run(&FrmGradeHelp::cmdEasyWork_Click);
}

std::string describe(const ScriptDialogs::Shown& shown) {
    static const char* const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    std::string line = shown.kind + " \"" + shown.title + "\" \"" + shown.prompt + "\"";
    if (shown.kind == "msgbox") line += std::string(" ") + buttons[int(shown.buttons)];
    return line;
}

void clickTab(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.cmdTab_Click(index); });
}

void addTabs(TestProgram& t, int count) {
    for (int i = 0; i < count; ++i)
        t.run(&FrmGradeHelp::cmdNewTab_Click);
}

void deleteTab(TestProgram& t) {
    t.run(&FrmGradeHelp::menDelete_Click);
}

void pressKey(TestProgram& t, int keyCode, int shift) {
    t.run([=](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(keyCode, shift); });
}

void rename(TestProgram& t, const std::string& name) {
    t.dialogs.type(name);
    t.run(&FrmGradeHelp::menRename_Click);
}

void chooseGradeSys(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.menGradesys_Click(index); });
}

void scrollTo(TestProgram& t, int value) {
    t.run([value](FrmGradeHelp& f) {
        f.focus = "HBar";
        f.HBar.value = value;
        f.HBar_Scroll();
    });
}

void selectMark(TestProgram& t, int list, int row) {
    static const std::pair<Control FrmGradeHelp::*, void (FrmGradeHelp::*)()> lists[] = {
        {&FrmGradeHelp::lstScore, &FrmGradeHelp::lstScore_MouseUp},
        {&FrmGradeHelp::lstTotal, &FrmGradeHelp::lstTotal_MouseUp},
        {&FrmGradeHelp::lstWeighting, &FrmGradeHelp::lstWeighting_MouseUp},
        {&FrmGradeHelp::lstPercentage, &FrmGradeHelp::lstPercentage_MouseUp}};
    t.run([&](FrmGradeHelp& f) {
        (f.*lists[list].first).listIndex = row;
        (f.*lists[list].second)();
    });
}

void enterWhatIf(TestProgram& t, const std::string& score, const std::string& outOf,
                 const std::string& weighting) {
    t.typeMark(score, outOf, weighting);
    t.run(&FrmGradeHelp::menWhatIf_Click);
}

void undo(TestProgram& t) {
    t.run(&FrmGradeHelp::menUndo_Click);
}

void redo(TestProgram& t) {
    t.run(&FrmGradeHelp::menRedo_Click);
}

std::vector<std::string> marksOf(const FrmGradeHelp& f) {
    std::vector<std::string> marks;
    for (std::size_t j = 0; j < f.lstScore.list.size(); ++j)
        marks.push_back(f.lstScore.list[j] + "|" + f.lstTotal.list.at(j) + "|" +
                        f.lstWeighting.list.at(j) + "|" + f.lstPercentage.list.at(j) + "|" +
                        (f.markKind(j) == MarkKind::WhatIf ? "whatif" : "real"));
    return marks;
}

void fillTab(TestProgram& t, const std::string& name, const std::vector<Mark>& marks,
             int gradeSys) {
    rename(t, name);
    for (const Mark& m : marks)
        t.enterMark(m.score, m.outOf, m.weighting);
    chooseGradeSys(t, gradeSys);
}

std::vector<int> pressedTabs(const FrmGradeHelp& f) {
    std::vector<int> pressed;
    for (const Control& tab : f.cmdTab)
        if (tab.checked) pressed.push_back(tab.index);
    return pressed;
}

namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items)
        text += item + ",";
    return text;
}

} // namespace

std::string viewOf(const FrmGradeHelp& f) {
    std::string text = "{";
    for (const Control* list : {&f.lstScore, &f.lstTotal, &f.lstWeighting, &f.lstPercentage})
        text += joined(list->list) + " | ";
    for (const Control* label : {&f.lblScoreTot, &f.lblTotalTest, &f.lblWeightingTot, &f.lblShit,
                                 &f.lblGrade, &f.lblGradePer, &f.lblGradeSys})
        text += label->caption + " ";
    return text + "[" + f.frmGradeHelp.caption + "] sys" + std::to_string(f.gradeSys) +
           (f.cmdTER.visible ? " /20" : "") + (f.cmdReset.visible ? " reset" : "") + "}";
}

std::string windowState(const FrmGradeHelp& f) {
    std::ostringstream out;
    out << viewOf(f) << "\ntabs";
    for (const Control& tab : f.cmdTab)
        out << " [" << tab.caption << " left " << tab.left << (tab.visible ? "" : " hidden")
            << (tab.checked ? " pressed" : "") << "]";
    out << " count " << f.tabCount << " current " << f.currentTab << "\nstrip at "
        << f.picInner.left << " bar " << f.HBar.value << "\nshown:";
    for (const Control* c : {&f.HBar, &f.Line4, &f.cmdResetAll, &f.cmdReset, &f.cmdTER})
        if (c->visible) out << " " << c->name;
    out << "\nenabled:";
    for (const Control* c : {&f.menResetAll, &f.mensave, &f.cmdsave, &f.menReportSet, &f.menDelete,
                             &f.menDelSelRes, &f.menSaveReport, &f.reset})
        if (c->enabled) out << " " << c->name;
    out << "\n"
        << (f.unsaved ? "unsaved" : "saved") << " file [" << f.currentFilePath << "] ["
        << f.currentFileTitle << "] focus " << f.focus;
    return out.str();
}

std::string workState(TestProgram& t) {
    FrmGradeHelp& f = t.form();
    std::string out;
    out.reserve(8192);
    char number[16];
    for (const Control* c : f.allControls()) {
        if (c == &f.menUndo || c == &f.menRedo) continue;
        out.append(c->name).append("(").append(std::to_string(c->index)).append(") [");
        out.append(c->caption).append("] [").append(c->toolTipText).append("] ");
        out.append({c->visible ? '1' : '0', c->enabled ? '1' : '0', c->checked ? '1' : '0', ' '});
        for (int n : {c->left, c->top, c->width, c->height, c->listIndex, c->value, c->min, c->max,
                      c->largeChange, c->smallChange})
            out.append(number, std::to_chars(number, std::end(number), n).ptr).append(" ");
        out.append("[");
        for (const std::string& entry : c->list)
            out.append(entry).append("|");
        out.append("]\n");
    }
    for (const char* name :
         {"unsaved", "currentFilePath", "currentFileTitle", "tabCount", "currentTab", "youGotTotal",
          "outOfTotal", "weightingTotal", "weightedScoreTotal", "selectedMark", "gradeSys",
          "gradeSysName", "focus", "loadingTabs", "loadingMarks", "exitAfterSave", "whatIfMarks",
          "enteringWhatIf"})
        out.append(name).append("=").append(f.variableText(name).value_or("")).append("\n");
    std::string working;
    readWholeFile(f.workingFile(), working);
    out.append("overallPercentage=").append(numberText(t.program->modData.overallPercentage));
    out.append("\nworking file:\n").append(working);
    return out;
}

void PrintTo(const TabState& tab, std::ostream* os) {
    *os << tab.name << " [gradesys " << tab.gradeSys << "] " << joined(tab.scores) << " / "
        << joined(tab.outOfs) << " @ " << joined(tab.weightings) << " = "
        << joined(tab.percentages);
}

std::vector<TabState> shownTabs(TestProgram& t) {
    FrmGradeHelp& f = t.form();
    const int current = f.currentTab;
    std::vector<TabState> tabs;
    for (int i = 0; i < static_cast<int>(f.cmdTab.size()); ++i) {
        if (!f.cmdTab[i].visible) continue;
        clickTab(t, i);
        tabs.push_back({f.cmdTab[i].caption, f.lstScore.list, f.lstTotal.list, f.lstWeighting.list,
                        f.lstPercentage.list, f.gradeSys});
    }
    clickTab(t, current);
    return tabs;
}

bool saveAs(TestProgram& t) {
    bool saved = false;
    t.run([&](FrmGradeHelp& f) { saved = f.cmdsave_Click(); });
    return saved;
}

bool saveAs(TestProgram& t, const std::string& path) {
    t.dialogs.choose(path);
    return saveAs(t);
}

void open(TestProgram& t, const std::string& path) {
    if (t.form().unsaved) t.dialogs.press(Answer::Yes);
    t.dialogs.choose(path);
    t.run(&FrmGradeHelp::cmdOpen_Click);
}

void openAtStart(TestProgram& t, const std::string& path) {
    t.run([&](FrmGradeHelp& f) { f.openFileAtStart(path); });
}

std::string saveFileOf(int tabs, int marks) {
    std::vector<std::string> lines{"[TabInfo]", "NumTabs=" + std::to_string(tabs)};
    for (int i = 0; i < tabs; ++i) {
        const std::string tab = std::to_string(i);
        lines.insert(lines.end(),
                     {"[Tab " + tab + "]", "Name=S" + tab, "count=" + std::to_string(marks)});
        for (int j = 0; j < marks; ++j) {
            const std::string n = std::to_string(j);
            lines.insert(lines.end(), {"yougot" + n + "=" + std::to_string(i + j),
                                       "outof" + n + "=50", "weighting" + n + "=0.01"});
        }
        lines.push_back("gradesys=" + std::to_string(i % 4));
    }
    return crlf(lines);
}

FileWriter failingAfter(std::size_t bytes, std::function<bool(const fs::path&)> pick) {
    return [=](const fs::path& path, std::string_view content) {
        if (!pick(path)) return writeFileAtomically(path, content);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        IoResult result = writeFileAtomically(path, content);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        return result;
    };
}

FileWriter refusingWriter(std::function<bool(const fs::path&)> refuse, std::string reason,
                          const bool* on, int* refused) {
    return [=](const fs::path& path, std::string_view bytes) {
        if ((on == nullptr || *on) && refuse(path)) {
            if (refused != nullptr) ++*refused;
            return IoResult::failure(reason);
        }
        return writeFileAtomically(path, bytes);
    };
}

} // namespace tallisto::testing
