// SPDX-License-Identifier: GPL-3.0-or-later
// Reports: the block of one subject byte for byte, and "Save Subject Report" and "Save Report
// Set" with their file dialog, overwrite question, offer to open and failures.
#include "support/sample_ranges.h"

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
    TestProgram t(sampleRanges());
    t.start();
    EXPECT_EQ(blockOfTab(t), head + totals +
                                 crlf({"       0            0                0%", rule, "",
                                       "Your overall percentage is 0%.",
                                       "This is a --- , using Simple grading.", "", rule, ""}));

    t.enterMark("8", "10", "50");
    t.enterMark("15", "20", "25");
    t.enterMark("5", "0", "25");
    t.enterMark("1", "1", "0");
    const std::string caption = t.form().frmGradeHelp.caption;
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
    EXPECT_EQ(t.form().frmGradeHelp.caption, caption) << "the report changes nothing it shows";
}

using Command = void (FrmGradeHelp::*)();

// Each command starts with a fresh record of the dialogs shown.
void report(TestProgram& t, Command command) {
    t.dialogs.shown.clear();
    t.run([&](FrmGradeHelp& f) { (f.*command)(); });
}

TEST(SubjectReportCommand, AsksBeforeOverwritingThenWritesTheFileAndOffersTheEditor) {
    TestProgram t(sampleRanges());
    t.start();
    t.program->facts.exeName = "Marks";
    t.program->facts.version = {3, 7, 9};
    t.dialogs.type("Français");
    t.run([](FrmGradeHelp& f) { f.menRename_Click(); });
    t.enterMark("8", "10", "50");
    t.write("old.txt", "keep me");
    // No extension is added, and blanks, quotes and accents reach the editor untouched.
    const std::string path = t.file("my \"best\" report élève");
    t.dialogs.choose(t.file("old.txt"));
    t.dialogs.press(Answer::Cancel); // not overwritten: the dialog shows again
    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK); // open it
    report(t, &FrmGradeHelp::menSaveReport_Click);

    const auto& shown = t.dialogs.shown;
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].kind + " " + shown[0].prompt, "save Text File (*.txt)|*.txt");
    EXPECT_EQ(shown[1].title + ": " + shown[1].prompt,
              "Overwrite File?: This file already exists. Are you sure you want to overwrite "
              "this file?");
    EXPECT_EQ(shown[3].title + ": " + shown[3].prompt,
              "Open?: Do you wish to open the report file now?");
    EXPECT_EQ(shown[4].kind + " " + shown[4].prompt, "editor " + path);
    EXPECT_EQ(t.read("old.txt"), "keep me");
    // Written in the Windows code page that the Windows version reads.
    std::string expected = blockOfTab(t) + "Report made by Marks Version 3.7.\r\n";
    expected.replace(expected.find("ç"), 2, "\xE7");
    EXPECT_EQ(bytesOf(path), expected);

    // Where no program can be started to show it, the user learns that it was saved, and where.
    t.dialogs.editorStarts = false;
    t.dialogs.choose(path);
    for (int i = 0; i < 3; ++i)
        t.dialogs.press(Answer::OK); // overwrite, open, the news
    report(t, &FrmGradeHelp::menSaveReport_Click);
    EXPECT_EQ(t.dialogs.last(), describe({"msgbox", "Tallisto",
                                          "The report was saved as " + path +
                                              ".\n\nNo program could be started to open it."}));
}

TEST(ReportSet, HasOneBlockPerShownTabInStripOrderThenReturnsToTheUsersTab) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    for (int i = 0; i < 3; ++i)
        t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
    t.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    t.enterMark("1", "2", "10");
    t.run([](FrmGradeHelp& f) { f.cmdTab_Click(3); });
    t.enterMark("3", "4", "20");
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(1); });
    t.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    t.run([](FrmGradeHelp& f) { f.menDelete_Click(); });
    t.run([](FrmGradeHelp& f) { f.cmdTab_Click(0); });

    t.dialogs.choose(t.file("all.txt"));
    t.dialogs.press(Answer::OK);
    report(t, &FrmGradeHelp::menReportSet_Click);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    // The deleted tab has no block, the empty one has, and each has its own grading system.
    std::string expected = blockOfTab(t, 0);
    expected += blockOfTab(t, 2);
    expected += blockOfTab(t, 3);
    EXPECT_EQ(t.read("all.txt"), expected + "Report made by tallisto Version 2.2.\r\n");
}

TEST(ReportFailures, AreToldWithTheFileAndTheReasonAndKeepTheOldFile) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
    t.write("old.txt", "keep me");
    t.program->writeFile = [](const std::filesystem::path&, std::string_view) {
        return IoResult::failure("No space left on device");
    };
    for (Command command :
         {&FrmGradeHelp::menSaveReport_Click, &FrmGradeHelp::menReportSet_Click}) {
        t.dialogs.choose(t.file("old.txt"));
        t.dialogs.press(Answer::OK); // overwrite
        t.dialogs.press(Answer::OK); // the failure
        report(t, command);
        ASSERT_EQ(t.dialogs.shown.size(), 3u) << "no offer to open";
        const std::string& told = t.dialogs.shown[2].prompt;
        EXPECT_NE(told.find(t.file("old.txt")), std::string::npos) << told;
        EXPECT_NE(told.find("No space left on device"), std::string::npos) << told;
        EXPECT_EQ(t.read("old.txt"), "keep me");
        EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    }
}

} // namespace
} // namespace tallisto::testing
