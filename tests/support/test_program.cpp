#include "support/test_program.h"

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

void ScriptDialogs::type(const std::string& text) {
    answers_.push_back({Scripted::Kind::Type, text});
}
void ScriptDialogs::press(Answer button) {
    answers_.push_back({Scripted::Kind::Press, "", button});
}
void ScriptDialogs::choose(const std::string& path) {
    answers_.push_back({Scripted::Kind::Choose, path});
}
void ScriptDialogs::cancel() {
    answers_.push_back({Scripted::Kind::Cancel, ""});
}

Answer ScriptDialogs::messageBox(const std::string& prompt, Buttons buttons,
                                 const std::string& title) {
    shown.push_back({"msgbox", title, prompt, buttons});
    if (answers_.empty() || answers_.front().kind != Scripted::Kind::Press) {
        ADD_FAILURE() << "unexpected message box: " << prompt;
        return buttons == Buttons::YesNo ? Answer::No
               : buttons == Buttons::OK  ? Answer::OK
                                         : Answer::Cancel;
    }
    Answer a = answers_.front().button;
    answers_.pop_front();
    return a;
}

InputAnswer ScriptDialogs::inputBox(const std::string& prompt, const std::string& title) {
    shown.push_back({"inputbox", title, prompt});
    if (!answers_.empty() && answers_.front().kind == Scripted::Kind::Cancel) {
        answers_.pop_front();
        return {true, ""};
    }
    if (answers_.empty() || answers_.front().kind != Scripted::Kind::Type) {
        ADD_FAILURE() << "unexpected input box: " << prompt;
        return {true, ""};
    }
    InputAnswer a{false, answers_.front().text};
    answers_.pop_front();
    return a;
}

FileChoice ScriptDialogs::fileDialog(FileDialogKind kind, const std::string& title,
                                     const std::string& filter) {
    shown.push_back({kind == FileDialogKind::Open ? "open" : "save", title, filter});
    if (!answers_.empty() && answers_.front().kind == Scripted::Kind::Cancel) {
        answers_.pop_front();
        return {true, "", ""};
    }
    if (answers_.empty() || answers_.front().kind != Scripted::Kind::Choose) {
        ADD_FAILURE() << "unexpected file dialog: " << title;
        return {true, "", ""};
    }
    const std::string path = answers_.front().text;
    answers_.pop_front();
    return {false, path, fs::path(path).filename().string()};
}

void ScriptDialogs::showInEditor(const std::string& path) {
    shown.push_back({"editor", "", path});
}

TestProgram::TestProgram() : TestProgram(shippedRanges()) {}

TestProgram::TestProgram(const std::string& rangesContent) {
    if (!rangesContent.empty()) write("graderanges.txt", rangesContent);
    facts.programDir = dir.path().string();
    facts.exeName = "tallisto";
    facts.version = buildVersion();
    program = std::make_unique<Program>(dialogs, facts);
}

TestProgram::~TestProgram() {
    EXPECT_EQ(dialogs.pending(), 0u) << "answers left over at the end of the test";
}

void TestProgram::start() {
    ASSERT_TRUE(program->start());
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

void TestProgram::clickEasyWork() {
    run([](FrmGradeHelp& f) { f.cmdEasyWork_Click(); });
}

void TestProgram::enterMark(const std::string& score, const std::string& outOf,
                            const std::string& weighting) {
    typeMark(score, outOf, weighting);
    clickEasyWork();
}

} // namespace tallisto::testing
