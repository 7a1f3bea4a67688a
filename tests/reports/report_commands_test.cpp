// "Save Subject Report" and "Save Report Set": the file dialog, the overwrite question, the
// report file, the offer to open it, and what the user is told when it cannot be written.
#include "support/sample_ranges.h"

#include <filesystem>

namespace tallisto::testing {
namespace {

const char* const reportFilter = "Text File (*.txt)|*.txt";

// Each command starts with a fresh record of the dialogs shown.
void saveSubjectReport(TestProgram& t) {
    t.dialogs.shown.clear();
    t.run([](FrmGradeHelp& f) { f.menSaveReport_Click(); });
}
void saveReportSet(TestProgram& t) {
    t.dialogs.shown.clear();
    t.run([](FrmGradeHelp& f) { f.menReportSet_Click(); });
}

std::string blockOfCurrentTab(TestProgram& t) {
    std::string block;
    t.run([&](FrmGradeHelp& f) {
        f.GradeSysUsed();
        f.SubReport(block);
    });
    return block;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(SubjectReportCommand, WritesTheBlockAndClosingLineThenOffersTheEditor) {
    TestProgram t(sampleRanges());
    t.start();
    t.program->facts.exeName = "Marks";
    t.program->facts.version = {3, 7, 9};
    t.enterMark("8", "10", "50");
    const std::string path = t.file("maths.txt");

    t.form().focus = "lstScore";
    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK);
    saveSubjectReport(t);

    EXPECT_EQ(t.read("maths.txt"), blockOfCurrentTab(t) + "Report made by Marks Version 3.7.\r\n");
    ASSERT_EQ(t.dialogs.shown.size(), 3u);
    EXPECT_EQ(t.dialogs.shown[0].kind, "save");
    EXPECT_EQ(t.dialogs.shown[0].title, "") << "no command has titled the dialog yet";
    EXPECT_EQ(t.dialogs.shown[0].prompt, reportFilter);
    EXPECT_EQ(t.dialogs.shown[1].title, "Open?");
    EXPECT_EQ(t.dialogs.shown[1].prompt, "Do you wish to open the report file now?");
    EXPECT_EQ(t.dialogs.shown[1].buttons, Buttons::OKCancel);
    EXPECT_EQ(t.dialogs.shown[2].kind, "editor");
    EXPECT_EQ(t.dialogs.shown[2].prompt, path);
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
    EXPECT_TRUE(t.form().CommonDialog.CancelError);

    // The dialog keeps the title another file command gave it; declining to open ends quietly.
    t.form().CommonDialog.DialogTitle = "Save file...";
    t.form().CommonDialog.Filter = "Tallisto File (*.tly)|*.tly";
    t.dialogs.choose(t.file("second.txt"));
    t.dialogs.press(Answer::Cancel);
    saveSubjectReport(t);
    ASSERT_EQ(t.dialogs.shown.size(), 2u);
    EXPECT_EQ(t.dialogs.shown[0].title, "Save file...");
    EXPECT_EQ(t.dialogs.shown[0].prompt, reportFilter);
    EXPECT_TRUE(t.exists("second.txt"));

    // Cancelling the dialog writes nothing and asks nothing more.
    t.dialogs.cancel();
    saveSubjectReport(t);
    EXPECT_EQ(t.dialogs.shown.size(), 1u);
}

TEST(SubjectReportCommand, DecliningToOverwriteShowsTheDialogAgain) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.write("old.txt", "keep me");
    const std::string old = t.file("old.txt");
    const std::string overwrite =
        "This file already exists. Are you sure you want to overwrite this file?";

    // Cancel, then cancel the dialog shown anew: the file stays as it was.
    t.dialogs.choose(old);
    t.dialogs.press(Answer::Cancel);
    t.dialogs.cancel();
    saveSubjectReport(t);
    ASSERT_EQ(t.dialogs.shown.size(), 3u);
    EXPECT_EQ(t.dialogs.shown[1].title, "Overwrite File?");
    EXPECT_EQ(t.dialogs.shown[1].prompt, overwrite);
    EXPECT_EQ(t.dialogs.shown[1].buttons, Buttons::OKCancel);
    EXPECT_EQ(t.dialogs.shown[2].kind, "save");
    EXPECT_EQ(t.read("old.txt"), "keep me");

    // Cancel, choose it again, OK: the whole content is replaced.
    t.dialogs.choose(old);
    t.dialogs.press(Answer::Cancel);
    t.dialogs.choose(old);
    t.dialogs.press(Answer::OK);
    t.dialogs.press(Answer::Cancel);
    saveSubjectReport(t);
    ASSERT_EQ(t.dialogs.shown.size(), 5u);
    EXPECT_EQ(t.dialogs.shown[3].prompt, overwrite);
    EXPECT_EQ(t.dialogs.shown[4].title, "Open?");
    const std::string report = t.read("old.txt");
    EXPECT_EQ(report.rfind("             Results for Tab 1\r\n", 0), 0u);
    EXPECT_EQ(report.find("keep me"), std::string::npos);
}

TEST(ReportSet, OneBlockPerShownTabInStripOrderThenBackToTheTabTheUserWasOn) {
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
    ASSERT_EQ(t.form().currentTab, 0);
    ASSERT_FALSE(t.form().cmdTab[1].visible);

    const std::string path = t.file("all.txt");
    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK);
    saveReportSet(t);

    const std::string report = t.read("all.txt");
    const auto tab1 = report.find("Results for Tab 1\r\n");
    const auto tab3 = report.find("Results for Tab 3\r\n");
    const auto tab4 = report.find("Results for Tab 4\r\n");
    ASSERT_NE(tab1, std::string::npos);
    ASSERT_NE(tab3, std::string::npos);
    ASSERT_NE(tab4, std::string::npos);
    EXPECT_LT(tab1, tab3);
    EXPECT_LT(tab3, tab4);
    EXPECT_EQ(occurrences(report, "Results for"), 3u) << "the deleted tab has no block";

    const std::string block1 = report.substr(tab1, tab3 - tab1);
    const std::string block3 = report.substr(tab3, tab4 - tab3);
    const std::string block4 = report.substr(tab4);
    EXPECT_NE(block1.find("     8         10         50             40\r\n"), std::string::npos);
    EXPECT_NE(block1.find("using Simple grading."), std::string::npos);
    const std::string rule(50, '-');
    EXPECT_NE(block3.find("Percentage  \r\n" + rule + "\r\n"), std::string::npos)
        << "an empty tab still gives its block";
    EXPECT_NE(block4.find("     3         4         20             15\r\n"), std::string::npos);
    EXPECT_NE(block4.find("using Twenty grading."), std::string::npos);
    EXPECT_EQ(block1.find("     1         2"), std::string::npos);

    const std::string closing = "Report made by tallisto Version 2.2.\r\n";
    EXPECT_EQ(occurrences(report, "Report made by"), 1u);
    EXPECT_EQ(report.substr(report.size() - closing.size()), closing);

    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    EXPECT_FALSE(t.form().deferWorkingFileCheck) << "later switches check the working file again";
    EXPECT_TRUE(t.form().cmdTab[0].checked);
    ASSERT_EQ(t.dialogs.shown.size(), 3u);
    EXPECT_EQ(t.dialogs.shown[2].prompt, path);
}

TEST(ReportPaths, AreUsedExactlyAsChosenAndNamesKeepTheirLetters) {
    TestProgram t(sampleRanges());
    t.start();
    t.dialogs.type("Français");
    t.run([](FrmGradeHelp& f) { f.menRename_Click(); });
    t.enterMark("8", "10", "50");
    // No extension is added, and blanks, quotes and accents reach the editor untouched.
    const std::string path = t.file("my \"best\" report élève");

    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK);
    saveSubjectReport(t);

    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(path)));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path + ".txt")));
    ASSERT_EQ(t.dialogs.shown.back().kind, "editor");
    EXPECT_EQ(t.dialogs.shown.back().prompt, path);
    const std::string report = bytesOf(path);
    EXPECT_NE(report.find("Results for Fran\xE7"
                          "ais\r\n"),
              std::string::npos)
        << "written in the Windows code page the Windows version reads";
}

TEST(ReportFailures, AreToldWithTheFileAndNothingIsOffered) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.write("plain", "a file, not a folder");
    const std::string path = t.file("plain") + "/report.txt";

    t.dialogs.choose(path);
    t.dialogs.press(Answer::OK);
    saveSubjectReport(t);
    ASSERT_EQ(t.dialogs.shown.size(), 2u) << "no overwrite question, no offer to open";
    EXPECT_EQ(t.dialogs.shown[1].kind, "msgbox");
    EXPECT_EQ(t.dialogs.shown[1].title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown[1].buttons, Buttons::OK);
    EXPECT_NE(t.dialogs.shown[1].prompt.find(path), std::string::npos);
    EXPECT_EQ(t.read("plain"), "a file, not a folder");
}

TEST(ReportFailures, ReportSetReturnsToTheUsersTabAndKeepsTheOldFile) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
    t.write("old.txt", "keep me");
    t.program->writeFile = [](const std::filesystem::path&, std::string_view) {
        return IoResult::failure("No space left on device");
    };

    t.dialogs.choose(t.file("old.txt"));
    t.dialogs.press(Answer::OK); // overwrite
    t.dialogs.press(Answer::OK); // the failure
    saveReportSet(t);

    ASSERT_EQ(t.dialogs.shown.size(), 3u);
    const std::string& told = t.dialogs.shown[2].prompt;
    EXPECT_NE(told.find(t.file("old.txt")), std::string::npos);
    EXPECT_NE(told.find("No space left on device"), std::string::npos);
    EXPECT_EQ(t.form().currentTab, 0);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    EXPECT_EQ(t.read("old.txt"), "keep me");
}

} // namespace
} // namespace tallisto::testing
