// SPDX-License-Identifier: GPL-3.0-or-later
// The report set at the largest size: 43 tabs, each switched to and replayed from the working
// file. Compared with the same visit checked on disk at every switch, which the report set avoids
// by writing the working file once.
#include "bench_support.h"
#include "shared/number_text.h"

#include <benchmark/benchmark.h>
#include <stdexcept>
#include <string>

namespace {

using namespace tallisto;
using namespace tallisto::bench;

// A save file of `tabs` tabs of `marksPerTab` marks of 8 out of 10 each, as the program writes
// them, opened. The report goes
// to one file, replaced without a second thought and not opened.
class Fixture : public BenchProgram {
public:
    Fixture(int tabs, int marksPerTab) {
        folder.put("graderanges.txt",
                   "[Gradesys0]\r\nname=A to E\r\nactive=1\r\nrange0=40\r\nrange1=55\r\n"
                   "range2=70\r\nrange3=85\r\nrangename0=E\r\nrangename1=D\r\nrangename2=C\r\n"
                   "rangename3=B\r\nrangename4=A\r\n");
        const StoredMark mark{"8", "10", numberText(100.0 / marksPerTab)};
        folder.put("work.tly", saveFileOf(tabs, [&](int t) {
                       return tabSection(
                           t, "Tab " + std::to_string(t + 1), marksPerTab,
                           [&](int) { return mark; }, 0);
                   }));
        dialogs.savePath = folder.file("report.txt");
        dialogs.answers = {{"This file already exists", Answer::OK},
                           {"Do you wish to open the report file now?", Answer::Cancel}};
        start();
        open("work.tly");
        if (form().tabCount != tabs) throw std::runtime_error("the save file was not opened");
    }
};

void reportSet(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fx.form();
    for (auto _ : state)
        fx.program().run([&] { f.menReportSet_Click(); });
    state.SetItemsProcessed(state.iterations() * 43);
}

// The same visit with the working file written to disk at every switch.
void visitCheckedAtEverySwitch(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    FrmGradeHelp& f = fx.form();
    for (auto _ : state) {
        fx.program().run([&] {
            std::string text;
            for (int i = 0; i < 43; ++i) {
                f.cmdTab_Click(i);
                f.SubReport(text);
            }
            f.cmdTab_Click(0);
            benchmark::DoNotOptimize(text);
        });
    }
    state.SetItemsProcessed(state.iterations() * 43);
}

} // namespace

BENCHMARK(reportSet)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(visitCheckedAtEverySwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
