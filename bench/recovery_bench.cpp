// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the work on disk for crash recovery, at the end of each command that changes it, with
// 43 tabs of 100 and of 1000 marks: alone, and inside the commands that pay for it.
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace tallisto;
using namespace tallisto::bench;

// A running program holding 43 tabs of `marks` marks, opened from a save file and then changed,
// so that its work is unsaved and kept.
class Fixture : public OpenedWork {
public:
    explicit Fixture(int marks) : OpenedWork(marks) {
        rename("Changed");
        if (!fs::exists(program().copy.recoveryFile()))
            throw std::runtime_error("the work was not kept");
    }

    // The rename command, which asks for the name only.
    void rename(const std::string& name) {
        dialogs.name = name;
        run([](FrmGradeHelp& f) { f.menRename_Click(); });
    }
};

// The recovery data's bytes, with the part that holds the working file's.
void setSize(benchmark::State& state, Fixture& fixture) {
    const RecoveryFiles files = fixture.program().copy.recoveryFiles();
    std::uintmax_t bytes = 0;
    for (const std::string& file : {files.data, files.parts[0], files.parts[1]})
        if (fs::exists(file)) bytes += fs::file_size(file);
    state.counters["bytes"] = static_cast<double>(bytes);
}

// A command changed the current tab only: the working file is as it was.
void BM_KeepAfterChange(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fixture.form();
    for (auto _ : state) {
        state.PauseTiming();
        f.selectedMark = f.selectedMark == "1" ? "2" : "1";
        state.ResumeTiming();
        if (!fixture.program().keepRecoveryData()) state.SkipWithError("not kept");
    }
    setSize(state, fixture);
}

// A switch stored a tab: the working file changed and is read again.
void BM_KeepAfterSwitch(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fixture.form();
    for (auto _ : state) {
        state.PauseTiming();
        f.cmdTab_Click(f.currentTab == 0 ? 1 : 0);
        fixture.program().ini.flushAll();
        state.ResumeTiming();
        if (!fixture.program().keepRecoveryData()) state.SkipWithError("not kept");
    }
    setSize(state, fixture);
}

// Whole commands as the user gives them, the recovery data included.
void BM_RenameCommand(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    bool flip = false;
    for (auto _ : state)
        fixture.rename((flip = !flip) ? "Maths" : "Physics");
    setSize(state, fixture);
}

void BM_SwitchCommand(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fixture.form();
    for (auto _ : state)
        fixture.program().run([&f] { f.cmdTab_Click(f.currentTab == 0 ? 1 : 0); });
    setSize(state, fixture);
}

// A switch after the tab shown was changed: the tab left is stored anew, and the working file and
// the recovery data change with it.
void BM_SwitchAfterChange(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fixture.form();
    int renamed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.rename("S" + std::to_string(++renamed % 1000));
        state.ResumeTiming();
        fixture.program().run([&f] { f.cmdTab_Click(f.currentTab == 0 ? 1 : 0); });
    }
    setSize(state, fixture);
}

} // namespace

BENCHMARK(BM_KeepAfterChange)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeepAfterSwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameCommand)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchCommand)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchAfterChange)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
