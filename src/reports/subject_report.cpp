// SPDX-License-Identifier: GPL-3.0-or-later
// The report block of the current tab, taken from the window as it stands.
#include "app/frm_grade_help.h"
#include "shared/number_text.h"

#include <algorithm>
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

// One row of the marks: each entry after its run of blanks, reported as the number it begins
// with, so that "12.50" reads 12.5 and text without a number reads 0. A list shorter than the
// score list reports 0 rather than reading past its end. The row is put together in place and
// added at once: a report set writes 43 000 rows.
void putRow(std::string& out, const Control* const (&lists)[4], std::size_t i) {
    static constexpr std::size_t blankRuns[4] = {5, 9, 9, 13};
    char row[5 + 9 + 9 + 13 + 4 * longestNumberText + 2];
    char* at = row;
    for (std::size_t l = 0; l < 4; ++l) {
        const std::vector<std::string>& list = lists[l]->list;
        at = std::fill_n(at, blankRuns[l], ' ');
        at += writeNumberAsWritten(at, i < list.size() ? std::string_view(list[i]) : "0");
    }
    *at++ = '\r';
    *at++ = '\n';
    out.append(row, at);
}

} // namespace

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
