// SPDX-License-Identifier: GPL-3.0-or-later
// The overview of all subjects and the chart of all subjects at the largest size, 43 tabs: the
// Qt view works both out again after every command while they are shown, so each must fit in a
// frame. Measured with nothing changed, after a tab switch (the tab left is worked out again),
// and cold (every tab worked out, as after opening a file); then the CSV export of all marks.
#include "app/program.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>

namespace {

using namespace tallisto;

// The export's file dialog is answered with one file, and its overwrite question with OK.
class ExportDialogs : public Dialogs {
public:
    std::string exportTo;
    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        if (prompt.rfind("This file already exists.", 0) == 0) return Answer::OK;
        throw std::logic_error("unexpected message box: " + prompt);
    }
    InputAnswer inputBox(const std::string& prompt, const std::string&,
                         const std::string&) override {
        throw std::logic_error("unexpected input box: " + prompt);
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        return {false, exportTo, "all.csv"};
    }
    bool showInEditor(const std::string&) override { return true; }
};

constexpr int tabs = 43;

// A running program of 43 tabs of `marks` marks each: tab 0 current, the others in the working
// file.
class Fixture {
public:
    explicit Fixture(int marks) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tallisto-bench-XXXXXX");
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        dir_ = pattern;
        std::filesystem::copy_file(TALLISTO_RANGES_FILE, dir_ / "graderanges.txt");
        dialogs_.exportTo = (dir_ / "all.csv").string();
        PlatformFacts facts;
        facts.programDir = dir_.string();
        program_ = std::make_unique<Program>(dialogs_, facts);
        if (!program_->start()) throw std::runtime_error("the program did not start");
        command([](FrmGradeHelp& f) {
            for (int i = 1; i < tabs; ++i)
                f.cmdNewTab_Click();
        });
        std::string file;
        for (int t = 1; t < tabs; ++t) {
            file += "[Tab " + std::to_string(t) + "]\r\nName=Tab " + std::to_string(t + 1) +
                    "\r\ncount=" + std::to_string(marks) + "\r\n";
            for (int j = 0; j < marks; ++j) {
                const std::string n = std::to_string(j);
                file += "yougot" + n + "=" + mark(t, j) + "\r\noutof" + n + "=20\r\nweighting" + n +
                        "=0.1\r\n";
            }
            file += "gradesys=" + std::to_string(t % 4) + "\r\n";
        }
        std::ofstream(dir_ / "temp.tmp", std::ios::binary) << file;
        // The current tab's marks, entered as stored marks are.
        command([marks](FrmGradeHelp& f) {
            f.loadingMarks = true;
            for (int j = 0; j < marks; ++j) {
                f.storedYouGot = mark(0, j);
                f.storedOutOf = "20";
                f.storedWeighting = "0.1";
                f.cmdEasyWork_Click();
            }
            f.loadingMarks = false;
        });
    }
    ~Fixture() {
        program_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    void command(const std::function<void(FrmGradeHelp&)>& f) {
        program_->run([&] { f(program_->frmGradeHelp); });
    }
    Program& program() { return *program_; }

private:
    static std::string mark(int tab, int j) { return std::to_string((tab * 7 + j * 13) % 21); }

    std::filesystem::path dir_;
    ExportDialogs dialogs_;
    std::unique_ptr<Program> program_;
};

void checkRows(benchmark::State& state, const std::vector<OverviewRow>& rows) {
    if (rows.size() != tabs || rows[5].percent == "0") state.SkipWithError("tabs missing");
}

void overviewUnchanged(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    checkRows(state, fixture.program().frmOverview.rows());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.program().frmOverview.rows());
}

void overviewAfterSwitch(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    checkRows(state, fixture.program().frmOverview.rows());
    int next = 1;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.command([next](FrmGradeHelp& f) { f.cmdTab_Click(next); });
        next = next % (tabs - 1) + 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(fixture.program().frmOverview.rows());
    }
}

void overviewCold(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.program().subjects.clear();
        state.ResumeTiming();
        checkRows(state, fixture.program().frmOverview.rows());
    }
}

// Every subject's line, as the chart window draws them with "All subjects" ticked.
void chartAllSubjects(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    fixture.program().frmChart.chkAllSubjects.checked = true;
    for (auto _ : state) {
        const ChartData data = fixture.program().frmChart.data();
        if (data.lines.size() != tabs) state.SkipWithError("lines missing");
    }
}

// The command after its file dialog: every mark read, written as CSV, on disk.
void exportCsv(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        fixture.command([](FrmGradeHelp& f) { f.menExportCsv_Click(); });
}

} // namespace

BENCHMARK(overviewUnchanged)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(overviewAfterSwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(overviewCold)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(chartAllSubjects)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportCsv)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
