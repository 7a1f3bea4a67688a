// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every benchmark of a running program sets up: a program directory of its own, dialogs that
// answer only what the benchmark expects, the files it starts from and the program itself.
#include "app/program.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tallisto::bench {

// Any dialog that a benchmark did not ask for throws: the benchmark would measure something other
// than its name says.
class BenchDialogs : public Dialogs {
public:
    std::string openPath; // what the open dialog chooses; none: the dialog is unexpected
    std::string savePath; // the same for the save dialog
    // Input boxes take the answers typed, one each, then `name` when one is given.
    std::deque<std::string> typed;
    std::optional<std::string> name;
    // A message box whose prompt starts with a text listed here gets its answer.
    std::vector<std::pair<std::string, Answer>> answers;

    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override;
    InputAnswer inputBox(const std::string& prompt, const std::string&,
                         const std::string&) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string&, const std::string&) override;
    bool showInEditor(const std::string&) override { return true; }
};

// A folder of its own in the temporary folder, removed with everything in it at the end.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of a file in the folder, and that file set to `bytes`.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void put(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// A program whose program directory is a folder of its own.
class BenchProgram {
public:
    BenchProgram() = default;
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    // graderanges.txt as the program ships it.
    void putShippedRanges() const;
    // A new program started in the folder, a running one ended first; throws when it fails.
    void start();
    // The program started beside the shipped grade ranges and the save file work.tly of `bytes`.
    void startBeside(const std::string& bytes);
    void end() { program_.reset(); }
    // Opens the save file `name` of the folder, as chosen in the open dialog.
    void open(const std::string& name);

    void run(const std::function<void(FrmGradeHelp&)>& command) {
        program_->run([&] { command(form()); });
    }
    Program& program() { return *program_; }
    FrmGradeHelp& form() { return program_->frmGradeHelp; }

    // Declared in this order so that the program ends before its dialogs and its folder go.
    BenchFolder folder;
    BenchDialogs dialogs;

private:
    std::unique_ptr<Program> program_;
};

// A program that has opened the save file work.tly of `tabs` tabs of `marks` marks (saveFile's);
// throws unless every tab was read.
class OpenedWork : public BenchProgram {
public:
    explicit OpenedWork(int marks, int tabs = 43);
};

// One mark as a tab's section stores it.
struct StoredMark {
    std::string youGot, outOf, weighting;
};

// A tab's section, as a save file and the working file hold it: its name, `marks` marks made by
// `markOf` from their index, and its grading system.
std::string tabSection(int tab, const std::string& name, int marks,
                       const std::function<StoredMark(int)>& markOf, int gradesys);
// A save file of `tabs` tabs, each section made by `sectionOf` from the tab's index.
std::string saveFileOf(int tabs, const std::function<std::string(int)>& sectionOf);
// The save file that most benchmarks open: tabs "Subject0" and on of `marks` marks each, every
// mark out of 50 and weighted 0.05, the grading systems taken in turn.
std::string saveFile(int tabs, int marks);

} // namespace tallisto::bench
