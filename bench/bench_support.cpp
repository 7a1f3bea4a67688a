// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"

#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <system_error>

namespace tallisto::bench {

namespace fs = std::filesystem;

Answer BenchDialogs::messageBox(const std::string& prompt, Buttons, const std::string&) {
    for (const auto& [start, answer] : answers)
        if (prompt.rfind(start, 0) == 0) return answer;
    throw std::logic_error("unexpected message box: " + prompt);
}

InputAnswer BenchDialogs::inputBox(const std::string& prompt, const std::string&,
                                   const std::string&) {
    if (typed.empty()) {
        if (!name) throw std::logic_error("unexpected input box: " + prompt);
        return {false, *name};
    }
    InputAnswer answer{false, typed.front()};
    typed.pop_front();
    return answer;
}

FileChoice BenchDialogs::fileDialog(FileDialogKind kind, const std::string&, const std::string&) {
    const std::string& path = kind == FileDialogKind::Open ? openPath : savePath;
    if (path.empty()) throw std::logic_error("unexpected file dialog");
    return {false, path, fs::path(path).filename().string()};
}

BenchFolder::BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "tallisto-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    path_ = pattern;
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void BenchFolder::put(const std::string& name, const std::string& bytes) const {
    if (!(std::ofstream(path_ / name, std::ios::binary) << bytes))
        throw std::runtime_error("cannot write " + file(name));
}

void BenchProgram::putShippedRanges() const {
    fs::copy_file(TALLISTO_RANGES_FILE, folder.file("graderanges.txt"));
}

void BenchProgram::start() {
    end();
    PlatformFacts facts;
    facts.programDir = folder.path().string();
    program_ = std::make_unique<Program>(dialogs, facts);
    if (!program_->start()) throw std::runtime_error("the program did not start");
}

void BenchProgram::startBeside(const std::string& bytes) {
    putShippedRanges();
    folder.put("work.tly", bytes);
    start();
}

void BenchProgram::open(const std::string& name) {
    dialogs.openPath = folder.file(name);
    run([](FrmGradeHelp& f) { f.cmdOpen_Click(); });
}

OpenedWork::OpenedWork(int marks, int tabs) {
    startBeside(saveFile(tabs, marks));
    open("work.tly");
    if (form().tabCount != tabs) throw std::runtime_error("the save file was not opened");
}

std::string tabSection(int tab, const std::string& name, int marks,
                       const std::function<StoredMark(int)>& markOf, int gradesys) {
    std::string text = "[Tab " + std::to_string(tab) + "]\r\nName=" + name +
                       "\r\ncount=" + std::to_string(marks) + "\r\n";
    for (int j = 0; j < marks; ++j) {
        const std::string n = std::to_string(j);
        const StoredMark mark = markOf(j);
        text += "yougot" + n + "=" + mark.youGot + "\r\noutof" + n + "=" + mark.outOf +
                "\r\nweighting" + n + "=" + mark.weighting + "\r\n";
    }
    return text + "gradesys=" + std::to_string(gradesys) + "\r\n";
}

std::string saveFileOf(int tabs, const std::function<std::string(int)>& sectionOf) {
    std::string text = "[TabInfo]\r\nNumTabs=" + std::to_string(tabs) + "\r\n";
    for (int i = 0; i < tabs; ++i)
        text += sectionOf(i);
    return text;
}

std::string saveFile(int tabs, int marks) {
    return saveFileOf(tabs, [marks](int i) {
        return tabSection(
            i, "Subject" + std::to_string(i), marks,
            [](int j) {
                return StoredMark{std::to_string(j % 47) + ".5", "50", "0.05"};
            },
            i % 4);
    });
}

} // namespace tallisto::bench
