// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of storing and reading back one tab of many marks, as saving and switching tabs do:
// n key writes, one flush, then n key reads. The time per key must not grow with n.
#include "bench_support.h"
#include "shared/ini_files.h"
#include "shared/number_text.h"

#include <benchmark/benchmark.h>

namespace {

void writeFlushRead(benchmark::State& state) {
    const auto keys = static_cast<int>(state.range(0));
    const tallisto::bench::BenchFolder folder;
    const std::string file = folder.file("temp.tmp");
    for (auto _ : state) {
        tallisto::IniFiles ini;
        for (int j = 0; j < keys; ++j)
            ini.WriteIniValue(file, "Tab 0", "yougot" + std::to_string(j),
                              tallisto::numberText(j * 0.5));
        if (!ini.flush(file)) state.SkipWithError("flush failed");
        for (int j = 0; j < keys; ++j)
            benchmark::DoNotOptimize(
                ini.ReadIniValue(file, "Tab 0", "yougot" + std::to_string(j), "0"));
        state.PauseTiming();
        ini.remove(file);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * keys * 2);
    state.SetComplexityN(keys);
}

} // namespace

BENCHMARK(writeFlushRead)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
