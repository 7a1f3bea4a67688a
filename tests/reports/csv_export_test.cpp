// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV export: fields quoted as RFC 4180 asks, one row per mark of every subject in tab and
// entry order, and the command with its dialog, refusals and failures.
#include "reports/csv_export.h"
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

TEST(Csv, FieldsAreQuotedOnlyWhereACommaQuoteOrLineBreakWouldBreakTheRow) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"plain", "Maths", "Maths"},
        {"empty", "", ""},
        {"blanks stay as they are", " Art ", " Art "},
        {"comma", "Maths, adv", "\"Maths, adv\""},
        {"quotes doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line feed", "a\nb", "\"a\nb\""},
        {"carriage return and line feed", "a\r\nb", "\"a\r\nb\""},
        {"letters of any script as UTF-8", "Fran\xC3\xA7\x61is \xE6\x95\xB0",
         "Fran\xC3\xA7\x61is \xE6\x95\xB0"},
    };
    for (const auto& [name, text, field] : cases)
        EXPECT_EQ(csvField(text), field) << name;
}

TEST(Csv, HasOneRowPerMarkWithItsNumberItsScoreOutOfWeightingAndItsKind) {
    const std::vector<SubjectMarks> subjects = {
        {0,
         "Maths",
         {{"8", "10", "50"}, {"5", "0", "25"}, {"017.50", "20", "x", MarkKind::WhatIf}},
         0},
        {2, "Empty", {}, std::nullopt},
        {5, "Bio, \"B\"", {{"1", "3", "33.33"}}, 1},
    };
    EXPECT_EQ(marksCsv(subjects),
              crlf({
                  "Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind",
                  "Maths,1,8,10,50,40,real",
                  "Maths,2,5,0,25,0,real",
                  "Maths,3,17.5,20,0,0,whatif",
                  "\"Bio, \"\"B\"\"\",1,1,3,33.33,11.11,real",
              }));
}

TEST(ExportCommand, AsksForAFileKeepsOffTheProgramsOwnAndAsksBeforeReplacing) {
    StartedProgram t(sampleRanges());
    t.enterMark("1", "3", "10");
    addTabs(t);
    clickTab(t, 1);
    fillTab(t, "Art, \"D\"", {{"8", "10", "50"}, {"15", "20", "25"}}, 1);
    t.write("old.csv", "keep me");
    const std::string path = t.file("marks \"2024\".csv");
    for (const char* own : {"settings.ini", "graderanges.txt", "temp.tmp"}) {
        t.dialogs.choose(t.file(own));
        t.dialogs.press(Answer::OK);
    }
    t.dialogs.choose(t.file("old.csv"));
    t.dialogs.press(Answer::Cancel); // not overwritten: the dialog shows again
    t.dialogs.choose(path);
    t.dialogs.shown.clear();
    const std::string before = windowState(t.form());
    t.run([](FrmGradeHelp& f) { f.menExportCsv_Click(); });

    const auto& shown = t.dialogs.shown;
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(describe(shown[0]),
              describe({"save", "Export Marks as CSV...", "CSV file (*.csv)|*.csv"}));
    EXPECT_EQ(shown[1].prompt, "Tallisto keeps its own settings and working data in " +
                                   t.file("settings.ini") +
                                   ", so the marks cannot be exported there. Please choose "
                                   "another name.");
    EXPECT_EQ(shown[7].title, "Overwrite File?");
    EXPECT_EQ(t.read("old.csv"), "keep me");
    for (const char* own : {"settings.ini", "graderanges.txt", "temp.tmp"})
        EXPECT_EQ(t.read(own).find("Subject,"), std::string::npos) << own;
    // The first tab from the working file, the current one as the window shows it, unsaved.
    EXPECT_EQ(bytesOf(path),
              crlf({"Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind",
                    "Tab 1,1,1,3,10,3.33,real", "\"Art, \"\"D\"\"\",1,8,10,50,40,real",
                    "\"Art, \"\"D\"\"\",2,15,20,25,18.75,real"}));
    EXPECT_EQ(windowState(t.form()), before) << "the export changes nothing it shows";
    EXPECT_EQ(t.form().CommonDialog.DialogTitle, "") << "the reports' title stays as it was";

    // Cancelled: nothing written, nothing said.
    t.dialogs.cancel();
    t.dialogs.shown.clear();
    t.run([](FrmGradeHelp& f) { f.menExportCsv_Click(); });
    EXPECT_EQ(t.dialogs.shown.size(), 1u);
}

TEST(ExportCommand, AFailureIsToldWithTheFileAndTheReasonAndKeepsTheOldFile) {
    StartedProgram t(sampleRanges());
    t.enterMark("8", "10", "50");
    t.write("old.csv", "keep me");
    t.program->writeFile = [](const std::filesystem::path&, std::string_view) {
        return IoResult::failure("No space left on device");
    };
    t.dialogs.choose(t.file("old.csv"));
    t.dialogs.press(Answer::OK); // overwrite
    t.dialogs.press(Answer::OK); // the failure
    t.run([](FrmGradeHelp& f) { f.menExportCsv_Click(); });
    EXPECT_EQ(t.dialogs.last(), describe({"msgbox", "Tallisto",
                                          "The marks could not be exported to " +
                                              t.file("old.csv") + ".\n\nNo space left on device"}));
    EXPECT_EQ(t.read("old.csv"), "keep me");
}

} // namespace
} // namespace tallisto::testing
