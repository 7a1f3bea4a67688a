// SPDX-License-Identifier: GPL-3.0-or-later
// "Export Marks as CSV": every subject's marks in a file the user chooses.
#include "reports/csv_export.h"

#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/number_text.h"

namespace tallisto {

namespace {

// A field, then a number as the tab store writes it: the number the entry begins with, 0 for
// none. Each line is appended in place: an export writes 43 000 of them.
void putNumber(std::string& csv, const std::string& entry) {
    csv += ',';
    appendNumberAsWritten(csv, entry);
}

const char* kindText(MarkKind kind) {
    return kind == MarkKind::WhatIf ? "whatif" : "real";
}

} // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string marksCsv(const std::vector<SubjectMarks>& subjects) {
    std::string csv = "Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind\r\n";
    for (const SubjectMarks& subject : subjects) {
        const std::string name = csvField(subject.name);
        MarkTotals totals;
        int n = 0;
        for (const MarkRow& mark : subject.marks) {
            csv.append(name).append(1, ',').append(std::to_string(++n));
            putNumber(csv, mark.score);
            putNumber(csv, mark.outOf);
            putNumber(csv, mark.weighting);
            csv.append(1, ',').append(totals.add(mark));
            csv.append(1, ',').append(kindText(mark.kind)).append("\r\n");
        }
    }
    return csv;
}

// The save dialog until the user takes a file that may be written, or cancels. The export has a
// title of its own; the title the report commands find stays as the other commands left it.
bool FrmGradeHelp::chooseCsvFile(std::string& path) {
    const std::string sharedTitle = CommonDialog.DialogTitle;
    for (;;) {
        CommonDialog.CancelError = true;
        CommonDialog.FileName.clear();
        CommonDialog.Filter = "CSV file (*.csv)|*.csv";
        CommonDialog.DialogTitle = "Export Marks as CSV...";
        const bool chosen = showCommonDialog(FileDialogKind::Save);
        CommonDialog.DialogTitle = sharedTitle;
        if (!chosen) return false;
        path = CommonDialog.FileName;
        if (isProgramsOwnFile(path)) {
            MsgBox("Tallisto keeps its own settings and working data in " + path +
                   ", so the marks cannot be exported there. Please choose another name.");
            continue;
        }
        if (!fileExists(path) ||
            MsgBox("This file already exists. Are you sure you want to overwrite this file?",
                   Buttons::OKCancel, "Overwrite File?") == Answer::OK)
            return true;
    }
}

void FrmGradeHelp::menExportCsv_Click() {
    std::string path;
    const bool chosen = chooseCsvFile(path);
    giveFocusToEasyWork();
    if (!chosen) return;
    std::vector<SubjectMarks> subjects;
    {
        const StampHold hold(program_.ini);
        for (const int tab : shownTabs())
            subjects.push_back(subjectMarks(tab));
    }
    // Whole or not at all: a failure leaves a file that was there as it was.
    const IoResult written = program_.writeFile(path, marksCsv(subjects));
    if (!written) MsgBox("The marks could not be exported to " + path + ".\n\n" + written.reason);
}

} // namespace tallisto
