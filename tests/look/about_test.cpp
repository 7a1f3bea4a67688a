// The About message.
#include "support/test_program.h"

namespace tallisto::testing {
namespace {

std::string aboutText(TestProgram& t) {
    t.dialogs.shown.clear();
    t.dialogs.press(Answer::OK);
    t.run([](FrmGradeHelp& f) { f.about_Click(); });
    EXPECT_EQ(t.dialogs.shown.size(), 1u);
    return t.dialogs.shown.empty() ? "" : t.dialogs.shown[0].prompt;
}

TEST(About, NamesTheProgramItsVersionAndItsMaker) {
    TestProgram t;
    t.start();
    t.form().focus = "lstScore";
    EXPECT_EQ(aboutText(t).rfind("Tallisto Ver2.2.110. By Fenwarde. ", 0), 0u)
        << "the build's version record";
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::OK);
    EXPECT_EQ(t.form().focus, "cmdEasyWork");

    t.program->facts.version.revision = 7;
    EXPECT_EQ(aboutText(t).rfind("Tallisto Ver2.2.7. By Fenwarde. ", 0), 0u);
    t.program->facts.version = {10, 0, 2003, "Marks", "Someone"};
    EXPECT_EQ(aboutText(t).rfind("Marks Ver10.0.2003. By Someone. ", 0), 0u);
}

} // namespace
} // namespace tallisto::testing
