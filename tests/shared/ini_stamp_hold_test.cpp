// Holding the files' stamps through a long command, and files forgotten in between.
#include "shared/ini_files.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace tallisto::testing {
namespace {

TEST(IniStampHold, AnEditByAnotherProgramShowsOnceTheHoldEnds) {
    TempDir dir;
    const std::string file = dir.file("graderanges.txt");
    putBytes(file, crlf({"[Gradesys0]", "name=Old"}));
    IniFiles ini;
    {
        const StampHold hold(ini);
        EXPECT_EQ(ini.ReadIniValue(file, "Gradesys0", "name", "0"), "Old");
        putBytes(file, crlf({"[Gradesys0]", "name=New, longer"}));
        EXPECT_EQ(ini.ReadIniValue(file, "Gradesys0", "name", "0"), "Old");
        { const StampHold inner(ini); }
        EXPECT_TRUE(ini.holdingStamps()) << "an inner hold leaves the outer one in force";
    }
    EXPECT_FALSE(ini.holdingStamps());
    EXPECT_EQ(ini.ReadIniValue(file, "Gradesys0", "name", "0"), "New, longer");

    // A file first read inside a hold is read from the disk, then kept.
    const std::string other = dir.file("other.ini");
    putBytes(other, crlf({"[S]", "k=1"}));
    const StampHold hold(ini);
    EXPECT_EQ(ini.ReadIniValue(other, "S", "k", "0"), "1");
    EXPECT_EQ(ini.ReadIniValue(file, "Gradesys0", "name", "0"), "New, longer");
}

TEST(IniStampHold, AFileForgottenOrRemovedIsReadAfreshByTheSameName) {
    TempDir dir;
    const std::string file = dir.file("save.tly");
    IniFiles ini;
    ini.WriteIniValue(file, "Tab 0", "Name", "Maths");
    ini.discard(file);
    EXPECT_EQ(ini.ReadIniValue(file, "Tab 0", "Name", "0"), "0");

    ini.WriteIniValue(file, "Tab 0", "Name", "Maths");
    ASSERT_TRUE(ini.flush(file));
    EXPECT_EQ(ini.ReadIniValue(file, "Tab 0", "Name", "0"), "Maths");
    ASSERT_TRUE(ini.remove(file));
    EXPECT_EQ(ini.ReadIniValue(file, "Tab 0", "Name", "0"), "0");
    EXPECT_FALSE(std::filesystem::exists(file));

    // The same file named another way is the same entry, before and after the other name.
    ini.WriteIniValue(dir.file("./save.tly"), "Tab 0", "Name", "Art");
    EXPECT_EQ(ini.ReadIniValue(file, "Tab 0", "Name", "0"), "Art");
    EXPECT_TRUE(ini.exists(file));
}

} // namespace
} // namespace tallisto::testing
