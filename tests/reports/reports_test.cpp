// SPDX-License-Identifier: GPL-3.0-or-later
// Reports and the CSV export: the block of one subject byte for byte, the CSV rows, and the
// commands that write them to a file the user names, with their dialogs, refusals and failures.
#include "reports/csv_export.h"
#include "support/sample_ranges.h"
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

// A tab's report block as the report commands gather it; -1 stands for the current tab.
std::string blockOfTab(TestProgram& t, int tab = -1) {
    std::string block;
    t.run([&](FrmGradeHelp& f) {
        if (tab >= 0) f.cmdTab_Click(tab);
        f.GradeSysUsed();
        f.SubReport(block);
    });
    return block;
}

TEST(SubjectReport, EmptyTabAndWorkedExampleAreWrittenByteForByte) {
    const std::string rule(50, '-');
    const std::string head = crlf({"             Results for Tab 1", "", rule,
                                   "  You Got  |  Out Of  |  Weighting  |  Percentage  "});
    const std::string totals =
        crlf({rule, "", rule, " Total Score | Total 'Out of' | Total Weighting%"});
    StartedProgram t(sampleRanges());
    EXPECT_EQ(blockOfTab(t), head + totals +
                                 crlf({"       0            0                0%", rule, "",
                                       "Your overall percentage is 0%.",
                                       "This is a --- , using Simple grading.", "", rule, ""}));

    for (const Mark& m :
         {Mark{"8", "10", "50"}, {"15", "20", "25"}, {"5", "0", "25"}, {"1", "1", "0"}})
        t.enterMark(m.score, m.outOf, m.weighting);
    EXPECT_EQ(blockOfTab(t),
              head +
                  crlf({"     8         10         50             40",
                        "     15         20         25             18.75",
                        "     5         0         25             0",
                        "     1         1         0             0"}) +
                  totals +
                  crlf({"       24            31                100%", rule, "",
                        "Your overall percentage is 58.75%.",
                        "This is a D (>50% <65%), using Simple grading.", "", rule, ""}));
}

// One row per mark of every subject, with its number, score, out of, weighting and kind; a field
// is quoted only where a comma, a quote or a line break would break the row, never for blanks,
// an empty text or letters beyond ASCII.
TEST(Csv, HasOneRowPerMarkQuotingOnlyTheFieldsThatWouldBreakIt) {
    const std::vector<MarkRow> maths = {
        {"8", "10", "50"}, {"5", "0", "25"}, {"017.50", "20", "x", MarkKind::WhatIf}};
    std::vector<SubjectMarks> subjects = {{0, "Maths", maths, 0}, {1, "Empty", {}, {}}};
    for (const char* name : {"Bio, adv", "say \"hi\"", " Art ", "", "a\nb", "a\r\nb",
                             "Fran\xC3\xA7\x61is \xE6\x95\xB0"})
        subjects.push_back({static_cast<int>(subjects.size()), name, {{"1", "3", "33.33"}}, 1});
    const std::string rest = ",1,1,3,33.33,11.11,real";
    EXPECT_EQ(
        marksCsv(subjects),
        crlf({"Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind",
              "Maths,1,8,10,50,40,real", "Maths,2,5,0,25,0,real", "Maths,3,17.5,20,0,0,whatif",
              "\"Bio, adv\"" + rest, "\"say \"\"hi\"\"\"" + rest, " Art " + rest, rest,
              "\"a\nb\"" + rest, "\"a\r\nb\"" + rest, "Fran\xC3\xA7\x61is \xE6\x95\xB0" + rest}));
}

// Every dialog shown so far, each as one line.
std::vector<std::string> dialogsShown(const TestProgram& t) {
    std::vector<std::string> lines;
    for (const ScriptDialogs::Shown& shown : t.dialogs.shown)
        lines.push_back(describe(shown));
    return lines;
}

// The commands that write a file the user names. The dialog shows until the user takes a file
// that is not one of the program's own and, where a file is there already, agrees to replace it;
// a failure is told with the file and the reason and keeps the file that was there. Nothing the
// window shows or the working file holds changes, and the reports' dialog keeps its title when
// the export has shown its own.
TEST(FileCommands, KeepOffTheProgramsOwnFilesAskBeforeReplacingAndTellAFailure) {
    StartedProgram t(sampleRanges(), "",
                     refusingWriter([](const auto& path) { return path.filename() == "old.txt"; },
                                    "No space left on device"));
    t.enterMark("8", "10", "50");
    addTabs(t);
    clickTab(t, 1);
    t.enterMark("1", "3", "10");
    clickTab(t, 0);
    t.write("old.txt", "keep me");
    const std::string settings = t.read("settings.ini"), old = t.file("old.txt");
    const std::string before = workState(t);
    const std::string report = R"(save "" "Text File (*.txt)|*.txt")";
    const std::string overwrite = R"(msgbox "Overwrite File?" "This file already exists. Are )"
                                  R"(you sure you want to overwrite this file?" OKCancel)";
    const auto told = [](const std::string& text) {
        return describe({"msgbox", "Tallisto", text});
    };
    const std::tuple<Command, std::string, std::string, std::string> rows[] = {
        {&FrmGradeHelp::menExportCsv_Click,
         R"(save "Export Marks as CSV..." "CSV file (*.csv)|*.csv")",
         "so the marks cannot be exported there", "The marks could not be exported to "},
        {&FrmGradeHelp::menSaveReport_Click, report, "so the report cannot be saved there",
         "The report could not be saved as "},
        {&FrmGradeHelp::menReportSet_Click, report, "so the report cannot be saved there",
         "The report could not be saved as "},
    };
    for (const auto& [command, dialog, refused, failed] : rows) {
        SCOPED_TRACE(dialog);
        t.dialogs.shown.clear();
        t.dialogs.choose(t.file("settings.ini"));
        t.dialogs.press(Answer::OK);
        t.dialogs.choose(old);
        t.dialogs.press(Answer::Cancel); // not replaced: the dialog shows again
        t.dialogs.cancel();
        t.run(command);
        t.dialogs.choose(old);
        t.dialogs.press(Answer::OK); // replaced
        t.dialogs.press(Answer::OK); // told of the failure
        t.run(command);
        EXPECT_EQ(dialogsShown(t), (std::vector<std::string>{
                                       dialog,
                                       told("Tallisto keeps its own settings and working data in " +
                                            t.file("settings.ini") + ", " + refused +
                                            ". Please choose another name."),
                                       dialog, overwrite, dialog, dialog, overwrite,
                                       told(failed + old + ".\n\nNo space left on device")}));
        EXPECT_EQ(t.read("old.txt") + t.read("settings.ini"), "keep me" + settings);
        EXPECT_EQ(workState(t), before);
    }
}

// The export takes a tab left from the working file, and the current one as the window shows
// it, unsaved.
TEST(ExportCommand, WritesTheMarksOfEveryTabInStripOrder) {
    StartedProgram t(sampleRanges());
    t.enterMark("1", "3", "10");
    addTabs(t);
    clickTab(t, 1);
    fillTab(t, "Art, \"D\"", {{"8", "10", "50"}, {"15", "20", "25"}}, 1);
    const std::string path = t.file("marks \"2024\".csv");
    t.dialogs.choose(path);
    t.run(&FrmGradeHelp::menExportCsv_Click);
    EXPECT_EQ(bytesOf(path),
              crlf({"Subject,Mark,Score,Out of,Weighting,Score out of weighting,Kind",
                    "Tab 1,1,1,3,10,3.33,real", "\"Art, \"\"D\"\"\",1,8,10,50,40,real",
                    "\"Art, \"\"D\"\"\",2,15,20,25,18.75,real"}));
}

TEST(SubjectReportCommand, WritesTheBlockInTheWindowsCodePageAndOffersToShowIt) {
    StartedProgram t(sampleRanges());
    t.program->facts.exeName = "Marks";
    t.program->facts.version = {3, 7, 9};
    rename(t, "Français");
    t.enterMark("8", "10", "50");
    // No extension is added.
    const std::string path = t.file("my \"best\" report élève");
    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK); // show it
    t.run(&FrmGradeHelp::menSaveReport_Click);
    EXPECT_EQ(t.dialogs.last(), describe({"editor", "", path}));
    // Written in the Windows code page that the Windows version reads.
    std::string expected = blockOfTab(t) + "Report made by Marks Version 3.7.\r\n";
    expected.replace(expected.find("ç"), 2, "\xE7");
    EXPECT_EQ(bytesOf(path), expected);

    // Where no program can be started to show it, the user learns that it was saved, and where.
    t.dialogs.editorStarts = false;
    t.dialogs.choose(path);
    for (int i = 0; i < 3; ++i)
        t.dialogs.press(Answer::OK); // replace it, show it, the news
    t.run(&FrmGradeHelp::menSaveReport_Click);
    EXPECT_EQ(t.dialogs.last(), describe({"msgbox", "Tallisto",
                                          "The report was saved as " + path +
                                              ".\n\nNo program could be started to open it."}));
}

// A report set has one block per shown tab in strip order: none for the deleted tab, one for the
// empty tab, each with its own grading system. Reports list what the student received: a tab's
// block is the block of the same tab without its what-if marks, totals, percentage and grade
// included. Neither command changes the window or the working file.
TEST(ReportSet, HasOneBlockPerShownTabEachWithoutItsWhatIfMarks) {
    StartedProgram t(sampleRanges());
    fillTab(t, "Maths", {{"8", "10", "50"}, {"3", "4", "10"}}, 1);
    enterWhatIf(t, "19", "20", "30");
    addTabs(t, 3);
    clickTab(t, 1);
    t.enterMark("1", "2", "10");
    deleteTab(t);
    clickTab(t, 3);
    enterWhatIf(t, "1", "2", "10"); // what-if marks alone
    chooseGradeSys(t, 3);
    clickTab(t, 0);
    const auto report = [&t](Command command, const std::string& name) {
        t.dialogs.choose(t.file(name));
        t.dialogs.press(Answer::Cancel); // not shown
        const std::string before = workState(t);
        t.run(command);
        EXPECT_EQ(workState(t), before) << name;
        return t.read(name);
    };
    const std::string subject = report(&FrmGradeHelp::menSaveReport_Click, "subject.txt");
    const std::string set = report(&FrmGradeHelp::menReportSet_Click, "set.txt");
    EXPECT_NE(subject.find("Your overall percentage is 79.17%."), std::string::npos) << subject;
    for (int tab : {3, 0}) {
        clickTab(t, tab);
        t.run(&FrmGradeHelp::menClearWhatIf_Click);
    }
    const std::string closing = "Report made by tallisto Version 2.2.\r\n";
    EXPECT_EQ(subject, blockOfTab(t) + closing);
    std::string blocks;
    for (int tab : {0, 2, 3})
        blocks += blockOfTab(t, tab);
    EXPECT_EQ(set, blocks + closing);
}

} // namespace
} // namespace tallisto::testing
