#pragma once
// A program under test: a fresh program directory, dialogs answered from a script, and the
// program started as the real one starts. A dialog that the script did not expect fails the test;
// so do answers left over at the end.
#include "app/program.h"
#include "support/temp_dir.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tallisto::testing {

// Lines joined with CR LF, each line ended by one.
std::string crlf(const std::vector<std::string>& lines);

class ScriptDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind; // "msgbox", "inputbox", "filedialog", "editor"
        std::string title;
        std::string prompt; // the prompt, the filter of a file dialog, the editor's path
        Buttons buttons = Buttons::OK;
    };

    void type(const std::string& text);
    void press(Answer button);
    void choose(const std::string& path);
    void cancel(); // the next input box or file dialog is cancelled

    Answer messageBox(const std::string& prompt, Buttons buttons,
                      const std::string& title) override;
    InputAnswer inputBox(const std::string& prompt, const std::string& title) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                          const std::string& filter) override;
    void showInEditor(const std::string& path) override;

    std::vector<Shown> shown; // every dialog, in order
    std::size_t pending() const { return answers_.size(); }

private:
    struct Scripted {
        enum class Kind { Type, Press, Choose, Cancel } kind;
        std::string text;
        Answer button = Answer::OK;
    };
    std::deque<Scripted> answers_;
};

class TestProgram {
public:
    // A program directory holding the shipped graderanges.txt.
    TestProgram();
    // A program directory holding the given graderanges.txt content ("" for none).
    explicit TestProgram(const std::string& rangesContent);
    ~TestProgram();

    // Starts the program as the platform does. Write settings.ini and the like before.
    void start();
    // Runs one user event; false when it ended the program.
    bool run(const std::function<void(FrmGradeHelp&)>& event);

    // Types a mark through the three questions, as the user does with the big button.
    void enterMark(const std::string& score, const std::string& outOf,
                   const std::string& weighting);
    // The same in two steps: the answers queued, then the click.
    void typeMark(const std::string& score, const std::string& outOf, const std::string& weighting);
    void clickEasyWork();

    std::string file(const std::string& name) const { return dir.file(name); }
    std::string read(const std::string& name) const { return bytesOf(dir.path() / name); }
    void write(const std::string& name, const std::string& bytes) const {
        putBytes(dir.path() / name, bytes);
    }
    bool exists(const std::string& name) const {
        return std::filesystem::exists(dir.path() / name);
    }

    TempDir dir;
    ScriptDialogs dialogs;
    std::unique_ptr<Program> program;
    FrmGradeHelp& form() { return program->frmGradeHelp; }
    FrmTER& ter() { return program->frmTER; }
    PlatformFacts facts;
};

// The shipped graderanges.txt.
std::string shippedRanges();

} // namespace tallisto::testing
