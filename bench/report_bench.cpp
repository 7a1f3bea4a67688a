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
    std::string savePath;

    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        return prompt.rfind("This file already exists", 0) == 0 ? Answer::OK : Answer::Cancel;
    }
    InputAnswer inputBox(const std::string&, const std::string&, const std::string&) override {
        return {true, ""};
    }
    FileChoice fileDialog(FileDialogKind kind, const std::string&, const std::string&) override {
        if (kind == FileDialogKind::Open) return {false, savePath, "work.tly"};
        return {false, reportPath, "report.txt"};
    }
    bool showInEditor(const std::string&) override { return true; }
};

// A save file of `tabs` tabs of `marksPerTab` marks of 8 out of 10 each, opened.
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
        const std::string weighting = std::to_string(100.0 / marksPerTab);
        std::string save = "[TabInfo]\r\nNumTabs=" + std::to_string(tabs) + "\r\n";
        for (int t = 0; t < tabs; ++t) {
            save += "[Tab " + std::to_string(t) + "]\r\nName=Tab " + std::to_string(t + 1) +
                    "\r\ncount=" + std::to_string(marksPerTab) + "\r\n";
            for (int m = 0; m < marksPerTab; ++m) {
                const std::string n = std::to_string(m);
                save += "yougot" + n + "=8\r\noutof" + n + "=10\r\nweighting" + n + "=" +
                        weighting + "\r\n";
            }
            save += "gradesys=0\r\n";
        }
        std::ofstream(dir / "work.tly", std::ios::binary) << save;
        dialogs.reportPath = (dir / "report.txt").string();
        dialogs.savePath = (dir / "work.tly").string();
        PlatformFacts facts;
        facts.programDir = dir.string();
        program = std::make_unique<Program>(dialogs, facts);
        program->start();
        FrmGradeHelp& f = program->frmGradeHelp;
        program->run([&] { f.cmdOpen_Click(); });
        if (f.tabCount != tabs) program.reset();
    }
    ~Fixture() {
        program.reset();
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
};

void reportSet(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    if (!fx.program) return state.SkipWithError("the save file could not be made and opened");
    FrmGradeHelp& f = fx.program->frmGradeHelp;
    for (auto _ : state)
        fx.program->run([&] { f.menReportSet_Click(); });
    state.SetItemsProcessed(state.iterations() * 43);
}

// The same visit with the working file written to disk at every switch.
void visitCheckedAtEverySwitch(benchmark::State& state) {
    Fixture fx(43, static_cast<int>(state.range(0)));
    if (!fx.program) return state.SkipWithError("the save file could not be made and opened");
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

BENCHMARK(reportSet)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(visitCheckedAtEverySwitch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
