// SPDX-License-Identifier: GPL-3.0-or-later
// "Save Subject Report" and "Save Report Set": report files chosen by the user.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/file_io.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"
#include "shared/text_encoding.h"

#include <string>
#include <utility>

namespace tallisto {

namespace {

std::string closingLine(const PlatformFacts& facts) {
    return "Report made by " + facts.exeName + " Version " + std::to_string(facts.version.major) +
           "." + std::to_string(facts.version.minor) + ".\r\n";
}

} // namespace

bool FrmGradeHelp::chooseReportFile(std::string& path) {
    for (;;) {
        // The title is left as the last file command set it: the report commands share the dialog.
        CommonDialog.CancelError = true;
        CommonDialog.FileName = "";
        CommonDialog.Filter = "Text File (*.txt)|*.txt";
        if (!showCommonDialog(FileDialogKind::Save)) return false;
        path = CommonDialog.FileName;
        if (isProgramsOwnFile(path)) {
            MsgBox("Tallisto keeps its own settings and working data in " + path +
                   ", so the report cannot be saved there. Please choose another name.");
            continue;
        }
        if (!fileExists(path)) return true;
        const Answer answer =
            MsgBox("This file already exists. Are you sure you want to overwrite this file?",
                   Buttons::OKCancel, "Overwrite File?");
        if (answer == Answer::OK) return true;
    }
}

// The report goes to disk whole or not at all, so a failure never leaves half a report or
// destroys the file that was to be replaced.
IoResult FrmGradeHelp::writeReport(const std::string& path, std::string text) {
    text += closingLine(program_.facts);
    return program_.writeFile(path, encodeFileText(std::move(text)));
}

void FrmGradeHelp::finishReport(const std::string& path, const IoResult& written) {
    if (!written) {
        MsgBox("The report could not be saved as " + path + ".\n\n" + written.reason);
        return;
    }
    if (MsgBox("Do you wish to open the report file now?", Buttons::OKCancel, "Open?") !=
        Answer::OK)
        return;
    if (!showInEditor(path))
        MsgBox("The report was saved as " + path + ".\n\nNo program could be started to open it.");
}

// Reports list what the student received: the tab's report is the one it would have without its
// what-if marks, totals, percentage and grade included. The tab is shown for a moment without
// them, then as it was.
void FrmGradeHelp::realMarksReport(std::string& out) {
    if (whatIfMarks <= 0) return SubReport(out);
    const KeptWork shown = workToKeep();
    StoredTab real;
    real.sameName = true;
    real.marks = listedMarks();
    real.marks.resize(realMarkCount());
    real.hasMarks = !real.marks.empty();
    real.gradesys = numberText(gradeSys);
    showStoredTab(currentTab, real);
    if (cmdReset.visible) GradeIs();
    GradeSysUsed();
    SubReport(out);
    showKeptWork(shown);
}

void FrmGradeHelp::menSaveReport_Click() {
    std::string path;
    if (!chooseReportFile(path)) return;
    GradeSysUsed();
    std::string text;
    realMarksReport(text);
    const IoResult written = writeReport(path, std::move(text));
    giveFocusToEasyWork();
    finishReport(path, written);
}

void FrmGradeHelp::menReportSet_Click() {
    const int rememberedTab = currentTab;
    std::string path;
    if (!chooseReportFile(path)) return;
    GradeSysUsed();
    std::string text;
    text.reserve(reportSetRoom());
    // The working file is written once after the visit instead of at every switch; the visit
    // ends on the tab it started from, so that nothing rests on the pending changes alone.
    {
        const FlagHold deferred(deferWorkingFileCheck);
        // Index order is the strip's order from left to right; deleted tabs stay loaded but
        // hidden.
        for (int i = 0; i < static_cast<int>(cmdTab.size()); ++i) {
            if (!cmdTab[i].visible) continue;
            cmdTab_Click(i);
            GradeSysUsed();
            realMarksReport(text);
        }
        cmdTab_Click(rememberedTab);
    }
    // A working file that cannot be written is the tab switch's trouble, told by its own
    // message; the report gathered from the tabs is whole either way.
    workingFileStored();
    finishReport(path, writeReport(path, std::move(text)));
}

} // namespace tallisto
