// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes opened as a save file leave a consistent window: no crash, no hang, the four mark
// lists of equal length, and the tab count within its limit.
#include "app/program.h"
#include "window_checks.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every question is answered OK or Yes; the open dialog picks the fuzzed file.
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
        return {false, path, "fuzzed.tly"};
    }
    bool showInEditor(const std::string&) override { return true; }
};

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
    return 0;
}
