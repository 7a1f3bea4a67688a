// SPDX-License-Identifier: GPL-3.0-or-later
// Any typed answers leave the four mark lists of equal length and never show "inf" or "nan".
#include "app/program.h"
#include "window_checks.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>

namespace {

class Answers : public tallisto::Dialogs {
public:
    std::deque<std::string> typed;
    tallisto::Answer messageBox(const std::string&, tallisto::Buttons,
                                const std::string&) override {
        return tallisto::Answer::OK;
    }
    tallisto::InputAnswer inputBox(const std::string&, const std::string&,
                                   const std::string&) override {
        if (typed.empty()) return {true, ""};
        std::string text = typed.front();
        typed.pop_front();
        return {false, text};
    }
    tallisto::FileChoice fileDialog(tallisto::FileDialogKind, const std::string&,
                                    const std::string&) override {
        return {true, "", ""};
    }
    bool showInEditor(const std::string&) override { return true; }
};

bool shows(const std::string& text, const char* bad) {
    return text.find(bad) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::string dir = [] {
        auto d = std::filesystem::temp_directory_path() / "tallisto-fuzz-marks";
        std::filesystem::create_directories(d);
        return d.string();
    }();
    Answers answers;
    // Answers are separated by NUL bytes.
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            answers.typed.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    answers.typed.push_back(current);

    tallisto::PlatformFacts facts;
    facts.programDir = dir;
    tallisto::Program program(answers, facts);
    program.start();
    while (!answers.typed.empty())
        program.run([&] { program.frmGradeHelp.cmdEasyWork_Click(); });

    const auto& f = program.frmGradeHelp;
    if (!tallisto::fuzzing::markTableIsWhole(f)) std::abort();
    for (const std::string* text : {&f.lblShit.caption, &f.lblScoreTot.caption,
                                    &f.lblTotalTest.caption, &f.frmGradeHelp.caption})
        if (shows(*text, "inf") || shows(*text, "nan")) std::abort();
    return 0;
}
