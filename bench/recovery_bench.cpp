// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the work on disk for crash recovery, at the end of each command that changes it, with
// 43 tabs of 100 and of 1000 marks: alone, and inside the commands that pay for it.
#include "app/program.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace tallisto;

// The open dialog chooses the save file; a rename gets the name given; nothing else is asked.
class BenchDialogs : public Dialogs {
public:
    std::string path, name;
    Answer messageBox(const std::string& prompt, Buttons, const std::string&) override {
        throw std::logic_error("unexpected message box: " + prompt);
    }
    InputAnswer inputBox(const std::string&, const std::string&, const std::string&) override {
        return {false, name};
    }
    FileChoice fileDialog(FileDialogKind, const std::string&, const std::string&) override {
        return {false, path, fs::path(path).filename().string()};
    }
    bool showInEditor(const std::string&) override { return true; }
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

// A running program holding 43 tabs of `marks` marks, opened from a save file and then changed,
// so that its work is unsaved and kept.
class Fixture {
public:
    explicit Fixture(int marks) {
        dir_ = fs::temp_directory_path() /
               ("tallisto-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        fs::copy_file(TALLISTO_RANGES_FILE, dir_ / "graderanges.txt");
        dialogs_.path = (dir_ / "work.tly").string();
        std::ofstream(dialogs_.path, std::ios::binary) << saveFile(43, marks);
        PlatformFacts facts;
        facts.programDir = dir_.string();
        program_ = std::make_unique<Program>(dialogs_, facts);
        program_->start();
        program_->run([this] { form().cmdOpen_Click(); });
        rename("Changed");
        if (form().tabCount != 43 || !fs::exists(recoveryFile()))
            throw std::runtime_error("the work was not kept");
    }
    ~Fixture() {
        program_.reset();
        fs::remove_all(dir_);
    }

    FrmGradeHelp& form() { return program_->frmGradeHelp; }
    Program& program() { return *program_; }
    std::string recoveryFile() const { return program_->copy.recoveryFile(); }
    void rename(const std::string& name) {
        dialogs_.name = name;
        program_->run([this] { form().menRename_Click(); });
    }

private:
    fs::path dir_;
    BenchDialogs dialogs_;
    std::unique_ptr<Program> program_;
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
