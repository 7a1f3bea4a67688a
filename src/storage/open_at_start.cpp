// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the file named on the command line, as a double-click on a save file does.
#include "app/frm_grade_help.h"

#include <filesystem>
#include <system_error>

namespace tallisto {

void FrmGradeHelp::openFileAtStart(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Save goes back to this name later, from whatever folder the program is in by then.
    fs::path full = fs::absolute(path, ec);
    if (ec) full = path;
    full = full.lexically_normal();
    // Work restored at start is the file's own newer work, or is given up only as Open does.
    if (unsaved) {
        if (full.string() == currentFilePath) return;
        if (MsgBox("This will delete all unsaved work, continue?", Buttons::YesNo,
                   "Delete all unsaved work?") != Answer::Yes)
            return giveFocusToEasyWork();
    }
    const std::string why =
        fs::exists(full, ec) ? whyNotASaveFile(full.string()) : "the file does not exist.";
    if (!why.empty()) {
        MsgBox("Tallisto cannot open " + full.string() + " because " + why);
    } else {
        readChosenFile(full.string(), full.filename().string());
        unsaved = false;
    }
    formnamerefresh();
    giveFocusToEasyWork();
}

} // namespace tallisto
