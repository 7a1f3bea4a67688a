// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes found as a crashed copy's recovery data leave a consistent window when the user
// takes them back: no crash, no hang, the mark lists one table, the tabs within their limit.
#include "app/program.h"
#include "window_checks.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every question is answered Yes or OK; nothing else is asked at start.
class YesDialogs : public tallisto::Dialogs {
public:
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
        return {true, "", ""};
    }
    bool showInEditor(const std::string&) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    namespace fs = std::filesystem;
    static const fs::path dir = [] {
        auto d = fs::temp_directory_path() / "tallisto-fuzz-recovery";
        fs::create_directories(d);
        return d;
    }();
    for (const auto& entry : fs::directory_iterator(dir))
        fs::remove(entry.path());
    std::ofstream(dir / "temp.tmp.recovery", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    YesDialogs dialogs;
    tallisto::PlatformFacts facts;
    facts.programDir = dir.string();
    tallisto::Program program(dialogs, facts);
    program.start();

    const auto& f = program.frmGradeHelp;
    int shown = 0;
    for (const auto& tab : f.cmdTab)
        shown += tab.visible;
    if (!tallisto::fuzzing::markTableIsWhole(f)) std::abort();
    if (f.tabCount < 1 || f.tabCount > 43 || f.tabCount != shown) std::abort();
    if (f.currentTab < 0 || f.currentTab >= static_cast<int>(f.cmdTab.size()) ||
        !f.cmdTab[f.currentTab].visible)
        std::abort();
    return 0;
}
