// SPDX-License-Identifier: GPL-3.0-or-later
// Saving every tab into one save file: Save, Save As and the loop that writes the tabs.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"

#include <filesystem>
#include <system_error>

namespace tallisto {

namespace {

constexpr const char* saveFilter = "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt";

// Whether two names reach the same file, through links, "..", or a second hard link.
bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1, ec2;
    const auto ca = std::filesystem::weakly_canonical(a, ec1);
    const auto cb = std::filesystem::weakly_canonical(b, ec2);
    if (!ec1 && !ec2 && ca == cb) return true;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

bool FrmGradeHelp::isProgramsOwnFile(const std::string& path) const {
    for (const std::string& own : {workingFile(), settingsFile(), rangesFile()})
        if (samePlace(path, own)) return true;
    return false;
}

bool FrmGradeHelp::mensave_Click() {
    if (currentFilePath.empty()) return cmdsave_Click();
    if (!saveloop()) {
        mensave.enabled = true;
        return false;
    }
    unsaved = false;
    program_.history.noteSaved();
    formnamerefresh();
    mensave.enabled = false;
    return true;
}

// The save dialog until the user picks a file that may be written, or cancels.
bool FrmGradeHelp::chooseSaveFile(std::string& path, std::string& title) {
    for (;;) {
        CommonDialog.CancelError = true;
        CommonDialog.FileName.clear();
        CommonDialog.Filter = saveFilter;
        CommonDialog.DialogTitle = "Save file...";
        if (!showCommonDialog(FileDialogKind::Save)) return false;
        path = CommonDialog.FileName;
        title = CommonDialog.FileTitle;
        if (isProgramsOwnFile(path)) {
            MsgBox("Tallisto keeps its own settings and working data in " + path +
                   ", so your work cannot be saved there. Please choose another name.");
            continue;
        }
        if (program_.ini.exists(path) &&
            MsgBox("This file already exists. Are you sure you want to overwrite this file?",
                   Buttons::OKCancel, "Overwrite File?") != Answer::OK)
            continue;
        return true;
    }
}

bool FrmGradeHelp::cmdsave_Click() {
    std::string path, title;
    if (!chooseSaveFile(path, title)) {
        exitAfterSave = false;
        return false;
    }
    // A save that fails binds the work to no new file: the old names stay.
    const std::string oldPath = currentFilePath, oldTitle = currentFileTitle;
    currentFilePath = path;
    currentFileTitle = title;
    if (!saveloop()) {
        currentFilePath = oldPath;
        currentFileTitle = oldTitle;
        formnamerefresh();
        mensave.enabled = true;
        exitAfterSave = false;
        return false;
    }
    unsaved = false;
    program_.history.noteSaved();
    formnamerefresh();
    // Closing asked for this save: the program now ends as closing does, settings included.
    if (exitAfterSave) exit_me();
    mensave.enabled = false;
    exitAfterSave = false;
    return true;
}

// Visits every tab and writes the shown ones into path, then returns to the tab shown before.
IoResult FrmGradeHelp::writeAllTabs(const std::string& path) {
    const StampHold hold(program_.ini);
    const int remembered = currentTab;
    // The new content is built beside the old file and replaces it only once it is whole.
    program_.ini.startAfresh(path);
    const FlagHold deferred(deferWorkingFileCheck);
    for (int i = 0; i < static_cast<int>(cmdTab.size()); ++i) {
        cmdTab_Click(i);
        saveFile = path;
        saveTab = currentTab;
        if (cmdTab[i].visible) SaveRun();
    }
    const IoResult written = program_.ini.flush(path);
    if (!written) program_.ini.discard(path);
    cmdTab_Click(remembered);
    return written;
}

bool FrmGradeHelp::saveloop() {
    const std::string path = currentFilePath;
    if (isProgramsOwnFile(path)) {
        MsgBox("Tallisto keeps its own settings and working data in " + path +
               ", so your work cannot be saved there. Please use \"Save As\" to choose another "
               "name.");
        return false;
    }
    const IoResult written = writeAllTabs(path);
    workingFileStored();
    if (!written) {
        MsgBox("Your work could not be saved to " + path + ". " + written.reason +
               ". The file was left as it was, and your work is still open.");
        return false;
    }
    return true;
}

} // namespace tallisto
