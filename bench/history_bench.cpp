// SPDX-License-Identifier: GPL-3.0-or-later
// What-if marks, editing a mark, and undo and redo, with 43 tabs of 100 and of 1000 marks: each
// is one user command, timed with everything it writes at its end, and must finish within one
// frame.
#include "app/program.h"

#include <benchmark/benchmark.h>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace tallisto;

// The open dialog chooses the save file; input boxes take the answers queued; nothing else is
// asked.
class BenchDialogs : public Dialogs {
public:
    std::string path;
    std::deque<std::string> typed;
    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        throw std::logic_error("unexpected message box: " + prompt);
    }
    InputAnswer inputBox(const std::string& prompt, const std::string&,
                         const std::string&) override {
        if (typed.empty()) throw std::logic_error("unexpected input box: " + prompt);
        InputAnswer answer{false, typed.front()};
        typed.pop_front();
        return answer;
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        return {false, path, fs::path(path).filename().string()};
    }
    bool showInEditor(const std::string&) override { return true; }
};

std::string saveFile(int tabs, int marks) {
    std::string text = "[TabInfo]\r\nNumTabs=" + std::to_string(tabs) + "\r\n";
    for (int i = 0; i < tabs; ++i) {
        text += "[Tab " + std::to_string(i) + "]\r\nName=Subject" + std::to_string(i) +
                "\r\ncount=" + std::to_string(marks) + "\r\n";
        for (int j = 0; j < marks; ++j) {
            const std::string n = std::to_string(j);
            text += "yougot" + n + "=" + std::to_string(j % 47) + ".5\r\noutof" + n +
                    "=50\r\nweighting" + n + "=0.05\r\n";
        }
        text += "gradesys=" + std::to_string(i % 4) + "\r\n";
    }
    return text;
}

// A running program holding 43 tabs of `marks` marks, opened from a save file, the first tab
// shown with a what-if mark after its marks: its work is unsaved and kept for recovery, as in
// use.
class Fixture {
public:
    explicit Fixture(int marks) {
        dir_ = fs::temp_directory_path() /
               ("tallisto-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        fs::copy_file(TALLISTO_RANGES_FILE, dir_ / "graderanges.txt");
        dialogs_.path = (dir_ / "work.tly").string();
        std::ofstream(dialogs_.path, std::ios::binary) << saveFile(43, marks);
        PlatformFacts facts;
        facts.programDir = dir_.string();
        program_ = std::make_unique<Program>(dialogs_, facts);
        program_->start();
        run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
        whatIf();
        if (form().tabCount != 43 || form().lstScore.list.size() != std::size_t(marks) + 1)
            throw std::runtime_error("the work was not opened");
    }
    ~Fixture() {
        program_.reset();
        fs::remove_all(dir_);
    }

    FrmGradeHelp& form() { return program_->frmGradeHelp; }
    void run(const std::function<void(FrmGradeHelp&)>& command) {
        program_->run([&] { command(form()); });
    }
    void type(std::initializer_list<const char*> answers) {
        dialogs_.typed.insert(dialogs_.typed.end(), answers.begin(), answers.end());
    }
    void whatIf() {
        type({"30", "40", "0.01"});
        run([](FrmGradeHelp& f) { f.menWhatIf_Click(); });
    }
    void undo() {
        run([](FrmGradeHelp& f) { f.menUndo_Click(); });
    }
    void redo() {
        run([](FrmGradeHelp& f) { f.menRedo_Click(); });
    }

private:
    fs::path dir_;
    BenchDialogs dialogs_;
    std::unique_ptr<Program> program_;
};

int marksOf(benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// A what-if mark is added to the lists as a real one is.
void BM_WhatIfMark(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        fixture.whatIf();
        state.PauseTiming();
        fixture.undo();
        state.ResumeTiming();
    }
}

// A real mark goes before the what-if marks: the tab's totals are worked out again.
void BM_RealMarkBeforeWhatIfs(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        fixture.type({"20", "40", "0.01"});
        fixture.run([](FrmGradeHelp& f) { f.cmdEasyWork_Click(); });
        state.PauseTiming();
        fixture.undo();
        state.ResumeTiming();
    }
}

void BM_EditMark(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    fixture.run([&state](FrmGradeHelp& f) {
        f.lstScore.listIndex = static_cast<int>(state.range(0) / 2);
        f.lstScore_MouseUp();
    });
    for (auto _ : state) {
        fixture.type({"49", "50", "0.05"});
        fixture.run([](FrmGradeHelp& f) { f.menEditMark_Click(); });
        state.PauseTiming();
        fixture.undo();
        state.ResumeTiming();
    }
}

// Undo and redo of a mark entered on the tab shown: the working file stays as it is.
void BM_UndoMark(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.whatIf();
        state.ResumeTiming();
        fixture.undo();
    }
}

void BM_RedoMark(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    fixture.whatIf();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.undo();
        state.ResumeTiming();
        fixture.redo();
    }
}

// Undo of a mark entered on another tab: the tab is shown again and the working file rewritten.
void BM_UndoAcrossSwitch(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.whatIf();
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.ResumeTiming();
        fixture.undo();
    }
}

// The first switch after such an undo reads the working file written by it.
void BM_SwitchAfterUndo(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.whatIf();
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        fixture.undo();
        if (fixture.form().currentTab != 0) state.SkipWithError("not undone");
        state.ResumeTiming();
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.PauseTiming();
        if (fixture.form().lstScore.list.size() != std::size_t(state.range(0)))
            state.SkipWithError("tab 1 not shown");
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(0); });
        state.ResumeTiming();
    }
}

// Undo of a deleted tab: the strip is rebuilt and the working file rewritten.
void BM_UndoDeleteTab(benchmark::State& state) {
    Fixture fixture(marksOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.run([](FrmGradeHelp& f) { f.menDelete_Click(); });
        state.ResumeTiming();
        fixture.undo();
    }
}

} // namespace

BENCHMARK(BM_WhatIfMark)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealMarkBeforeWhatIfs)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditMark)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoMark)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoMark)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAcrossSwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchAfterUndo)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteTab)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
