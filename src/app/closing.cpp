// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the program: the offer to save, the settings kept for the next start, the end.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"

namespace tallisto {

namespace {

// Positions are kept as single-precision numbers, as earlier versions wrote them.
std::string singleText(int twips) {
    return numberText(static_cast<double>(static_cast<float>(twips)));
}

} // namespace

void FrmGradeHelp::unloadMainWindow() {
    bool cancel = false;
    Form_QueryUnload(cancel);
}

void FrmGradeHelp::exit_Click() {
    unloadMainWindow();
}

void FrmGradeHelp::cmdExit_Click() {
    unloadMainWindow();
}

void FrmGradeHelp::Form_QueryUnload(bool& cancel) {
    if (!unsaved) exit_me();
    const std::string name = currentFileTitle.empty() ? "<Unsaved>" : currentFileTitle;
    const Answer answer =
        MsgBox("Save Changes made to: " + name + "?", Buttons::YesNoCancel, "Save Changes?");
    if (answer == Answer::No) exit_me();
    if (answer == Answer::Yes) {
        if (!currentFileTitle.empty()) {
            if (mensave_Click()) exit_me();
        } else {
            // Save As ends the program itself once the work is saved.
            exitAfterSave = true;
            cmdsave_Click();
        }
    }
    // Cancelled here or in the save, or the save failed: the window stays open with all data.
    cancel = true;
    giveFocusToEasyWork();
}

void FrmGradeHelp::exit_me() {
    const std::string settings = settingsFile();
    program_.ini.startAfresh(settings);
    writeIni(settings, "Settings", "Left", singleText(frmGradeHelp.left));
    writeIni(settings, "Settings", "Top", singleText(frmGradeHelp.top));
    writeIni(settings, "Settings", "gradesys", numberText(gradeSys));
    // The program is ending: settings that cannot be written cost only the next start's
    // position, and no one is left to tell.
    program_.ini.flush(settings);
    if (program_.ini.exists(workingFile())) program_.ini.remove(workingFile());
    // Closed in order: nothing is left to recover, and the lock goes last.
    if (program_.copy.holdsLock()) {
        removeRecoveryData(program_.copy.recoveryFiles());
        program_.copy.close();
    }
    program_.frmTER.hide();
    program_.frmPlan.hide();
    program_.end();
}

} // namespace tallisto
