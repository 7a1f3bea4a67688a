// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening the largest work: 43 tabs of 100 and of 1000 marks; and the costliest files
// that opening still reads, just under the largest save file it accepts.
#include "bench_support.h"
#include "storage/save_file_limits.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace tallisto;
using namespace tallisto::bench;

void BM_Open43Tabs(benchmark::State& state) {
    const int marks = static_cast<int>(state.range(0));
    BenchProgram fixture;
    fixture.startBeside(saveFile(43, marks));
    for (auto _ : state) {
        fixture.open("work.tly");
        if (fixture.form().tabCount != 43) state.SkipWithError("not every tab was read");
    }
    state.counters["marks"] = 43.0 * marks;
}

// The most marks a file that opening reads can hold: four tabs of the most marks a tab can
// count, under 7 MB.
void BM_OpenLargestSaveFile(benchmark::State& state) {
    BenchProgram fixture;
    fixture.startBeside(saveFile(4, static_cast<int>(mostMarksInATab)));
    for (auto _ : state) {
        fixture.open("work.tly");
        if (fixture.form().tabCount != 4) state.SkipWithError("not every tab was read");
    }
}

// A file that is no save file at all, as large as a file that opening reads at all: lines of
// words just under the largest save file.
void BM_OpenForeignFile(benchmark::State& state) {
    BenchProgram fixture;
    fixture.putShippedRanges();
    std::string text = "The quick brown fox = jumps over [the] lazy dog; 12345\r\n";
    while (text.size() < largestSaveFile / 2)
        text += text;
    text.resize(largestSaveFile - 100);
    fixture.folder.put("long.txt", text);
    fixture.dialogs.answers = {{"Tallisto cannot open", Answer::OK}};
    for (auto _ : state) {
        state.PauseTiming(); // a program of its own, which has not read the file yet
        fixture.start();
        state.ResumeTiming();
        fixture.open("long.txt");
        if (fixture.form().tabCount != 1) state.SkipWithError("not one empty tab");
        fixture.end(); // as the program of the round always ended within it
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_Save43Tabs(benchmark::State& state) {
    const int marks = static_cast<int>(state.range(0));
    OpenedWork fixture(marks);
    FrmGradeHelp& f = fixture.form();
    f.currentFilePath = fixture.folder.file("saved.tly");
    for (auto _ : state) {
        f.unsaved = true;
        bool saved = false;
        fixture.program().run([&] { saved = f.mensave_Click(); });
        if (!saved) state.SkipWithError("the save failed");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(f.currentFilePath));
}

} // namespace

BENCHMARK(BM_Open43Tabs)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLargestSaveFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenForeignFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save43Tabs)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
