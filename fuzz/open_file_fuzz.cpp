// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes opened as a save file leave a consistent window: no crash, no hang, the four mark
// lists of equal length, and the tab count within its limit. What opened saves, and the saved
// file opens again to the same tabs.
#include "app/program.h"
#include "shared/number_text.h"
#include "window_checks.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Every question is answered OK or Yes; the file dialogs pick `path`.
class OpenDialogs : public tallisto::Dialogs {
public:
    std::string path;
    tallisto::Answer messageBox(const std::string&, tallisto::Buttons buttons,
                                const std::string&) override {
        return buttons == tallisto::Buttons::YesNo || buttons == tallisto::Buttons::YesNoCancel
                   ? tallisto::Answer::Yes
                   : tallisto::Answer::OK;
    }
    tallisto::InputAnswer inputBox(const std::string&, const std::string&,
                                   const std::string&) override {
        return {true, ""};
    }
    tallisto::FileChoice fileDialog(tallisto::FileDialogKind, const std::string&,
                                    const std::string&) override {
        return {false, path, std::filesystem::path(path).filename().string()};
    }
    bool showInEditor(const std::string&) override { return true; }
};

// A list entry as it is saved: the number it begins with.
std::string saved(const std::string& entry) {
    return tallisto::numberText(tallisto::numberValue(entry));
}

// Every shown tab as its name, grading system and marks, visiting each as the user would.
std::vector<std::string> tabsOf(tallisto::Program& program) {
    auto& f = program.frmGradeHelp;
    std::vector<std::string> tabs;
    for (int i = 0; i < static_cast<int>(f.cmdTab.size()); ++i) {
        if (!f.cmdTab[i].visible) continue;
        program.run([&] { f.cmdTab_Click(i); });
        std::string tab = f.cmdTab[i].caption + ":" + std::to_string(f.gradeSys);
        for (std::size_t j = 0; j < f.lstScore.list.size(); ++j)
            tab += "|" + saved(f.lstScore.list[j]) + "/" + saved(f.lstTotal.list[j]) + "@" +
                   saved(f.lstWeighting.list[j]);
        tabs.push_back(tab);
    }
    return tabs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / "tallisto-fuzz-open";
        std::filesystem::create_directories(d);
        return d;
    }();
    OpenDialogs dialogs;
    dialogs.path = (dir / "fuzzed.tly").string();
    std::ofstream(dialogs.path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    tallisto::PlatformFacts facts;
    facts.programDir = dir.string();
    tallisto::Program program(dialogs, facts);
    program.start();
    program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });

    const auto& f = program.frmGradeHelp;
    if (!tallisto::fuzzing::markTableIsWhole(f)) std::abort();
    if (f.tabCount < 1 || f.tabCount > 43) std::abort();
    if (f.currentTab < 0 || f.currentTab >= static_cast<int>(f.cmdTab.size())) std::abort();

    const std::vector<std::string> opened = tabsOf(program);
    dialogs.path = (dir / "saved.tly").string();
    std::filesystem::remove(dialogs.path);
    bool saved = false;
    program.run([&] { saved = program.frmGradeHelp.cmdsave_Click(); });
    // A file of up to 2 MB (the fuzzers' -max_len) holds nothing too much to save: written out
    // again, its numbers cannot grow it to the 8 MB a save file may take.
    if (!saved) std::abort();
    program.run([&] { program.frmGradeHelp.cmdOpen_Click(); });
    if (tabsOf(program) != opened) std::abort();
    return 0;
}
