// SPDX-License-Identifier: GPL-3.0-or-later
// The report block of the current tab, taken from the window as it stands.
#include "app/frm_grade_help.h"
#include "shared/number_text.h"

#include <string>

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

// An entry is reported as the number it begins with, so "12.50" reads 12.5 and text without a
// number reads 0. A list shorter than the score list reports 0 rather than reading past its end.
// It is appended after `blanks` blanks in place: a report set writes 43 000 such lines.
void putEntry(std::string& out, std::size_t blanks, const Control& list, std::size_t i) {
    out.append(blanks, ' ');
    if (i < list.list.size())
        appendNumberAsWritten(out, list.list[i]);
    else
        out += '0';
}

} // namespace

void FrmGradeHelp::SubReport(std::string& out) {
    line(out, blanks(13) + "Results for " + cmdTab[currentTab].caption);
    line(out, "");
    line(out, rule);
    line(out, "  You Got  |  Out Of  |  Weighting  |  Percentage  ");
    // The blank runs are fixed, not padding: a long value pushes the rest of its line right.
    for (std::size_t i = 0; i < lstScore.list.size(); ++i) {
        putEntry(out, 5, lstScore, i);
        putEntry(out, 9, lstTotal, i);
        putEntry(out, 9, lstWeighting, i);
        putEntry(out, 13, lstPercentage, i);
        out += "\r\n";
    }
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
