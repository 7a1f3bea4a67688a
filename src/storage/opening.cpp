// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a save file: every tab of the file rebuilt with the commands the user would use.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/rounding.h"
#include "storage/save_file_limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

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

// Whether a key holds part of a mark: "yougot", "outof" or "weighting" and a mark's number.
bool isMarkKey(std::string_view name) {
    for (const std::string_view prefix : {"yougot", "outof", "weighting"}) {
        if (name.size() <= prefix.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            same = same && (name[i] | 0x20) == prefix[i];
        if (!same) continue;
        const std::string_view digits = name.substr(prefix.size());
        if (digits.size() > 1 && digits.front() == '0') return false;
        return std::all_of(digits.begin(), digits.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    }
    return false;
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

void FrmGradeHelp::cmdOpen_Click() {
    if (unsaved && MsgBox("This will delete all unsaved work, continue?", Buttons::YesNo,
                          "Delete all unsaved work?") != Answer::Yes)
        return;
    // Cancelling the dialog, or a file that is refused, keeps the work as it was, unsaved flag
    // included, so that closing still offers to save it.
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
    if (const std::string why = whyNotASaveFile(path); !why.empty()) {
        MsgBox("Tallisto cannot open " + path + " because " + why);
        giveFocusToEasyWork();
        return false;
    }
    readChosenFile(path, title);
    return true;
}

// Decided before anything is cleared, so that a file chosen by mistake costs nothing: a file
// that exists is a save file when it can be read, is no larger than any save file can be, and
// holds the section "TabInfo" with a number of tabs and at least one tab section. A file that
// does not exist is accepted: it opens as one empty tab, and Save creates it.
std::string FrmGradeHelp::whyNotASaveFile(const std::string& path) {
    std::string why = saveFileTrouble(path);
    if (!why.empty()) program_.ini.release(path); // nothing more is read of it
    return why;
}

std::string FrmGradeHelp::saveFileTrouble(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(path, ec) && !ec) return "";
    if (!fs::is_regular_file(path, ec) || !std::ifstream(path, std::ios::binary))
        return "the file cannot be read.";
    if (fs::file_size(path, ec) > largestSaveFile)
        return "it is larger than " + std::to_string(largestSaveFile >> 20) +
               " MB, far larger than any save file.";
    if (!program_.ini.sectionExists(path, "TabInfo") ||
        !storedInt16(readIni(path, "TabInfo", "NumTabs")) ||
        program_.ini.highestNumberedSection(path, "Tab ") < 0)
        return "it is not a Tallisto save file.";
    return "";
}

// Everything Open does once the file is chosen; opening a file named at start does the same.
void FrmGradeHelp::readChosenFile(const std::string& path, const std::string& title) {
    {
        const FlagHold loading(loadingTabs); // the unsaved work was given up already
        cmdResetAll_Click();
    }
    currentFilePath = path;
    loadFile = path;
    const std::string problem = readAllTabs(path, title);
    program_.ini.release(path);
    workingFileStored();
    // What was done before the file was opened cannot be undone into it.
    program_.history.noteOrigin();
    if (problem.empty()) return;
    // The file holds more than the window shows: saving the window over it would lose the rest.
    currentFilePath.clear();
    currentFileTitle.clear();
    MsgBox("Tallisto could not read all of " + path + ".\n\n" + problem +
           "\n\nThe tabs read before that are open. Save will ask where to save them, so that "
           "the file stays as it is.");
    giveFocusToEasyWork();
}

std::string FrmGradeHelp::readAllTabs(const std::string& path, const std::string& title) {
    const StampHold hold(program_.ini);
    const FlagHold deferred(deferWorkingFileCheck);
    std::string problem;
    {
        const FlagHold loading(loadingTabs);
        problem = readSaveFileTabs(path, title);
    }
    if (problem.empty()) {
        // Index 0 is always shown after Reset All: the file's first tab.
        cmdTab_Click(0);
        mensave.enabled = false;
    }
    return problem;
}

// Reads the tabs of a save file in increasing section number. Returns what broke off the
// reading, "" when the whole file was read; the tabs read until then stay.
std::string FrmGradeHelp::readSaveFileTabs(const std::string& path, const std::string& title) {
    const std::string numTabsText = readIni(path, "TabInfo", "NumTabs");
    const auto numTabs = storedInt16(numTabsText);
    if (!numTabs) return "Its number of tabs, " + inQuotes(numTabsText) + ", is not a number.";
    // NumTabs counts the sections written; absent section numbers (deleted tabs) do not count.
    int bound = *numTabs;
    const int lastSection = program_.ini.highestNumberedSection(path, "Tab ");
    bool tabRead = false;
    for (int n = 0;; ++n) {
        if (n > highestSectionNumber) return "Its tab numbers run past 32767.";
        const std::string section = tabSection(n);
        if (!program_.ini.sectionExists(path, section)) {
            if (bound == highestSectionNumber)
                return "It names more tabs than it holds (NumTabs=" + numTabsText + ").";
            ++bound;
        } else if (readIni(path, section, "Deleted") != "Yes") {
            std::string problem;
            const TabRead read = readSaveFileTab(path, title, n, !tabRead, problem);
            if (read != TabRead::Read) return problem;
            tabRead = true;
        }
        // A NumTabs larger than the file's sections would otherwise scan every number up to
        // the counter's limit.
        if (n + 1 == bound || n + 1 > lastSection) return "";
    }
}

FrmGradeHelp::TabRead FrmGradeHelp::readSaveFileTab(const std::string& path,
                                                    const std::string& title, int section,
                                                    bool firstTab, std::string& problem) {
    const std::string name = tabSection(section);
    // A switch finds a tab again by its name as stored, where a carriage return becomes a blank:
    // so it must be one already, or the tab's marks would not be found.
    std::string tabName = readIni(path, name, "Name");
    std::replace(tabName.begin(), tabName.end(), '\r', ' ');
    loadingTabs = true; // again: a tab's grading system, chosen by the switch, clears it
    currentFileTitle = title;
    if (!firstTab) {
        const int shown = tabCount;
        cmdNewTab_Click(); // refuses beyond the tab limit, with its message
        if (tabCount == shown) {
            problem = "It holds more tabs than the " + std::to_string(tabCount) +
                      " Tallisto can show; the tabs from " + inQuotes(tabName) +
                      " on are not open.";
            return TabRead::TooMany;
        }
        cmdTab_Click(currentTab + 1);
        ResetTab();
    }
    cmdTab[currentTab].caption = tabName;
    const std::string countText = readIni(path, name, "count");
    const auto count = storedInt16(countText);
    if (!count) {
        problem = "Tab " + inQuotes(tabName) + ": its number of marks, " + inQuotes(countText) +
                  ", is not a number.";
        return TabRead::Broken;
    }
    // Every mark is stored as three keys. A count that the file cannot hold is read only as
    // far as the file holds marks, so that a file of a few bytes cannot ask for a million.
    const int held = static_cast<int>(program_.ini.countKeys(path, name, isMarkKey) / 3);
    loadFile = path;
    loadTab = section;
    if (*count > held) {
        replayMarks(readStoredMarks(path, section, held));
        problem = "Tab " + inQuotes(tabName) + ": the file holds only " + std::to_string(held) +
                  " of its " + countText + " marks.";
        return TabRead::Broken;
    }
    LoadRun();
    const std::string gradesysText = readIni(path, name, "gradesys");
    const auto gradesys = storedInt16(gradesysText);
    if (!gradesys) {
        problem = "Tab " + inQuotes(tabName) + ": its grading system, " + inQuotes(gradesysText) +
                  ", is not a number.";
        return TabRead::Broken;
    }
    if (*gradesys >= 0 && *gradesys <= 3)
        menGradesys_Click(menGradesys[*gradesys].visible ? *gradesys : 0);
    return TabRead::Read;
}

} // namespace tallisto
