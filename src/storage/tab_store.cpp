// SPDX-License-Identifier: GPL-3.0-or-later
// The tab store: one tab's marks moved between the mark lists and an INI file, in the layout
// shared by the working file and save files.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
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

// Opening checks a save file's count before its marks are read, so a count here is either
// checked or the working file's, which SaveRun writes: there a tab may hold more marks than a
// 16-bit count, which a save refuses to write but the tab must keep. Anything else is no marks.
int storedCount(const std::string& text) {
    const double count = std::nearbyint(numberValue(text)); // halves to even, as opening does
    return count >= 0 && count <= std::numeric_limits<int>::max() ? static_cast<int>(count) : 0;
}

// The three key names of one mark after another, built in one buffer: a tab of a thousand marks
// would otherwise build six thousand strings each time it is stored or read.
class MarkKeys {
public:
    void number(std::size_t j) { number_ = std::to_string(j); }
    const std::string& of(std::string_view name) {
        key_.assign(name).append(number_);
        return key_;
    }

private:
    std::string number_, key_;
};

} // namespace

void FrmGradeHelp::SaveRun() {
    if (saveTab < 0 || saveTab >= static_cast<int>(cmdTab.size())) return;
    const std::string section = tabSection(saveTab);
    writeIni(saveFile, "TabInfo", "NumTabs", numberText(tabCount));
    writeIni(saveFile, section, "Name", cmdTab[saveTab].caption);
    const std::size_t count = lstScore.list.size();
    writeIni(saveFile, section, "count", numberText(static_cast<double>(count)));
    MarkKeys keys;
    for (std::size_t j = 0; j < count; ++j) {
        keys.number(j);
        writeIni(saveFile, section, keys.of("yougot"), storedNumber(lstScore.list, j));
        writeIni(saveFile, section, keys.of("outof"), storedNumber(lstTotal.list, j));
        writeIni(saveFile, section, keys.of("weighting"), storedNumber(lstWeighting.list, j));
    }
    writeIni(saveFile, section, "gradesys", numberText(gradeSys));
}

void FrmGradeHelp::LoadRun() {
    replayMarks(readStoredMarks(loadFile, loadTab));
}

std::vector<FrmGradeHelp::StoredMark> FrmGradeHelp::readStoredMarks(const std::string& file,
                                                                    int tab, int most) {
    const std::string section = tabSection(tab);
    const int count = std::min(storedCount(readIni(file, section, "count")), most);
    std::vector<StoredMark> marks;
    marks.reserve(static_cast<std::size_t>(std::max(count, 0)));
    MarkKeys keys;
    for (int j = 0; j < count; ++j) {
        keys.number(static_cast<std::size_t>(j));
        StoredMark& mark = marks.emplace_back();
        mark.youGot = readIni(file, section, keys.of("yougot"));
        mark.outOf = readIni(file, section, keys.of("outof"));
        mark.weighting = readIni(file, section, keys.of("weighting"));
    }
    return marks;
}

// Each stored mark goes through the mark entry as its stored texts, so that every total is
// computed as if the marks had been typed again in their order.
void FrmGradeHelp::replayMarks(const std::vector<StoredMark>& marks) {
    const FlagHold loading(loadingMarks);
    storedWeighting.clear();
    {
        replayedTotals = {};
        const FlagHold replaying(replayedTotals.replaying);
        for (const StoredMark& mark : marks) {
            storedYouGot = mark.youGot;
            storedOutOf = mark.outOf;
            storedWeighting = mark.weighting;
            cmdEasyWork_Click();
        }
    }
    showReplayedTotals();
}

} // namespace tallisto
