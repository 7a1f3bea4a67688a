// SPDX-License-Identifier: GPL-3.0-or-later
// Saving every tab into one save file: Save, Save As and the loop that writes the tabs.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/file_io.h"
#include "shared/flag_hold.h"
#include "shared/program_files.h"
#include "storage/save_file_limits.h"

#include <string>

namespace tallisto {

namespace {

constexpr const char* saveFilter = "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt";

} // namespace

bool FrmGradeHelp::isProgramsOwnFile(const std::string& path) const {
    return tallisto::isProgramsOwnFile(path, program_.facts.programDir, program_.facts.exeName);
}

bool FrmGradeHelp::mensave_Click() {
    if (currentFilePath.empty()) return cmdsave_Click();
    // Root may write any file, so the file's own marking decides: the user made it read-only.
    if (isReadOnlyFile(currentFilePath)) {
        mensave.enabled = true;
        if (MsgBox(currentFilePath +
                       " is read-only, so Tallisto did not replace it.\n\nDo you want to save "
                       "your work under another name?",
                   Buttons::YesNo) == Answer::Yes)
            return cmdsave_Click();
        giveFocusToEasyWork();
        return false;
    }
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
        if (isReadOnlyFile(path)) {
            MsgBox(path +
                   " is read-only, so Tallisto will not replace it. Please choose another name.");
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
    std::string unreadable; // a tab that the file could not give back
    for (int i = 0; i < static_cast<int>(cmdTab.size()); ++i) {
        cmdTab_Click(i);
        saveFile = path;
        saveTab = currentTab;
        if (!cmdTab[i].visible) continue;
        SaveRun();
        // Real and what-if marks are counted apart, each in a 16-bit count.
        const std::size_t real = realMarkCount(), whatIfs = lstScore.list.size() - real;
        const std::string kind = real > mostMarksInATab ? " marks" : " what-if marks";
        if (unreadable.empty() && std::max(real, whatIfs) > mostMarksInATab)
            unreadable = "The tab \"" + cmdTab[i].caption + "\" has " +
                         std::to_string(real > mostMarksInATab ? real : whatIfs) + kind +
                         ", and a save file holds at most " + std::to_string(mostMarksInATab) +
                         kind + " in a tab";
    }
    if (unreadable.empty() && program_.ini.textSize(path) > largestSaveFile)
        unreadable = "It would be larger than " + std::to_string(largestSaveFile >> 20) +
                     " MB, the largest save file Tallisto opens";
    const IoResult written =
        unreadable.empty() ? program_.ini.flush(path) : IoResult::failure(unreadable);
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
    const bool existed = fileExists(path);
    const IoResult written = writeAllTabs(path);
    workingFileStored();
    if (!written) {
        MsgBox("Your work could not be saved to " + path + ". " + written.reason + ". " +
               (existed ? "The file was left as it was" : "No file was written") +
               ", and your work is still open.");
        return false;
    }
    return true;
}

} // namespace tallisto
