// The tab store: one tab's marks moved between the mark lists and an INI file, in the layout
// shared by the working file and save files.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <string>
#include <vector>

namespace tallisto {

namespace {

std::string tabSection(int index) {
    return "Tab " + std::to_string(index);
}

// A mark is stored as the number its list entry begins with, so that a stored file holds numbers
// only; an entry a list is missing counts as 0.
std::string storedNumber(const std::vector<std::string>& list, std::size_t j) {
    return numberText(j < list.size() ? numberValue(list[j]) : 0);
}

// Only SaveRun writes "count", but a save file may have been edited by hand: a count that is no
// 16-bit integer counts as no marks rather than as an error.
int storedCount(const std::string& text) {
    const auto count = toInt16(numberValue(text));
    return count ? *count : 0;
}

} // namespace

void FrmGradeHelp::SaveRun() {
    if (saveTab < 0 || saveTab >= static_cast<int>(cmdTab.size())) return;
    const std::string section = tabSection(saveTab);
    writeIni(saveFile, "TabInfo", "NumTabs", numberText(tabCount));
    writeIni(saveFile, section, "Name", cmdTab[saveTab].caption);
    const std::size_t count = lstScore.list.size();
    writeIni(saveFile, section, "count", numberText(static_cast<double>(count)));
    for (std::size_t j = 0; j < count; ++j) {
        const std::string n = std::to_string(j);
        writeIni(saveFile, section, "yougot" + n, storedNumber(lstScore.list, j));
        writeIni(saveFile, section, "outof" + n, storedNumber(lstTotal.list, j));
        writeIni(saveFile, section, "weighting" + n, storedNumber(lstWeighting.list, j));
    }
    writeIni(saveFile, section, "gradesys", numberText(gradeSys));
}

void FrmGradeHelp::LoadRun() {
    loadingMarks = true;
    const std::string section = tabSection(loadTab);
    const int count = storedCount(readIni(loadFile, section, "count"));
    storedWeighting.clear();
    for (int j = 0; j < count; ++j) {
        const std::string n = std::to_string(j);
        storedYouGot = readIni(loadFile, section, "yougot" + n);
        storedOutOf = readIni(loadFile, section, "outof" + n);
        storedWeighting = readIni(loadFile, section, "weighting" + n);
        cmdEasyWork_Click();
    }
    loadingMarks = false;
}

} // namespace tallisto
