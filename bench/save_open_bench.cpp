// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and opening the largest work: 43 tabs of 100 and of 1000 marks; and the costliest files
// that opening still reads, just under the largest save file it accepts.
#include "app/program.h"
#include "storage/save_file_limits.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace tallisto;

// Every file dialog chooses the same file; every question is answered Yes or OK.
class FixedDialogs : public Dialogs {
public:
    explicit FixedDialogs(std::string path) : path_(std::move(path)) {}
    Answer messageBox(const std::string&, Buttons buttons, const std::string&) override {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes
                                                                            : Answer::OK;
    }
    InputAnswer inputBox(const std::string&, const std::string&, const std::string&) override {
        return {true, ""};
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        return {false, path_, fs::path(path_).filename().string()};
    }
    bool showInEditor(const std::string&) override { return true; }

private:
    std::string path_;
};

std::string saveFile(int tabs, int marks) {
    std::string text = "[TabInfo]\r\nNumTabs=" + std::to_string(tabs) + "\r\n";
    for (int i = 0; i < tabs; ++i) {
        text += "[Tab " + std::to_string(i) + "]\r\nName=Subject" + std::to_string(i) +
                "\r\ncount=" + std::to_string(marks) + "\r\n";
        for (int j = 0; j < marks; ++j) {
            const std::string n = std::to_string(j);
            text += "yougot" + n + "=" + std::to_string(j % 47) + ".5\r\noutof" + n +
                    "=50\r\nweighting" + n + "=0.05\r\n";
        }
        text += "gradesys=" + std::to_string(i % 4) + "\r\n";
    }
    return text;
}

// A program directory with the shipped grade ranges and a save file of `tabs` tabs.
struct Setup {
    explicit Setup(int marks, int tabs = 43) {
        dir = fs::temp_directory_path() /
              ("tallisto-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        fs::copy_file(TALLISTO_RANGES_FILE, dir / "graderanges.txt");
        std::ofstream(dir / "work.tly", std::ios::binary) << saveFile(tabs, marks);
        facts.programDir = dir.string();
    }
    ~Setup() { fs::remove_all(dir); }
    fs::path dir;
    PlatformFacts facts;
};

void BM_Open43Tabs(benchmark::State& state) {
    const int marks = static_cast<int>(state.range(0));
    Setup s(marks);
    FixedDialogs chooser((s.dir / "work.tly").string());
    Program program(chooser, s.facts);
    program.start();
    for (auto _ : state) {
        program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });
        if (program.frmGradeHelp.tabCount != 43) state.SkipWithError("not every tab was read");
    }
    state.counters["marks"] = 43.0 * marks;
}

// The most marks a file that opening reads can hold: four tabs of the most marks a tab can
// count, under 7 MB.
void BM_OpenLargestSaveFile(benchmark::State& state) {
    Setup s(static_cast<int>(mostMarksInATab), 4);
    FixedDialogs chooser((s.dir / "work.tly").string());
    Program program(chooser, s.facts);
    program.start();
    for (auto _ : state) {
        program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });
        if (program.frmGradeHelp.tabCount != 4) state.SkipWithError("not every tab was read");
    }
}

// A file that is no save file at all, as large as a file that opening reads at all: lines of
// words just under the largest save file.
void BM_OpenForeignFile(benchmark::State& state) {
    Setup s(0);
    std::string text = "The quick brown fox = jumps over [the] lazy dog; 12345\r\n";
    while (text.size() < largestSaveFile / 2)
        text += text;
    text.resize(largestSaveFile - 100);
    std::ofstream(s.dir / "long.txt", std::ios::binary) << text;
    FixedDialogs chooser((s.dir / "long.txt").string());
    for (auto _ : state) {
        state.PauseTiming(); // a program of its own, which has not read the file yet
        Program program(chooser, s.facts);
        program.start();
        state.ResumeTiming();
        program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });
        if (program.frmGradeHelp.tabCount != 1) state.SkipWithError("not one empty tab");
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_Save43Tabs(benchmark::State& state) {
    const int marks = static_cast<int>(state.range(0));
    Setup s(marks);
    FixedDialogs chooser((s.dir / "work.tly").string());
    Program program(chooser, s.facts);
    program.start();
    program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });
    FrmGradeHelp& f = program.frmGradeHelp;
    f.currentFilePath = (s.dir / "saved.tly").string();
    for (auto _ : state) {
        f.unsaved = true;
        bool saved = false;
        program.run([&] { saved = f.mensave_Click(); });
        if (!saved) state.SkipWithError("the save failed");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(f.currentFilePath));
}

} // namespace

BENCHMARK(BM_Open43Tabs)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLargestSaveFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenForeignFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save43Tabs)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
