// The "XP Look" command and the manifest it writes beside the executable.
#include "look/manifest.h"
#include "support/test_program.h"

#include <filesystem>
#include <unistd.h>

namespace tallisto::testing {
namespace {

const std::string restart = "Requires restart of Tallisto before setting takes effect.";

std::string deleteQuestion(const std::string& path) {
    return "Delete: " + path +
           "? (Deleting this file disables XP look in Tallisto, and does not affect any other "
           "program.)";
}

void clickXP(TestProgram& t) {
    t.dialogs.shown.clear();
    t.run([](FrmGradeHelp& f) { f.menXP_Click(); });
}

TEST(XpManifest, IsTheTwentyOneLinesByteForByte) {
    const std::string expected =
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
    TempDir dir;
    const std::string path = dir.file("Marks.exe.manifest");
    ASSERT_TRUE(WriteXpManifest(path));
    EXPECT_EQ(bytesOf(path), expected);
}

TEST(XpLookCommand, CreatesTheManifestOnlyWhenAbsent) {
    TestProgram t;
    t.start();
    ASSERT_FALSE(t.form().menXP.checked);
    t.form().focus = "lstScore";

    t.dialogs.press(Answer::OK);
    clickXP(t);
    EXPECT_EQ(t.read("tallisto.exe.manifest"), xpManifestText());
    EXPECT_TRUE(t.form().menXP.checked);
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].prompt, restart);
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::OK);
    EXPECT_EQ(t.form().focus, "cmdEasyWork");

    // A manifest that appeared since start-up is only taken note of.
    t.form().menXP.checked = false;
    t.write("tallisto.exe.manifest", "someone else's");
    clickXP(t);
    EXPECT_TRUE(t.form().menXP.checked);
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.read("tallisto.exe.manifest"), "someone else's");
}

TEST(XpLookCommand, DeletesTheManifestOnlyWhenTheUserSaysYes) {
    TestProgram t;
    t.write("Marks.exe.manifest", xpManifestText());
    t.program->facts.exeName = "Marks";
    t.start();
    ASSERT_TRUE(t.form().menXP.checked) << "start-up sees the manifest of this executable";
    const std::string path = t.file("Marks.exe.manifest");

    t.dialogs.press(Answer::No);
    clickXP(t);
    EXPECT_TRUE(t.exists("Marks.exe.manifest"));
    EXPECT_TRUE(t.form().menXP.checked);
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.dialogs.shown[0].prompt, deleteQuestion(path));
    EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");

    t.dialogs.press(Answer::Yes);
    clickXP(t);
    EXPECT_FALSE(t.exists("Marks.exe.manifest"));
    EXPECT_FALSE(t.form().menXP.checked);
    EXPECT_EQ(t.dialogs.shown.size(), 1u) << "no message after deleting";

    // Already gone: the check mark follows all the same.
    t.form().menXP.checked = true;
    t.dialogs.press(Answer::Yes);
    clickXP(t);
    EXPECT_FALSE(t.form().menXP.checked);
    EXPECT_EQ(t.dialogs.shown.size(), 1u);
}

TEST(XpLookCommand, FailedCreateIsToldAndLeavesTheCheckMark) {
    TestProgram t;
    t.start();
    // A regular file where the folder should be: no one can create a file in it, not even root.
    t.write("plain", "x");
    t.program->facts.programDir = t.file("plain");
    const std::string path = t.form().manifestFile();

    t.dialogs.press(Answer::OK);
    clickXP(t);
    EXPECT_FALSE(t.form().menXP.checked);
    ASSERT_EQ(t.dialogs.shown.size(), 1u);
    EXPECT_NE(t.dialogs.shown[0].prompt, restart);
    EXPECT_NE(t.dialogs.shown[0].prompt.find(path), std::string::npos);
    EXPECT_EQ(t.dialogs.shown[0].title, "Tallisto");
}

TEST(XpLookCommand, FailedDeleteIsToldAndLeavesTheCheckMark) {
    if (::geteuid() == 0) GTEST_SKIP() << "root deletes from a read-only folder";
    TestProgram t;
    t.write("tallisto.exe.manifest", xpManifestText());
    t.start();
    namespace fs = std::filesystem;
    fs::permissions(t.dir.path(), fs::perms::owner_write, fs::perm_options::remove);

    t.dialogs.press(Answer::Yes);
    t.dialogs.press(Answer::OK);
    clickXP(t);
    fs::permissions(t.dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(t.form().menXP.checked);
    EXPECT_TRUE(t.exists("tallisto.exe.manifest"));
    ASSERT_EQ(t.dialogs.shown.size(), 2u);
    EXPECT_NE(t.dialogs.shown[1].prompt.find(t.file("tallisto.exe.manifest")), std::string::npos);
}

} // namespace
} // namespace tallisto::testing
