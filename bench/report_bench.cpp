// SPDX-License-Identifier: GPL-3.0-or-later
// The report set at the largest size: 43 tabs, each switched to and replayed from the working
// file. Compared with the same visit checked on disk at every switch, which the report set avoids
// by writing the working file once.
#include "app/program.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <stdlib.h>

namespace {

using namespace tallisto;

// Answers every question: marks from a fixed cycle, the report's file, OK to overwrite and
// Cancel to opening it.
class BenchDialogs : public Dialogs {
public:
    std::string reportPath;
    double weighting = 1;
    int asked = 0;

    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        return prompt.rfind("This file already exists", 0) == 0 ? Answer::OK : Answer::Cancel;
    }
    InputAnswer inputBox(const std::string&, const std::string&) override {
        const int step = asked++ % 3;
        return {false, step == 0 ? "8" : step == 1 ? "10" : std::to_string(weighting)};
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        return {false, reportPath, "report.txt"};
    }
    bool showInEditor(const std::string&) override { return true; }
};

struct Fixture {
    std::filesystem::path dir;
    BenchDialogs dialogs;
    std::unique_ptr<Program> program;

    Fixture(int tabs, int marksPerTab) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tallisto-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        dir = pattern;
        std::ofstream(dir / "graderanges.txt", std::ios::binary)
            << "[Gradesys0]\r\nname=A to E\r\nactive=1\r\nrange0=40\r\nrange1=55\r\n"
               "range2=70\r\nrange3=85\r\nrangename0=E\r\nrangename1=D\r\nrangename2=C\r\n"
               "rangename3=B\r\nrangename4=A\r\n";
        dialogs.reportPath = (dir / "report.txt").string();
        dialogs.weighting = 100.0 / marksPerTab;
        PlatformFacts facts;
        facts.programDir = dir.string();
        program = std::make_unique<Program>(dialogs, facts);
        program->start();
        FrmGradeHelp& f = program->frmGradeHelp;
        for (int t = 0; t < tabs; ++t) {
            if (t > 0) program->run([&] { f.cmdNewTab_Click(); });
            program->run([&] { f.cmdTab_Click(t); });
            for (int m = 0; m < marksPerTab; ++m)
                program->run([&] { f.cmdEasyWork_Click(); });
        }
        program->run([&] { f.cmdTab_Click(0); });
    }
    ~Fixture() {
        program.reset();
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
};

void reportSet(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    if (!fx.program) return state.SkipWithError("cannot create a temporary folder");
    FrmGradeHelp& f = fx.program->frmGradeHelp;
    for (auto _ : state)
        fx.program->run([&] { f.menReportSet_Click(); });
    state.SetItemsProcessed(state.iterations() * 43);
}

// The same visit with the working file written to disk at every switch.
void visitCheckedAtEverySwitch(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    if (!fx.program) return state.SkipWithError("cannot create a temporary folder");
    FrmGradeHelp& f = fx.program->frmGradeHelp;
    for (auto _ : state) {
        fx.program->run([&] {
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

BENCHMARK(reportSet)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(visitCheckedAtEverySwitch)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
