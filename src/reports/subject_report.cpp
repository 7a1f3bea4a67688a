// SPDX-License-Identifier: GPL-3.0-or-later
// The report block of the current tab, taken from the window as it stands.
#include "app/frm_grade_help.h"
#include "shared/number_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tallisto {

namespace {

const std::string rule(50, '-');

void line(std::string& out, const std::string& text) {
    out += text;
    out += "\r\n";
}

std::string blanks(std::size_t count) {
    return std::string(count, ' ');
}

// The most a row of the marks takes: its blank runs, four numbers and its line end.
constexpr std::size_t rowRoom = 5 + 9 + 9 + 13 + 4 * longestNumberText + 2;
// What a block takes beside its rows, about: a few lines of a caption, labels and fixed text.
constexpr std::size_t blockRoom = 1024;
// A report set asks no more room ahead than this; a larger one grows as it is written.
constexpr std::size_t mostReportSetRoom = std::size_t{16} << 20;

// One entry of a row after its run of blanks, reported as the number it begins with, so that
// "12.50" reads 12.5 and text without a number reads 0. A list shorter than the score list reports
// 0 rather than reading past its end. Each run's size is known here: it is written without a call.
template <std::size_t Blanks> char* putEntry(char* at, const Control& list, std::size_t i) {
    std::memset(at, ' ', Blanks);
    at += Blanks;
    return at +
           writeNumberAsWritten(at, i < list.list.size() ? std::string_view(list.list[i]) : "0");
}

// One row of the marks, put together in place and added at once: a report set writes 43 000 rows.
void putRow(std::string& out, const Control* const (&lists)[4], std::size_t i) {
    char row[rowRoom];
    char* at = putEntry<5>(row, *lists[0], i);
    at = putEntry<9>(at, *lists[1], i);
    at = putEntry<9>(at, *lists[2], i);
    at = putEntry<13>(at, *lists[3], i);
    *at++ = '\r';
    *at++ = '\n';
    out.append(row, at);
}

} // namespace

// Given to the text at once, this spares a report set of 43 000 rows a copy of all it has written
// at each doubling of its size. A stored tab's "count" is the number of its real marks, which its
// block lists; a count that cannot be read asks for no room, and a huge one for the bound.
std::size_t FrmGradeHelp::reportSetRoom() {
    const std::string file = workingFile();
    double rows = 0;
    for (int i = 0; i < static_cast<int>(cmdTab.size()); ++i) {
        if (!cmdTab[i].visible) continue;
        rows += i == currentTab ? static_cast<double>(realMarkCount())
                                : std::max(0.0, numberValue(readIni(file, tabSection(i), "count")));
    }
    const double room = rows * rowRoom + static_cast<double>(cmdTab.size() * blockRoom);
    return static_cast<std::size_t>(std::min(room, static_cast<double>(mostReportSetRoom)));
}

void FrmGradeHelp::SubReport(std::string& out) {
    line(out, blanks(13) + "Results for " + cmdTab[currentTab].caption);
    line(out, "");
    line(out, rule);
    line(out, "  You Got  |  Out Of  |  Weighting  |  Percentage  ");
    // The blank runs are fixed, not padding: a long value pushes the rest of its line right.
    const Control* const lists[4] = {&lstScore, &lstTotal, &lstWeighting, &lstPercentage};
    for (std::size_t i = 0; i < lstScore.list.size(); ++i)
        putRow(out, lists, i);
    line(out, rule);
    line(out, "");
    line(out, rule);
    line(out, " Total Score | Total 'Out of' | Total Weighting%");
    // The totals are copied as shown, so the report says what the window said.
    line(out, blanks(7) + lblScoreTot.caption + blanks(12) + lblTotalTest.caption + blanks(16) +
                  lblWeightingTot.caption);
    line(out, rule);
    line(out, "");
    line(out, "Your overall percentage is " + lblShit.caption + ".");
    line(out, "This is a " + lblGrade.caption + " " + lblGradePer.caption + ", using " +
                  gradeSysName + " grading.");
    line(out, "");
    line(out, rule);
    line(out, "");
}

} // namespace tallisto
