// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the command line, settings.ini and graderanges.txt.
#include "app/command_line.h"
#include "support/named_commands.h"
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

TEST(Startup, CommandLineNamesOneFileToOpenOrAsksForHelpOrTheVersion) {
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "run "},
        {{"/home/a b/x.tly"}, "run /home/a b/x.tly"},
        {{"--", "--help"}, "run --help"},
        {{"--version"}, "version"},
        {{"--bogus", "a", "b", "--version", "--help"}, "help"},
        {{"-x", "-y"}, "error unknown option '-x'"},
        {{"a.tly", "b.tly"}, "error only one file can be opened at start"},
        {{""}, "error the file name is empty"}};
    const char* const actions[] = {"run ", "help", "version", "error "};
    for (const auto& [args, expected] : rows) {
        const CommandLine line = parseCommandLine(args);
        EXPECT_EQ(actions[int(line.action)] + line.file + line.error, expected);
    }
    EXPECT_EQ(helpText("tallisto").rfind("Usage: tallisto [FILE]\n", 0), 0u);
    EXPECT_EQ(versionText(VersionRecord{2, 2, 110}), "Tallisto 2.2.110\n");
}

TEST(Startup, FreshStartShowsOneEmptyTabAndTheGradingSystemsOfTheRangesFile) {
    TestProgram t(sampleRanges());
    t.write("temp.tmp", crlf({"[Tab 0]", "Name=Old"})); // left over from a crash
    t.write("tallisto.exe.manifest", "x");
    t.start();
    const FrmGradeHelp& f = t.form();
    EXPECT_EQ(windowState(f), R"({ |  |  |  | 0 0 0% 0% ---   [Unsaved - Tallisto] sys0}
tabs [Tab 1 left 0 pressed] count 1 current 0
strip at 0 bar 0
shown:
enabled:
saved file [] [] focus cmdEasyWork)");
    EXPECT_EQ(f.menGradesys[0].caption, "Simple");
    EXPECT_FALSE(f.menGradesys[2].visible) << "active=0";
    EXPECT_TRUE(f.menGradesys[3].visible) << "active=1.0";
    EXPECT_TRUE(f.menXP.checked) << "the manifest is there";
    EXPECT_EQ(present(t, {"temp.tmp", "settings.ini"}), "") << "reading creates nothing";
}

// The saved grading system and window position come back; what is no number counts as 0, a
// system outside the four or hidden leaves system 0 in use, and a Left of exactly 0 none.
TEST(Startup, SavedGradingSystemAndPositionAreRestored) {
    const int defaultLeft = TestProgram(sampleRanges()).form().frmGradeHelp.left;
    const std::tuple<const char*, const char*, int, int, bool> rows[] = {
        {"3", "0", 3, defaultLeft, true}, {"2", "0.0", 0, 0, true},
        {"1.0", "2400.5", 1, 2400, true}, {"7", "-315", 0, -315, false},
        {"abc", "", 0, 0, true},          {"1E400", "12", 0, 12, true},
        {"-1", "7", 0, 7, false}};
    for (const auto& [gradesys, left, system, x, checked] : rows) {
        SCOPED_TRACE(std::string(gradesys) + " " + left);
        StartedProgram t(sampleRanges(), crlf({"[Settings]", std::string("Left=") + left, "Top=900",
                                               std::string("gradesys=") + gradesys}));
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ(f.gradeSys, system);
        for (const Control& item : f.menGradesys)
            EXPECT_EQ(item.checked, checked && item.index == system) << item.index;
        EXPECT_EQ(std::pair(f.frmGradeHelp.left, f.frmGradeHelp.top), std::pair(x, 900));
        EXPECT_EQ(std::pair(f.unsaved, f.mensave.enabled), std::pair(false, false));
    }
}

// Whatever these two files hold, or without them, the program starts: what is no number counts as
// 0. Without graderanges.txt the menu says so.
TEST(Startup, AnyContentOfTheSettingsAndRangesFilesStartsTheProgram) {
    for (const std::string& content :
         {std::string(), std::string("\0\xff\xfe[Settings\r\nLeft=\x01\x02\r\n", 22),
          std::string(5000, '['),
          crlf({"[Settings]", "Left=1e999", "Top=-1e999", "gradesys=1e999"})}) {
        StartedProgram t(content, content);
        const FrmGradeHelp& f = t.form();
        EXPECT_EQ(f.gradeSys, 0);
        EXPECT_LE(std::abs(f.frmGradeHelp.left) + std::abs(f.frmGradeHelp.top), 1'000'000);
        EXPECT_EQ(f.menGradesys[0].caption + " " + f.menGradesys[1].caption ==
                      "graderanges.txt was not found. Please Reinstall Tallisto.",
                  content.empty());
        EXPECT_EQ(std::pair(f.menEditRanges.visible, f.seper3.visible),
                  std::pair(!content.empty(), !content.empty()));
        t.enterMark("8", "10", "50");
        EXPECT_EQ(f.lblShit.caption, "80%");
    }
}

} // namespace
} // namespace tallisto::testing
