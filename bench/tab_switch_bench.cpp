// SPDX-License-Identifier: GPL-3.0-or-later
// Switching to a tab of many marks, and deleting one of its marks: each is one user command,
// timed with the write of the working file at its end, and must finish within one frame. So must
// the plan of such a tab, which the planner window works out again after every command.
#include "app/program.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>

namespace {

using namespace tallisto;

// Neither command asks anything; a dialog means the measurement is wrong.
class NoDialogs : public Dialogs {
public:
    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        throw std::logic_error("unexpected message box: " + prompt);
    }
    InputAnswer inputBox(const std::string& prompt, const std::string&,
                         const std::string&) override {
        throw std::logic_error("unexpected input box: " + prompt);
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        throw std::logic_error("unexpected file dialog");
    }
    bool showInEditor(const std::string&) override { return true; }
};

// A running program in a folder of its own: tab 0 empty and current, tab 1 holding `marks`
// marks in the working file.
class Fixture {
public:
    explicit Fixture(int marks) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tallisto-bench-XXXXXX");
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        dir_ = pattern;
        write("graderanges.txt",
              "[Gradesys0]\r\nname=A to E\r\nactive=1\r\nOutOf20=1\r\nrange0=40\r\n"
              "range1=55\r\nrange2=70\r\nrange3=85\r\nrangename0=E\r\n"
              "rangename1=D\r\nrangename2=C\r\nrangename3=B\r\nrangename4=A\r\n"
              "[Div20GradeSys0]\r\nrange0=10\r\nrange1=12\r\nrange2=15\r\nrange3=18\r\n"
              "rangename0=E\r\nrangename1=D\r\nrangename2=C\r\nrangename3=B\r\n"
              "rangename4=A\r\n");
        PlatformFacts facts;
        facts.programDir = dir_.string();
        program_ = std::make_unique<Program>(dialogs_, facts);
        if (!program_->start()) throw std::runtime_error("the program did not start");
        command([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
        std::string tab = "[Tab 1]\r\nName=Tab 2\r\ncount=" + std::to_string(marks) + "\r\n";
        for (int j = 0; j < marks; ++j) {
            const std::string n = std::to_string(j);
            tab += "yougot" + n + "=" + std::to_string(j % 17 + 3) + "\r\noutof" + n +
                   "=20\r\nweighting" + n + "=0.05\r\n";
        }
        write("temp.tmp", tab + "gradesys=0\r\n");
    }
    ~Fixture() {
        program_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    void command(const std::function<void(FrmGradeHelp&)>& f) {
        program_->run([&] { f(program_->frmGradeHelp); });
    }
    FrmGradeHelp& form() { return program_->frmGradeHelp; }
    Program& program() { return *program_; }

private:
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::filesystem::path dir_;
    NoDialogs dialogs_;
    std::unique_ptr<Program> program_;
};

void switchToTab(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    for (auto _ : state) {
        fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.PauseTiming();
        if (fixture.form().lstScore.list.size() != marks) state.SkipWithError("marks lost");
        fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(0); });
        state.ResumeTiming();
    }
}

void leaveTab(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.ResumeTiming();
        fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(0); });
    }
}

void deleteMark(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    for (auto _ : state) {
        fixture.command([marks](FrmGradeHelp& f) {
            f.lstScore.listIndex = static_cast<int>(marks / 2);
            f.lstScore_MouseUp();
            f.menDelSelRes_Click();
        });
        state.PauseTiming();
        if (fixture.form().lstScore.list.size() != marks - 1) state.SkipWithError("no deletion");
        // The mark comes back as a stored mark does, ready for the next round.
        fixture.command([](FrmGradeHelp& f) {
            f.loadingMarks = true;
            f.storedYouGot = "7";
            f.storedOutOf = "20";
            f.storedWeighting = "0.05";
            f.cmdEasyWork_Click();
            f.loadingMarks = false;
        });
        state.ResumeTiming();
    }
}

// Every grade and every grade out of 20 of the tab, as the planner window shows them.
void planTab(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    fixture.command([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    if (!fixture.form().cmdTER.visible) state.SkipWithError("no grades out of 20");
    for (auto _ : state) {
        const Plan plan = fixture.program().frmPlan.plan();
        benchmark::DoNotOptimize(plan.grades20.size());
    }
}

} // namespace

BENCHMARK(planTab)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(switchToTab)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(leaveTab)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(deleteMark)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
