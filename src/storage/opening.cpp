// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a save file: every tab of the file rebuilt with the commands the user would use.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/rounding.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace tallisto {

namespace {

constexpr const char* openFilter =
    "Tallisto Save File (*.tly)|*.tly|Text file (*.txt)|*.txt|All Files|*";
constexpr int highestSectionNumber = 32767; // the section counter is a 16-bit integer

// A stored count or number as a 16-bit integer. Unlike typed answers, the whole text must be
// the number (blanks around it aside); anything else means the file is not what it claims.
std::optional<std::int16_t> storedInt16(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return toInt16(value);
}

} // namespace

void FrmGradeHelp::cmdOpen_Click() {
    if (unsaved && MsgBox("This will delete all unsaved work, continue?", Buttons::YesNo,
                          "Delete all unsaved work?") != Answer::Yes)
        return;
    // Cancelling the dialog keeps the work as it was, unsaved flag included, so that closing
    // still offers to save it.
    if (!loadingtime()) return;
    unsaved = false;
    formnamerefresh();
}

bool FrmGradeHelp::loadingtime() {
    {
        const FlagHold loading(loadingTabs);
        CommonDialog.CancelError = true;
        CommonDialog.FileName.clear();
        CommonDialog.Filter = openFilter;
        CommonDialog.DialogTitle = "Open file...";
        if (!showCommonDialog(FileDialogKind::Open)) return false;
    }
    const std::string path = CommonDialog.FileName;
    const std::string title = CommonDialog.FileTitle;
    readChosenFile(path, title);
    return true;
}

// Everything Open does once the file is chosen; opening a file named at start does the same.
void FrmGradeHelp::readChosenFile(const std::string& path, const std::string& title) {
    {
        const FlagHold loading(loadingTabs); // the unsaved work was given up already
        cmdResetAll_Click();
    }
    currentFilePath = path;
    loadFile = path;
    readAllTabs(path, title);
    workingFileStored();
    // What was done before the file was opened cannot be undone into it.
    program_.history.noteOrigin();
}

void FrmGradeHelp::readAllTabs(const std::string& path, const std::string& title) {
    const StampHold hold(program_.ini);
    const FlagHold deferred(deferWorkingFileCheck);
    bool inOrder = false;
    {
        const FlagHold loading(loadingTabs);
        inOrder = readSaveFileTabs(path, title);
    }
    if (inOrder) {
        // Index 0 is always shown after Reset All: the file's first tab.
        cmdTab_Click(0);
        mensave.enabled = false;
    }
}

// Reads the tabs of a save file in increasing section number. False when the file breaks off
// the reading (a value that is not a number); the tabs read until then stay.
bool FrmGradeHelp::readSaveFileTabs(const std::string& path, const std::string& title) {
    const auto numTabs = storedInt16(readIni(path, "TabInfo", "NumTabs"));
    if (!numTabs) return false;
    // NumTabs counts the sections written; absent section numbers (deleted tabs) do not count.
    int bound = *numTabs;
    const int lastSection = program_.ini.highestNumberedSection(path, "Tab ");
    bool tabRead = false;
    for (int n = 0;; ++n) {
        if (n > highestSectionNumber) return false;
        const std::string section = "Tab " + std::to_string(n);
        if (!program_.ini.sectionExists(path, section)) {
            if (bound == highestSectionNumber) return false;
            ++bound;
        } else if (readIni(path, section, "Deleted") != "Yes") {
            const TabRead read = readSaveFileTab(path, title, n, !tabRead);
            if (read == TabRead::Broken) return false;
            if (read == TabRead::TooMany) return true;
            tabRead = true;
        }
        // A NumTabs larger than the file's sections would otherwise scan every number up to
        // the counter's limit.
        if (n + 1 == bound || n + 1 > lastSection) return true;
    }
}

FrmGradeHelp::TabRead FrmGradeHelp::readSaveFileTab(const std::string& path,
                                                    const std::string& title, int section,
                                                    bool firstTab) {
    const std::string name = "Tab " + std::to_string(section);
    loadingTabs = true; // again: a tab's grading system, chosen by the switch, clears it
    currentFileTitle = title;
    if (!firstTab) {
        const int shown = tabCount;
        cmdNewTab_Click(); // refuses beyond the tab limit, with its message
        if (tabCount == shown) return TabRead::TooMany;
        cmdTab_Click(currentTab + 1);
        ResetTab();
    }
    cmdTab[currentTab].caption = readIni(path, name, "Name");
    if (!storedInt16(readIni(path, name, "count"))) return TabRead::Broken;
    loadFile = path;
    loadTab = section;
    LoadRun();
    const auto gradesys = storedInt16(readIni(path, name, "gradesys"));
    if (!gradesys) return TabRead::Broken;
    if (*gradesys >= 0 && *gradesys <= 3)
        menGradesys_Click(menGradesys[*gradesys].visible ? *gradesys : 0);
    return TabRead::Read;
}

} // namespace tallisto
