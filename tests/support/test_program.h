// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program under test: a fresh program directory, dialogs answered from a script, and the
// program started as the real one starts. A dialog that the script did not expect fails the test;
// so do answers left over at the end.
#include "app/program.h"
#include "support/temp_dir.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallisto::testing {

// Lines joined with CR LF, each line ended by one.
std::string crlf(const std::vector<std::string>& lines);

class ScriptDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind; // "msgbox", "inputbox", "open", "save", "editor"
        std::string title;
        std::string prompt; // the prompt, the filter of a file dialog, the editor's path
        Buttons buttons = Buttons::OK;
    };

    void type(const std::string& text) { answers_.push_back({Kind::Type, text}); }
    void press(Answer button) { answers_.push_back({Kind::Press, "", button}); }
    void choose(const std::string& path) { answers_.push_back({Kind::Choose, path}); }
    void cancel() { answers_.push_back({Kind::Cancel, ""}); } // the next input or file dialog

    Answer messageBox(const std::string& prompt, Buttons buttons,
                      const std::string& title) override;
    InputAnswer inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                          const std::string& filter) override;
    bool showInEditor(const std::string& path) override;
    bool editorStarts = true; // whether a program can be started to show a file

    std::vector<Shown> shown;               // every dialog, in order
    std::vector<std::string> inputDefaults; // the default text of every input box, in order
    // Every dialog that the script did not expect, described. Each fails the test at once unless
    // failUnexpected is off, for a test that checks this list itself.
    std::vector<std::string> unexpected;
    bool failUnexpected = true;
    std::size_t pending() const { return answers_.size(); }
    // The last dialog shown as one line (see describe), "" when none was.
    std::string last() const;

private:
    enum class Kind { Type, Press, Choose, Cancel };
    struct Scripted {
        Kind kind;
        std::string text;
        Answer button = Answer::OK;
    };
    // The next answer when it is of that kind, or a Cancel where the dialog can be cancelled;
    // none otherwise, and the dialog is unexpected.
    std::optional<Scripted> take(Kind kind);
    std::deque<Scripted> answers_;
};

// The shipped graderanges.txt.
std::string shippedRanges();

// A command of the main window, as a click on its control or menu item runs it.
using Command = void (FrmGradeHelp::*)();

class TestProgram {
public:
    // A program directory holding the given graderanges.txt content ("" for none).
    explicit TestProgram(const std::string& rangesContent = shippedRanges());
    ~TestProgram();

    // Starts the program as the platform does. Write settings.ini and the like before.
    void start() { ASSERT_TRUE(program->start()); }
    // Runs one user event, such as a command `t.run(&FrmGradeHelp::mensave_Click)`; false when
    // it ended the program.
    bool run(const std::function<void(FrmGradeHelp&)>& event);

    // Types a mark through the three questions, as the user does with the big button; or in two
    // steps: the answers queued, then the click.
    void enterMark(const std::string& score, const std::string& outOf,
                   const std::string& weighting);
    void typeMark(const std::string& score, const std::string& outOf, const std::string& weighting);

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

// A program under test already started, on the given graderanges.txt ("" for none) and
// settings.ini ("" for none), writing its files through writer when one is given.
class StartedProgram : public TestProgram {
public:
    explicit StartedProgram(const std::string& ranges = shippedRanges(),
                            const std::string& settings = "", FileWriter writer = {});
};

// A dialog as one line, as the driver prints it: kind, "title", "prompt" (a file dialog's
// filter), and a message box's buttons: msgbox "Tallisto" "Weighting must not be > 100%" OK
std::string describe(const ScriptDialogs::Shown& shown);

// ---- What the user does, one call each ----

void clickTab(TestProgram& t, int index);
void addTabs(TestProgram& t, int count = 1);
void deleteTab(TestProgram& t); // the current one, through the menu
void pressKey(TestProgram& t, int keyCode, int shift = 0);
void rename(TestProgram& t, const std::string& name);
void chooseGradeSys(TestProgram& t, int index);
void scrollTo(TestProgram& t, int value); // drags the scroll bar's box, the focus on the bar
// Clicks entry `row` (-1: beside the entries) of list 0 to 3: lstScore, lstTotal, lstWeighting,
// lstPercentage.
void selectMark(TestProgram& t, int list, int row);
void enterWhatIf(TestProgram& t, const std::string& score, const std::string& outOf,
                 const std::string& weighting);
void undo(TestProgram& t);
void redo(TestProgram& t);
// The current tab's marks as the driver's `marks` prints them: "8|10|50|40|real".
std::vector<std::string> marksOf(const FrmGradeHelp& f);

struct Mark {
    std::string score, outOf, weighting;
};
// Names the current tab, enters its marks and chooses its grading system.
void fillTab(TestProgram& t, const std::string& name, const std::vector<Mark>& marks, int gradeSys);

// The indexes of the tab buttons that are pressed.
std::vector<int> pressedTabs(const FrmGradeHelp& f);

// Everything the window shows of the current tab as one text: the four lists, the labels, the
// caption in brackets, the grading system, and whether the /20 and Reset Tab buttons show.
std::string viewOf(const FrmGradeHelp& f);

// The whole window as one text, for comparing with a freshly started program: the current tab's
// view, the tab strip (not its width: 855 at start, a tab's 854 once laid out), which commands
// are shown and enabled, the file bound, the focus.
std::string windowState(const FrmGradeHelp& f);

// Everything the window holds of the work, property by property: every control, the variables,
// and the working file byte for byte. The Undo and Redo items, which tell the history and not the
// work, are left out.
std::string workState(TestProgram& t);

// One shown tab as the user finds it: name, marks as listed, grading system.
struct TabState {
    std::string name;
    std::vector<std::string> scores, outOfs, weightings, percentages;
    int gradeSys = 0;
    bool operator==(const TabState&) const = default;
};
void PrintTo(const TabState& tab, std::ostream* os);
// Every shown tab in strip order, visiting each as the user would; the current tab stays.
std::vector<TabState> shownTabs(TestProgram& t);

// ---- Save files ----

// Save As through its button with the answers queued, or with the dialog answered with path;
// true when saved.
bool saveAs(TestProgram& t);
bool saveAs(TestProgram& t, const std::string& path);
// Open through the button, giving up unsaved work when asked.
void open(TestProgram& t, const std::string& path);
// Opens path as the program does with a file named on its command line.
void openAtStart(TestProgram& t, const std::string& path);
// A save file of `tabs` tabs named S0, S1, ..., each of `marks` marks; mark j of tab i scores
// i + j out of 50.
std::string saveFileOf(int tabs, int marks);

// A writer that writes the files `pick` chooses with a file-size limit of `bytes` in force, so
// that their writes fail part way with "File too large" as on a full disk; and the others as the
// program does.
FileWriter failingAfter(std::size_t bytes, std::function<bool(const std::filesystem::path&)> pick);

// A writer that refuses, with `reason`, the files that `refuse` picks while `*on` holds (always
// when on is null), and writes the others as the program does; counts the refusals.
FileWriter refusingWriter(std::function<bool(const std::filesystem::path&)> refuse,
                          std::string reason, const bool* on = nullptr, int* refused = nullptr);

} // namespace tallisto::testing
