// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's use of the dialogs and files around it.
#include "app/frm_grade_help.h"
#include "app/program.h"

#include <filesystem>

namespace tallisto {

Answer FrmGradeHelp::MsgBox(const std::string& prompt, Buttons buttons, const std::string& title) {
    program_.ini.flushAll();
    return program_.dialogs.messageBox(prompt, buttons, title);
}

std::string FrmGradeHelp::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    program_.ini.flushAll();
    InputAnswer answer = program_.dialogs.inputBox(prompt, title, defaultText);
    return answer.cancelled ? std::string() : answer.text;
}

bool FrmGradeHelp::showCommonDialog(FileDialogKind kind) {
    program_.ini.flushAll();
    FileChoice choice =
        program_.dialogs.fileDialog(kind, CommonDialog.DialogTitle, CommonDialog.Filter);
    if (choice.cancelled) return false;
    CommonDialog.FileName = choice.fileName;
    CommonDialog.FileTitle = choice.fileTitle;
    return true;
}

bool FrmGradeHelp::showInEditor(const std::string& path) {
    program_.ini.flushAll();
    return program_.dialogs.showInEditor(path);
}

void FrmGradeHelp::reportUnwrittenFiles() {
    for (const IniFiles::Unwritten& unwritten : program_.ini.takeNewFailures()) {
        MsgBox("Tallisto could not write " + unwritten.file + ".\n\n" + unwritten.reason +
               "\n\nNothing is lost: Tallisto keeps your work in memory and writes the file "
               "again after your next change. Save your work to keep it, and free some disk "
               "space or make the folder writable.");
        giveFocusToEasyWork();
    }
}

double& FrmGradeHelp::overallPercentage() {
    return program_.modData.overallPercentage;
}

std::string FrmGradeHelp::readIni(const std::string& file, const std::string& section,
                                  const std::string& key) {
    return program_.ini.ReadIniValue(file, section, key, "0");
}

void FrmGradeHelp::writeIni(const std::string& file, const std::string& section,
                            const std::string& key, const std::string& value) {
    program_.ini.WriteIniValue(file, section, key, value);
}

std::string FrmGradeHelp::programFile(const std::string& fileName) const {
    return (std::filesystem::path(program_.facts.programDir) / fileName).string();
}

std::string FrmGradeHelp::workingFile() const {
    return program_.copy.workingFile();
}

std::string FrmGradeHelp::manifestFile() const {
    return programFile(program_.facts.exeName + ".exe.manifest");
}

} // namespace tallisto
