// SPDX-License-Identifier: GPL-3.0-or-later
// Switching to a tab of many marks, and deleting one of its marks: each is one user command,
// timed with the write of the working file at its end, and must finish within one frame. So must
// the plan of such a tab, which the planner window works out again after every command.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace tallisto;
using namespace tallisto::bench;

// A running program in a folder of its own: tab 0 empty and current, tab 1 holding `marks`
// marks in the working file. Neither command asks anything: a dialog throws.
class Fixture : public BenchProgram {
public:
    explicit Fixture(int marks) {
        folder.put("graderanges.txt",
                   "[Gradesys0]\r\nname=A to E\r\nactive=1\r\nOutOf20=1\r\nrange0=40\r\n"
                   "range1=55\r\nrange2=70\r\nrange3=85\r\nrangename0=E\r\n"
                   "rangename1=D\r\nrangename2=C\r\nrangename3=B\r\nrangename4=A\r\n"
                   "[Div20GradeSys0]\r\nrange0=10\r\nrange1=12\r\nrange2=15\r\nrange3=18\r\n"
                   "rangename0=E\r\nrangename1=D\r\nrangename2=C\r\nrangename3=B\r\n"
                   "rangename4=A\r\n");
        start();
        run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
        folder.put("temp.tmp", tabSection(
                                   1, "Tab 2", marks,
                                   [](int j) {
                                       return StoredMark{std::to_string(j % 17 + 3), "20", "0.05"};
                                   },
                                   0));
    }
};

void switchToTab(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    for (auto _ : state) {
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.PauseTiming();
        if (fixture.form().lstScore.list.size() != marks) state.SkipWithError("marks lost");
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(0); });
        state.ResumeTiming();
    }
}

void leaveTab(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
        state.ResumeTiming();
        fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(0); });
    }
}

void deleteMark(benchmark::State& state) {
    const auto marks = static_cast<std::size_t>(state.range(0));
    Fixture fixture(static_cast<int>(marks));
    fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    for (auto _ : state) {
        fixture.run([marks](FrmGradeHelp& f) {
            f.lstScore.listIndex = static_cast<int>(marks / 2);
            f.lstScore_MouseUp();
            f.menDelSelRes_Click();
        });
        state.PauseTiming();
        if (fixture.form().lstScore.list.size() != marks - 1) state.SkipWithError("no deletion");
        // The mark comes back as a stored mark does, ready for the next round.
        fixture.run([](FrmGradeHelp& f) {
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
    fixture.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
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
