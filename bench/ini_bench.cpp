// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of storing and reading back one tab of many marks, as saving and switching tabs do:
// n key writes, one flush, then n key reads. The time per key must not grow with n.
#include "shared/ini_files.h"
#include "shared/number_text.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>

namespace {

std::filesystem::path makeTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tallisto-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

void writeFlushRead(benchmark::State& state) {
    const auto keys = static_cast<int>(state.range(0));
    const std::filesystem::path dir = makeTempDir();
    if (dir.empty()) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    const std::string file = (dir / "temp.tmp").string();
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
    std::filesystem::remove_all(dir);
}

} // namespace

BENCHMARK(writeFlushRead)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
