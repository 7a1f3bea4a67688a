// The tab store: what leaving a tab writes into the working file, and how stored marks come back.
#include "support/sample_ranges.h"

namespace tallisto::testing {
namespace {

void clickTab(TestProgram& t, int index) {
    t.run([index](FrmGradeHelp& f) { f.cmdTab_Click(index); });
}

void newTab(TestProgram& t) {
    t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
}

TEST(TabStore, LeavingTabsWritesTheirSectionsInKeyOrder) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("45", "50", "20");
    t.enterMark("17.50", "20", "30");
    newTab(t);
    clickTab(t, 1);
    const std::string firstTab = crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Tab 1", "count=2",
                                       "yougot0=45", "outof0=50", "weighting0=20", "yougot1=17.5",
                                       "outof1=20", "weighting1=30", "gradesys=0"});
    EXPECT_EQ(t.read("temp.tmp"), firstTab) << "tab 0 is stored as \"Tab 0\" named \"Tab 1\"";

    t.dialogs.type("Physics");
    t.run([](FrmGradeHelp& f) {
        f.menRename_Click();
        f.menGradesys_Click(3);
    });
    clickTab(t, 0);
    EXPECT_EQ(t.read("temp.tmp"),
              firstTab + crlf({"[Tab 1]", "Name=Physics", "count=0", "gradesys=3"}))
        << "a tab without marks has a name, a count of 0 and its grading system only";
}

TEST(TabStore, ShorterStoreLeavesStaleKeysThatAreNeverRead) {
    TestProgram t(sampleRanges());
    t.start();
    for (const char* score : {"1", "2", "3", "4", "5"})
        t.enterMark(score, "10", "10");
    newTab(t);
    clickTab(t, 1);
    clickTab(t, 0);
    t.run([](FrmGradeHelp& f) { f.cmdReset_Click(); });
    for (const char* score : {"7", "8", "9"})
        t.enterMark(score, "10", "20");
    clickTab(t, 1);

    std::vector<std::string> lines = {"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Tab 1", "count=3"};
    for (int j = 0; j < 5; ++j) {
        const std::string n = std::to_string(j);
        lines.push_back("yougot" + n + "=" +
                        (j < 3 ? std::to_string(7 + j) : std::to_string(j + 1)));
        lines.push_back("outof" + n + "=10");
        lines.push_back("weighting" + n + "=" + (j < 3 ? "20" : "10"));
    }
    lines.insert(lines.end(), {"gradesys=0", "[Tab 1]", "Name=Tab 2", "count=0", "gradesys=0"});
    EXPECT_EQ(t.read("temp.tmp"), crlf(lines));

    clickTab(t, 0);
    EXPECT_EQ(t.form().lstScore.list, (std::vector<std::string>{"7", "8", "9"}));
    EXPECT_EQ(t.form().lblWeightingTot.caption, "60%");
}

TEST(TabStore, StoredMarksAreReplayedAsTheyStandWithoutQuestions) {
    TestProgram t(sampleRanges());
    t.write("saved.tly",
            crlf({"[Tab 4]", "count=3", "yougot0=abc", "outof0=10", "weighting0=50", "yougot1=8",
                  "outof1=10.0", "weighting1=25", "yougot2=3", "weighting2=5"}));
    t.start();
    t.run([&](FrmGradeHelp& f) {
        f.loadFile = t.file("saved.tly");
        f.loadTab = 4;
        f.LoadRun();
    });
    FrmGradeHelp& f = t.form();
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_FALSE(f.loadingMarks);
    EXPECT_FALSE(f.unsaved) << "replayed marks are not changes";
    EXPECT_EQ(f.lstScore.list, (std::vector<std::string>{"abc", "8", "3"}));
    EXPECT_EQ(f.lstTotal.list, (std::vector<std::string>{"10", "10.0", "0"}))
        << "a missing key reads as 0";
    EXPECT_EQ(f.lstPercentage.list, (std::vector<std::string>{"0", "20", "0"}));
    EXPECT_EQ(f.lblWeightingTot.caption, "80%");
    EXPECT_EQ(f.lblShit.caption, "26.67%");

    // Stored again, each entry becomes the number it begins with.
    t.run([&](FrmGradeHelp& f) {
        f.saveFile = t.file("again.tly");
        f.saveTab = 0;
        f.SaveRun();
    });
    EXPECT_EQ(t.read("again.tly"),
              crlf({"[TabInfo]", "NumTabs=1", "[Tab 0]", "Name=Tab 1", "count=3", "yougot0=0",
                    "outof0=10", "weighting0=50", "yougot1=8", "outof1=10", "weighting1=25",
                    "yougot2=3", "outof2=0", "weighting2=5", "gradesys=0"}));
}

TEST(TabStore, CountThatIsNoSixteenBitIntegerGivesNoMarks) {
    struct Row {
        const char* count;
        std::size_t marks;
    };
    const Row rows[] = {{"40000", 0}, {"-3", 0},  {"abc", 0}, {"1e9", 0},
                        {"2.5", 2},   {"3.5", 4}, {"", 0},    {"2", 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("count=") + r.count);
        TestProgram t(sampleRanges());
        std::vector<std::string> lines = {"[Tab 0]", std::string("count=") + r.count};
        for (int j = 0; j < 4; ++j)
            lines.insert(lines.end(),
                         {"yougot" + std::to_string(j) + "=1", "outof" + std::to_string(j) + "=2",
                          "weighting" + std::to_string(j) + "=10"});
        t.write("s.tly", crlf(lines));
        t.start();
        t.run([&](FrmGradeHelp& f) {
            f.loadFile = t.file("s.tly");
            f.loadTab = 0;
            f.LoadRun();
        });
        EXPECT_EQ(t.form().lstScore.list.size(), r.marks);
        EXPECT_FALSE(t.form().loadingMarks);
    }
}

} // namespace
} // namespace tallisto::testing
