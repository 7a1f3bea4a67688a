// SPDX-License-Identifier: GPL-3.0-or-later
// The "XP Look" command with the manifest it writes beside the executable, and About.
#include "support/test_program.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace tallisto::testing {
namespace {

const std::string manifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<assemblyIdentity\r\n"
    "    version=\"1.0.0.0\"\r\n"
    "    processorArchitecture=\"X86\"\r\n"
    "    name=\"Fenwarde.Tallisto.TALSTO\"\r\n"
    "    type=\"win32\"\r\n"
    "/>\r\n"
    "<dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "        <assemblyIdentity\r\n"
    "            type=\"win32\"\r\n"
    "            name=\"Microsoft.Windows.Common-Controls\"\r\n"
    "            version=\"6.0.0.0\"\r\n"
    "            processorArchitecture=\"X86\"\r\n"
    "            publicKeyToken=\"6595b64144ccf1df\"\r\n"
    "            language=\"*\"\r\n"
    "        />\r\n"
    "    </dependentAssembly>\r\n"
    "</dependency>\r\n"
    "</assembly>\r\n";

// Clicks "XP Look" and gives the dialogs it showed.
std::vector<std::string> clickXP(TestProgram& t) {
    const std::size_t before = t.dialogs.shown.size();
    t.run(&FrmGradeHelp::menXP_Click);
    std::vector<std::string> shown;
    for (std::size_t i = before; i < t.dialogs.shown.size(); ++i)
        shown.push_back(describe(t.dialogs.shown[i]));
    return shown;
}

TEST(XpLookCommand, WritesTheManifestWhenAbsentAndDeletesItOnlyOnYes) {
    TestProgram t;
    t.program->facts.exeName = "Marks";
    t.start();
    t.form().focus = "lstScore";
    const std::vector<std::string> question = {
        "msgbox \"Tallisto\" \"Delete: " + t.file("Marks.exe.manifest") +
        "? (Deleting this file disables XP look in Tallisto, and does not affect any other "
        "program.)\" YesNo"};
    t.dialogs.press(Answer::OK);
    EXPECT_EQ(clickXP(t), std::vector<std::string>{"msgbox \"Tallisto\" \"Requires restart of "
                                                   "Tallisto before setting takes effect.\" OK"});
    EXPECT_EQ(t.read("Marks.exe.manifest"), manifest);
    EXPECT_TRUE(t.form().menXP.checked);
    EXPECT_EQ(t.form().focus, "cmdEasyWork");
    t.dialogs.press(Answer::No);
    EXPECT_EQ(clickXP(t), question);
    EXPECT_TRUE(t.exists("Marks.exe.manifest"));
    EXPECT_TRUE(t.form().menXP.checked);
    t.dialogs.press(Answer::Yes);
    EXPECT_EQ(clickXP(t), question) << "nothing is said after deleting";
    EXPECT_FALSE(t.exists("Marks.exe.manifest"));
    EXPECT_FALSE(t.form().menXP.checked);
    // A manifest that appeared since start-up is only taken note of.
    t.write("Marks.exe.manifest", "someone else's");
    EXPECT_TRUE(clickXP(t).empty());
    EXPECT_TRUE(t.form().menXP.checked);
    EXPECT_EQ(t.read("Marks.exe.manifest"), "someone else's");
}

TEST(XpLookCommand, AFailedCreateIsToldAndLeavesTheCheckMark) {
    StartedProgram t;
    t.program->writeFile = [](const std::filesystem::path&, std::string_view) {
        return IoResult::failure("No space left on device");
    };
    t.dialogs.press(Answer::OK);
    EXPECT_THAT(clickXP(t), ::testing::ElementsAre(::testing::AllOf(
                                ::testing::HasSubstr(t.file("tallisto.exe.manifest")),
                                ::testing::HasSubstr("No space left on device"))));
    EXPECT_FALSE(t.form().menXP.checked);
    EXPECT_FALSE(t.exists("tallisto.exe.manifest"));
}

TEST(About, NamesTheProgramItsVersionAndItsMakerFromTheFileAndTheHelpMenu) {
    for (void (FrmGradeHelp::*about)() :
         {&FrmGradeHelp::about_Click, &FrmGradeHelp::menAbout_Click}) {
        StartedProgram t;
        t.program->facts.version.revision = 7;
        t.dialogs.press(Answer::OK);
        t.run([about](FrmGradeHelp& f) { (f.*about)(); });
        EXPECT_EQ(t.dialogs.last(), "msgbox \"Tallisto\" \"Tallisto Ver2.2.7. By Fenwarde. Thanks "
                                    "to every student whose marks and ideas shaped this "
                                    "program.\" OK");
    }
}

} // namespace
} // namespace tallisto::testing
