// SPDX-License-Identifier: GPL-3.0-or-later
// The overview of all subjects and the chart of all subjects at the largest size, 43 tabs: the
// Qt view works both out again after every command while they are shown, so each must fit in a
// frame. Measured with nothing changed, after a tab switch (the tab left is taken from the
// window), after an undo across a switch, and cold (every tab worked out from the working file,
// as at the first look after a crashed copy's work was restored: opening a file and switching
// keep each tab as it is left); then the CSV export of all marks.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using namespace tallisto;
using namespace tallisto::bench;

constexpr int tabs = 43;

// A running program of 43 tabs of `marks` marks each: tab 0 current, the others in the working
// file. The export's file dialog chooses one file, and its overwrite question is answered OK.
class Fixture : public BenchProgram {
public:
    explicit Fixture(int marks) {
        putShippedRanges();
        dialogs.savePath = folder.file("all.csv");
        dialogs.answers = {{"This file already exists.", Answer::OK}};
        start();
        run([](FrmGradeHelp& f) {
            for (int i = 1; i < tabs; ++i)
                f.cmdNewTab_Click();
        });
        std::string file;
        for (int t = 1; t < tabs; ++t)
            file += tabSection(t, "Tab " + std::to_string(t + 1), marks, markOf(t), t % 4);
        folder.put("temp.tmp", file);
        // The current tab's marks, entered as stored marks are.
        run([marks](FrmGradeHelp& f) {
            f.loadingMarks = true;
            for (int j = 0; j < marks; ++j) {
                const StoredMark mark = markOf(0)(j);
                f.storedYouGot = mark.youGot;
                f.storedOutOf = mark.outOf;
                f.storedWeighting = mark.weighting;
                f.cmdEasyWork_Click();
            }
            f.loadingMarks = false;
        });
    }

private:
    static std::function<StoredMark(int)> markOf(int tab) {
        return [tab](int j) {
            return StoredMark{std::to_string((tab * 7 + j * 13) % 21), "20", "0.1"};
        };
    }
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
        fixture.run([next](FrmGradeHelp& f) { f.cmdTab_Click(next); });
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

// Undo of a what-if mark entered before a tab switch, then the overview, as the window shows it
// after the command: the undo takes the whole working file back, most of it as it was.
void undoAcrossSwitchThenOverview(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.dialogs.typed = {"30", "40", "0"};
        fixture.run([](FrmGradeHelp& f) { f.menWhatIf_Click(); });
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        checkRows(state, fixture.program().frmOverview.rows());
        state.ResumeTiming();
        fixture.run([](FrmGradeHelp& f) { f.menUndo_Click(); });
        checkRows(state, fixture.program().frmOverview.rows());
        if (fixture.form().currentTab != 0) state.SkipWithError("not undone");
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
        fixture.run([](FrmGradeHelp& f) { f.menExportCsv_Click(); });
}

} // namespace

BENCHMARK(overviewUnchanged)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(overviewAfterSwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(overviewCold)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(undoAcrossSwitchThenOverview)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(chartAllSubjects)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportCsv)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
