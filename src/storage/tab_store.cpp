// SPDX-License-Identifier: GPL-3.0-or-later
// The tab store: one tab's marks moved between the mark lists and an INI file, in the layout
// shared by the working file and save files. What-if marks have keys of their own after the
// tab's other keys ("whatifcount", "whatifyougot0", ...), so that "count" and the keys of the
// marks hold the real marks alone, and a tab without what-if marks is stored as it always was.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <algorithm>
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
    const std::size_t count = realMarkCount();
    const auto writeMarks = [&](const std::string& prefix, std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            const std::string n = std::to_string(j - from);
            writeIni(saveFile, section, prefix + "yougot" + n, storedNumber(lstScore.list, j));
            writeIni(saveFile, section, prefix + "outof" + n, storedNumber(lstTotal.list, j));
            writeIni(saveFile, section, prefix + "weighting" + n,
                     storedNumber(lstWeighting.list, j));
        }
    };
    writeIni(saveFile, section, "count", numberText(static_cast<double>(count)));
    writeMarks("", 0, count);
    writeIni(saveFile, section, "gradesys", numberText(gradeSys));
    // A section that held what-if marks before is told that it holds none now.
    const std::size_t whatIfs = lstScore.list.size() - count;
    if (whatIfs == 0 && readIni(saveFile, section, "whatifcount") == "0") return;
    writeIni(saveFile, section, "whatifcount", numberText(static_cast<double>(whatIfs)));
    writeMarks("whatif", count, lstScore.list.size());
}

void FrmGradeHelp::LoadRun() {
    replayMarks(readStoredMarks(loadFile, loadTab));
}

std::vector<FrmGradeHelp::StoredMark> FrmGradeHelp::readStoredMarks(const std::string& file,
                                                                    int tab) {
    const std::string section = tabSection(tab);
    const int count = storedCount(readIni(file, section, "count"));
    const int whatIfs = storedCount(readIni(file, section, "whatifcount"));
    std::vector<StoredMark> marks;
    marks.reserve(static_cast<std::size_t>(std::max(count, 0) + std::max(whatIfs, 0)));
    const auto readMarks = [&](const std::string& prefix, int marksOfKind, MarkKind kind) {
        for (int j = 0; j < marksOfKind; ++j) {
            const std::string n = std::to_string(j);
            marks.push_back({readIni(file, section, prefix + "yougot" + n),
                             readIni(file, section, prefix + "outof" + n),
                             readIni(file, section, prefix + "weighting" + n), kind});
        }
    };
    readMarks("", count, MarkKind::Real);
    readMarks("whatif", whatIfs, MarkKind::WhatIf);
    return marks;
}

// Each stored mark goes through the mark entry as its stored texts, so that every total is
// computed as if the marks had been typed again in their order: the real marks, then the what-if
// marks.
void FrmGradeHelp::replayMarks(const std::vector<StoredMark>& marks) {
    const FlagHold loading(loadingMarks);
    storedWeighting.clear();
    const auto replay = [this](const StoredMark& mark) {
        storedYouGot = mark.youGot;
        storedOutOf = mark.outOf;
        storedWeighting = mark.weighting;
        cmdEasyWork_Click();
    };
    const auto firstWhatIf = std::find_if(
        marks.begin(), marks.end(), [](const StoredMark& m) { return m.kind == MarkKind::WhatIf; });
    std::for_each(marks.begin(), firstWhatIf, replay);
    const FlagHold whatIf(enteringWhatIf);
    std::for_each(firstWhatIf, marks.end(), replay);
}

} // namespace tallisto
