// Closing the program: the offer to save, each answer, and the settings kept for the next start.
#include "support/test_program.h"

#include <functional>
#include <gtest/gtest.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

// The ways the user closes the main window; all run the same sequence.
const std::vector<std::pair<std::string, std::function<void(FrmGradeHelp&)>>> closings{
    {"Exit item", [](FrmGradeHelp& f) { f.exit_Click(); }},
    {"Exit button", [](FrmGradeHelp& f) { f.cmdExit_Click(); }},
    {"close box", [](FrmGradeHelp& f) { f.unloadMainWindow(); }},
    {"Escape", [](FrmGradeHelp& f) { f.cmdEasyWork_KeyDown(vbKeyEscape, 0); }},
};

bool closeWith(TestProgram& t, const std::function<void(FrmGradeHelp&)>& how) {
    return !t.run(how);
}

void expectSettings(TestProgram& t, const std::string& left, const std::string& top,
                    const std::string& gradesys) {
    EXPECT_EQ(t.read("settings.ini"),
              crlf({"[Settings]", "Left=" + left, "Top=" + top, "gradesys=" + gradesys}));
}

TEST(Closing, WithoutUnsavedWorkEndsAndWritesOnlyTheSettings) {
    for (const auto& [way, how] : closings) {
        SCOPED_TRACE(way);
        TestProgram t;
        t.write("settings.ini",
                crlf({"[Other]", "kept=no", "[Settings]", "gradesys=2", "Left=0.0", "extra=1"}));
        t.start();
        t.form().frmGradeHelp.left = 2400;
        t.form().frmGradeHelp.top = -315;
        t.write("temp.tmp", crlf({"[Tab 0]", "Name=Tab 1"}));
        t.ter().show();
        EXPECT_TRUE(closeWith(t, how));
        expectSettings(t, "2400", "-315", "2");
        EXPECT_FALSE(t.exists("temp.tmp"));
        EXPECT_FALSE(t.ter().frmTER.visible);
        EXPECT_TRUE(t.dialogs.shown.empty());
    }
}

TEST(Closing, CancelKeepsTheWindowOpenWithAllData) {
    for (const auto& [way, how] : closings) {
        SCOPED_TRACE(way);
        TestProgram t;
        t.start();
        t.enterMark("8", "10", "50");
        t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
        t.dialogs.press(Answer::Cancel);
        EXPECT_FALSE(closeWith(t, how));
        const auto& question = t.dialogs.shown.back();
        EXPECT_EQ(question.prompt, "Save Changes made to: <Unsaved>?");
        EXPECT_EQ(question.title, "Save Changes?");
        EXPECT_EQ(question.buttons, Buttons::YesNoCancel);
        FrmGradeHelp& f = t.form();
        EXPECT_TRUE(f.unsaved);
        EXPECT_EQ(f.lstScore.list, std::vector<std::string>{"8"});
        EXPECT_EQ(f.tabCount, 2);
        EXPECT_EQ(f.focus, "cmdEasyWork");
        EXPECT_FALSE(t.exists("settings.ini"));
    }
}

TEST(Closing, NoEndsWithoutSavingAndYesSavesToTheBoundFile) {
    TestProgram t;
    t.start();
    t.enterMark("8", "10", "50");
    t.dialogs.press(Answer::No);
    EXPECT_TRUE(closeWith(t, closings[0].second));
    expectSettings(t, "1200", "1200", "0");
    EXPECT_FALSE(t.exists("temp.tmp"));

    TestProgram u;
    u.start();
    u.enterMark("8", "10", "50");
    u.dialogs.choose(u.file("marks.tly"));
    u.run([](FrmGradeHelp& f) { f.cmdsave_Click(); });
    u.enterMark("3", "4", "20");
    u.run([](FrmGradeHelp& f) { f.menGradesys_Click(2); });
    u.dialogs.press(Answer::Yes);
    EXPECT_TRUE(closeWith(u, closings[1].second));
    EXPECT_EQ(u.dialogs.shown.back().prompt, "Save Changes made to: marks.tly?");
    EXPECT_NE(u.read("marks.tly").find("yougot1=3\r\noutof1=4\r\nweighting1=20\r\ngradesys=2"),
              std::string::npos);
    expectSettings(u, "1200", "1200", "2");
    EXPECT_FALSE(u.exists("temp.tmp"));
}

TEST(Closing, YesWithoutAFileGoesThroughSaveAs) {
    // Cancel in the save dialog: the window stays open, nothing is written.
    TestProgram t;
    t.start();
    t.enterMark("8", "10", "50");
    t.dialogs.press(Answer::Yes);
    t.dialogs.cancel();
    EXPECT_FALSE(closeWith(t, closings[2].second));
    EXPECT_EQ(t.dialogs.shown.back().kind, "save");
    EXPECT_TRUE(t.form().unsaved);
    EXPECT_FALSE(t.form().exitAfterSave);
    EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
    EXPECT_FALSE(t.exists("settings.ini"));

    // Saved: the program ends, and still keeps its settings and removes the working file.
    t.run([](FrmGradeHelp& f) { f.cmdNewTab_Click(); });
    t.run([](FrmGradeHelp& f) { f.cmdTab_Click(1); });
    t.run([](FrmGradeHelp& f) { f.menGradesys_Click(3); });
    ASSERT_TRUE(t.exists("temp.tmp"));
    t.form().frmGradeHelp.left = 3000;
    t.dialogs.press(Answer::Yes);
    t.dialogs.choose(t.file("new.tly"));
    EXPECT_TRUE(closeWith(t, closings[2].second));
    EXPECT_TRUE(t.exists("new.tly"));
    expectSettings(t, "3000", "1200", "3");
    EXPECT_FALSE(t.exists("temp.tmp"));

    // The grading system and position in use at the end are those of the next start.
    TestProgram next;
    fs::copy_file(t.file("settings.ini"), next.file("settings.ini"));
    next.start();
    EXPECT_EQ(next.form().gradeSys, 3);
    EXPECT_EQ(next.form().frmGradeHelp.left, 3000);
}

TEST(Closing, ASaveThatFailsKeepsTheWindowOpen) {
    TestProgram t;
    t.program = std::make_unique<Program>(t.dialogs, t.facts,
                                          [](const fs::path& path, std::string_view bytes) {
                                              if (path.extension() == ".tly")
                                                  return IoResult::failure("Read-only file system");
                                              return writeFileAtomically(path, bytes);
                                          });
    t.start();
    t.enterMark("8", "10", "50");
    t.form().currentFilePath = t.file("marks.tly");
    t.form().currentFileTitle = "marks.tly";

    // Yes to a bound file, and Yes through Save As: both fail, both keep everything.
    for (bool bound : {true, false}) {
        SCOPED_TRACE(bound ? "Save" : "Save As");
        if (!bound) t.form().currentFileTitle.clear();
        t.dialogs.press(Answer::Yes);
        if (!bound) t.dialogs.choose(t.file("other.tly"));
        t.dialogs.press(Answer::OK); // the failure
        EXPECT_FALSE(closeWith(t, closings[0].second));
        EXPECT_NE(t.dialogs.shown.back().prompt.find("Read-only file system"), std::string::npos);
        EXPECT_TRUE(t.form().unsaved);
        EXPECT_FALSE(t.form().exitAfterSave);
        EXPECT_EQ(t.form().lstScore.list, std::vector<std::string>{"8"});
        EXPECT_FALSE(t.exists("settings.ini"));
    }
}

} // namespace
} // namespace tallisto::testing
