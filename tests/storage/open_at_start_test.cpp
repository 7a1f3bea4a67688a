// Opening the file named on the command line: the same tabs as Open, without the file dialog.
#include "storage/work_helpers.h"

#include <gtest/gtest.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

const std::string saved =
    crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=Maths", "count=1", "yougot0=8", "outof0=10",
          "weighting0=50", "gradesys=1", "[Tab 1]", "Name=Art", "count=1", "yougot0=3", "outof0=4",
          "weighting0=20", "gradesys=0"});

void openAtStart(TestProgram& t, const std::string& path) {
    t.run([&](FrmGradeHelp& f) { f.openFileAtStart(path); });
}

TEST(OpenAtStart, aFileNamedAtStartOpensAsOpenDoesWithoutTheDialog) {
    TestProgram byOpen, atStart;
    byOpen.start();
    atStart.start();
    byOpen.write("marks.tly", saved);
    atStart.write("marks.tly", saved);
    open(byOpen, byOpen.file("marks.tly"));
    openAtStart(atStart, atStart.file("marks.tly"));

    EXPECT_TRUE(atStart.dialogs.shown.empty()) << "no dialog at all";
    FrmGradeHelp& f = atStart.form();
    EXPECT_EQ(f.frmGradeHelp.caption, byOpen.form().frmGradeHelp.caption);
    EXPECT_EQ(f.frmGradeHelp.caption, "marks.tly - 80% in Maths - Tallisto");
    EXPECT_EQ(f.currentFilePath, atStart.file("marks.tly"));
    EXPECT_EQ(f.currentFileTitle, "marks.tly");
    EXPECT_FALSE(f.unsaved);
    EXPECT_FALSE(f.mensave.enabled);
    EXPECT_EQ(f.focus, "cmdEasyWork");
    EXPECT_EQ(shownTabs(atStart), shownTabs(byOpen));

    // Save writes back to the file that was named, without asking for a name.
    atStart.enterMark("1", "2", "10");
    atStart.dialogs.shown.clear();
    atStart.run([](FrmGradeHelp& form) { form.mensave_Click(); });
    EXPECT_NE(atStart.read("marks.tly").find("yougot1=1"), std::string::npos);
    EXPECT_TRUE(atStart.dialogs.shown.empty()) << "Save asked for a name";
}

TEST(OpenAtStart, aRelativeNameIsBoundToTheFullPath) {
    TestProgram t;
    t.start();
    t.write("marks.tly", saved);
    const fs::path before = fs::current_path();
    fs::current_path(t.dir.path());
    openAtStart(t, "./sub/../marks.tly");
    fs::current_path(before);
    EXPECT_EQ(t.form().currentFilePath, t.file("marks.tly"));
    EXPECT_EQ(t.form().currentFileTitle, "marks.tly");
    EXPECT_EQ(t.form().cmdTab[0].caption, "Maths");
}

TEST(OpenAtStart, aFileThatCannotBeOpenedIsReportedAndTheProgramStartsEmpty) {
    struct Row {
        const char* name;
        std::string path;
        std::string why;
    };
    TestProgram t;
    t.start();
    fs::create_directory(t.dir.path() / "folder.tly");
    const Row rows[] = {
        {"a missing file", t.file("missing.tly"), "because the file does not exist."},
        {"a folder", t.file("folder.tly"), "because the file cannot be read."},
    };
    for (const Row& row : rows) {
        t.dialogs.press(Answer::OK);
        openAtStart(t, row.path);
        ASSERT_EQ(t.dialogs.shown.size(), 1u) << row.name;
        EXPECT_EQ(t.dialogs.shown[0].kind, "msgbox");
        EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");
        EXPECT_EQ(t.dialogs.shown[0].prompt, "Tallisto cannot open " + row.path + " " + row.why);
        t.dialogs.shown.clear();
        FrmGradeHelp& f = t.form();
        EXPECT_EQ(f.cmdTab.size(), 1u) << row.name;
        EXPECT_EQ(f.cmdTab[0].caption, "Tab 1");
        EXPECT_TRUE(f.currentFilePath.empty()) << "Save must not write to " << row.path;
        EXPECT_EQ(f.frmGradeHelp.caption, "Unsaved - Tallisto");
        EXPECT_FALSE(f.unsaved);
    }
    EXPECT_FALSE(t.exists("missing.tly"));
}

} // namespace
} // namespace tallisto::testing
