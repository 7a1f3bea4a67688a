// SPDX-License-Identifier: GPL-3.0-or-later
// What-if marks, editing a mark, and undo and redo, with 43 tabs of 100 and of 1000 marks: each
// is one user command, timed with everything it writes at its end, and must finish within one
// frame.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

using namespace tallisto;
using namespace tallisto::bench;

// A running program holding 43 tabs of `marks` marks, opened from a save file, the first tab
// shown with a what-if mark after its marks: its work is unsaved and kept for recovery, as in
// use.
class Fixture : public OpenedWork {
public:
    explicit Fixture(int marks) : OpenedWork(marks) {
        whatIf();
        if (form().lstScore.list.size() != std::size_t(marks) + 1)
            throw std::runtime_error("the what-if mark was not entered");
    }

    void type(std::initializer_list<const char*> answers) {
        dialogs.typed.insert(dialogs.typed.end(), answers.begin(), answers.end());
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
