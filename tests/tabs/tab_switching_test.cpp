// SPDX-License-Identifier: GPL-3.0-or-later
// Switching tabs: each tab left is stored in the working file and comes back from it with its
// marks, totals and grading system.
#include "shared/ini_files.h"
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

// A tab left is stored in the working file, its keys in order, and comes back from it as it was
// shown: marks, totals, grade and grading system, the /20 button too. A new tab takes the system
// in use. Stored again with fewer marks, the keys of the other marks stay, never read.
TEST(TabSwitching, ATabLeftIsStoredInKeyOrderAndComesBackAsItWasShown) {
    StartedProgram t(sampleRanges());
    FrmGradeHelp& f = t.form();
    t.enterMark("45", "50", "20");
    t.enterMark("17.50", "20", "25");
    chooseGradeSys(t, 1); // out of 20: shows the /20 button
    std::string first = viewOf(f);
    // Choosing the system rounds the caption's percentage to a half; coming back does not.
    ASSERT_EQ(f.frmGradeHelp.caption, "* Unsaved - 88.5% in Tab 1 - Tallisto");
    first.replace(first.find("- 88.5% in"), 7, "- 88.61%");
    addTabs(t, 1);
    clickTab(t, 1);
    const auto tab0 = [](const std::string& count, const std::string& score,
                         const std::string& outOf) {
        return crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Tab 1", count, score, outOf,
                     "weighting0=20", "yougot1=17.5", "outof1=20", "weighting1=25", "gradesys=1"});
    };
    EXPECT_EQ(t.read("temp.tmp"), tab0("count=2", "yougot0=45", "outof0=50"));
    EXPECT_EQ(std::pair(f.lstScore.list.size(), f.gradeSys), std::pair(std::size_t{0}, 1))
        << "new: no marks, the same system";
    fillTab(t, "Physics", {{"3", "4", "10"}, {"5", "0", "20"}}, 3);
    const std::string second = viewOf(f);
    for (int round = 0; round < 2; ++round) {
        clickTab(t, 0);
        EXPECT_EQ(viewOf(f), first);
        EXPECT_EQ((std::vector<std::string>{f.youGot, f.outOf, f.weighting}),
                  (std::vector<std::string>{"17.5", "20", "0.25"}))
            << "the last mark's numbers, as entering it left them";
        EXPECT_EQ(std::pair(f.menGradesys[1].checked, f.menGradesys[3].checked),
                  std::pair(true, false));
        clickTab(t, 1);
        EXPECT_EQ(viewOf(f), second);
    }
    clickTab(t, 0);
    const std::string tab1 =
        crlf({"[Tab 1]", "Name=Physics", "count=2", "yougot0=3", "outof0=4", "weighting0=10",
              "yougot1=5", "outof1=0", "weighting1=20", "gradesys=3"});
    EXPECT_EQ(t.read("temp.tmp"), tab0("count=2", "yougot0=45", "outof0=50") + tab1);
    t.run(&FrmGradeHelp::cmdReset_Click);
    t.enterMark("9", "10", "20");
    clickTab(t, 1);
    EXPECT_EQ(t.read("temp.tmp"), tab0("count=1", "yougot0=9", "outof0=10") + tab1);
    clickTab(t, 0);
    EXPECT_EQ(f.lblWeightingTot.caption, "20%");
}

TEST(TabSwitching, AStoredTabIsFoundOnlyUnderItsName) {
    StartedProgram t(sampleRanges());
    chooseGradeSys(t, 3);
    addTabs(t, 4);
    FrmGradeHelp& f = t.form();
    f.cmdTab[4].caption = "0"; // as a rename of a tab never stored leaves it
    const std::string mark = "count=1\r\nyougot0=5\r\noutof0=10\r\nweighting0=10\r\ngradesys=1\r\n";
    t.write("temp.tmp", "[Tab 1]\r\nName=Other\r\n" + mark + "[Tab 2]\r\nName=tab 3\r\n" + mark +
                            "[Tab 3]\r\nName=Tab 4\r\ngradesys=7\r\n");
    for (const auto& [tab, gradeSys, why] :
         {std::tuple{1, 3, "stored under another name: its system is not applied either"},
          std::tuple{2, 3, "names are compared with letter case"},
          std::tuple{3, 3, "a stored system outside the four leaves the one in use"},
          std::tuple{4, 0, "a missing section reads as a tab named 0 on system 0"}}) {
        clickTab(t, tab);
        EXPECT_EQ(std::pair(f.lstScore.list.size(), f.gradeSys),
                  std::pair(std::size_t{0}, gradeSys))
            << why;
    }
}

// A stored tab reads exactly as its keys read one by one, whatever its section holds: the first
// line of each key in the first section of that name, names without regard to letter case or the
// blanks around them, values trimmed, unquoted and cut at 254 characters, "0" for what is missing;
// also once the section has been written to, and once the file has changed on disk.
TEST(TabSwitching, AStoredTabReadsAsItsKeysReadOneByOne) {
    StartedProgram t;
    std::string letters;
    for (int i = 0; i < 300; ++i)
        letters += i % 2 ? "\xC3\xA9" : "x";
    // name, the section's keys ('%' for its tab's number), its real and what-if marks
    const std::tuple<const char*, std::string, std::size_t, std::size_t> cases[] = {
        {"line ends mixed",
         "count=2\nyougot0=45\r\noutof0=50\nweighting0=20\r\nyougot1=17.5\n"
         "outof1=20\nweighting1=25\r\n",
         2, 0},
        {"repeated keys, letter case, blanks around names",
         "count=2\r\nYOUGOT0=1\r\nyougot0=2\r\n OutOf0\t= 3\r\noutof0=4\r\nWeighting1 =5\r\n", 2,
         0},
        {"names that are no mark's",
         "count=2\r\nyougot05=9\r\nyougot00=9\r\nyougot0x=9\r\nyougot=9\r\nyougot+1=9\r\n"
         "you got1=9\r\nyougot99999999999999999999999=9\r\nyougot2=9\r\nyougot1=7\r\n"
         "yougot18446744073709551617=9\r\nweightinq1=9\r\noutog0=9\r\n",
         2, 0},
        {"quoted values", "count=1\r\nyougot0= \" 8 \" \r\noutof0='10'\r\nweighting0=\"5'\r\n", 1,
         0},
        {"a value of 300 letters", "count=1\r\nyougot0=" + letters + "\r\n", 1, 0},
        {"comments and lines without =",
         "count=2\r\n;yougot0=9\r\nyougot0\r\n[yougot1=9\r\n  ; outof1=4\r\nweighting1=\r\n"
         "yougot1 = 3\r\n",
         2, 0},
        {"a count beyond the keys held", "count=4\r\nyougot0=1\r\noutof0=2\r\nyougot3=4\r\n", 4, 0},
        {"what-if marks",
         "count=1\r\nyougot0=1\r\nwhatifcount=2\r\nwhatifyougot0=4\r\nWHATIFOUTOF0=5\r\n"
         "whatifweighting0=6\r\nwhatifyougot1=7\r\nwhatifoutof1=8\r\nwhatifweighting1=9\r\n"
         "whatifyougot2=10\r\nyougot1=11\r\n",
         1, 2},
        {"a what-if count beyond the keys held",
         "count=0\r\nwhatifcount=9\r\nwhatifyougot0=1\r\nwhatifoutof0=2\r\nwhatifweighting0=3\r\n"
         "whatifyougot1=4\r\n",
         0, 1},
        {"a repeated section", "count=1\r\nyougot0=1\r\n[ tab %]\r\ncount=2\r\nyougot0=9\r\n", 1,
         0},
        {"a last line without its end", "count=1\r\nyougot0=1\r\noutof0=2\r\nweighting0= 3 ", 1, 0},
    };
    const auto tabs = static_cast<int>(std::size(cases));
    addTabs(t, tabs);
    IniFiles& ini = t.program->ini;
    const std::string file = t.file("temp.tmp");
    const auto rows = [](const std::vector<MarkRow>& marks) {
        std::vector<std::string> rows;
        for (const MarkRow& m : marks)
            rows.push_back(m.score + '|' + m.outOf + '|' + m.weighting +
                           (m.kind == MarkKind::Real ? "|real" : "|whatif"));
        return rows;
    };
    const auto keyByKey = [&](int tab, std::size_t real, std::size_t whatIfs) {
        std::vector<MarkRow> marks;
        const auto read = [&](std::string prefix, std::size_t j, MarkKind kind) {
            const auto key = [&](const char* part) {
                return ini.ReadIniValue(file, "Tab " + std::to_string(tab),
                                        prefix + part + std::to_string(j), "0");
            };
            marks.push_back({key("yougot"), key("outof"), key("weighting"), kind});
        };
        for (std::size_t j = 0; j < real + whatIfs; ++j)
            j < real ? read("", j, MarkKind::Real) : read("whatif", j - real, MarkKind::WhatIf);
        return rows(marks);
    };
    std::string text;
    for (int tab = 1; tab <= tabs; ++tab) {
        std::string keys = std::get<1>(cases[tab - 1]);
        if (const auto at = keys.find('%'); at != std::string::npos)
            keys.replace(at, 1, std::to_string(tab));
        text += "[Tab " + std::to_string(tab) + "]\r\nName=Tab " + std::to_string(tab + 1) +
                "\r\n" + keys;
    }
    t.write("temp.tmp", text);
    for (int tab = tabs; tab >= 1; --tab) { // each read with the sections after it split into lines
        const auto& [name, keys, real, whatIfs] = cases[tab - 1];
        EXPECT_EQ(rows(t.form().subjectMarks(tab).marks), keyByKey(tab, real, whatIfs)) << name;
    }
    // Lines rewritten and added elsewhere in the document's buffer, the file not yet written.
    for (const auto& [key, value] : {std::pair{"yougot1", " 12 "},
                                     {"outof1", "x"},
                                     {"whatifcount", "1"},
                                     {"WhatIfYouGot0", "5"},
                                     {"whatifoutof0", "6"},
                                     {"whatifweighting0", "7"}})
        ini.WriteIniValue(file, "Tab 1", key, value);
    ini.WriteIniValue(file, "Tab 2", "yougot1", "8");
    EXPECT_EQ(rows(t.form().subjectMarks(1).marks), keyByKey(1, 2, 1)) << "written to";
    ASSERT_TRUE(ini.flush(file));
    t.write("temp.tmp", "[Tab 1]\r\nName=Tab 2\r\ncount=1\r\nyougot0=changed on disk\r\n");
    EXPECT_EQ(rows(t.form().subjectMarks(1).marks), keyByKey(1, 1, 0)) << "changed on disk";
}

// A working file that cannot be written keeps every tab in memory: the user is told once, goes on
// switching, undoes from there (a deleted tab brings back the other tabs' marks too), and the
// file is written as soon as it can be.
TEST(TabSwitching, AWorkingFileThatCannotBeWrittenLosesNothingAndIsToldOnce) {
    bool full = false;
    StartedProgram t(sampleRanges(), "",
                     refusingWriter([](const auto& path) { return path.filename() == "temp.tmp"; },
                                    "No space left on device", &full));
    t.enterMark("8", "10", "50");
    addTabs(t, 2);
    clickTab(t, 1);
    t.enterMark("3", "4", "10");
    full = true;
    t.dialogs.press(Answer::OK);
    clickTab(t, 0);
    EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"Tallisto could not write " +
                                    t.file("temp.tmp") +
                                    ".\n\nNo space left on device\n\nNothing is lost: Tallisto "
                                    "keeps your work in memory and writes the file again after "
                                    "your next change. Save your work to keep it, and free some "
                                    "disk space or make the folder writable.\" OK");
    const std::size_t told = t.dialogs.shown.size();
    clickTab(t, 1);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"3"});
    clickTab(t, 0);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    t.run([](FrmGradeHelp& f) { f.cmdTab_MouseUp(2, vbMiddleButton); }); // deletes tab 3
    EXPECT_EQ(t.dialogs.shown.size(), told) << "told once";
    t.dialogs.press(Answer::OK); // told again: the restored file cannot be written either
    undo(t);
    EXPECT_EQ(shownTabs(t), (std::vector<TabState>{{"Tab 1", {"8"}, {"10"}, {"50"}, {"40"}, 0},
                                                   {"Tab 2", {"3"}, {"4"}, {"10"}, {"7.5"}, 0},
                                                   {"Tab 3", {}, {}, {}, {}, 0}}));
    full = false;
    clickTab(t, 1);
    EXPECT_NE(t.read("temp.tmp").find("Name=Tab 1\r\ncount=1\r\nyougot0=8"), std::string::npos);
}

} // namespace
} // namespace tallisto::testing
