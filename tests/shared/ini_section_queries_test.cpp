// Which sections an INI file has: the questions that opening a save file asks.
#include "shared/ini_files.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace tallisto::testing {
namespace {

TEST(IniSectionQueries, SeeSectionsWithoutKeysAndTheHighestNumberedOne) {
    TempDir dir;
    const std::string file = dir.file("s.tly");
    putBytes(file,
             crlf({"[TabInfo]", "NumTabs=2", "[Tab 0]", "Name=0", "[tab 7]", "[Tab 03]",
                   "[Tab 12x]", "[Tab -4]", "[Tab 99999999999]", "[Tab 40]", "", "[Other 90]"}));
    IniFiles ini;
    EXPECT_TRUE(ini.sectionExists(file, "Tab 0"));
    EXPECT_TRUE(ini.sectionExists(file, "TAB 7")) << "names match without regard to case";
    EXPECT_TRUE(ini.sectionExists(file, "Tab 40")) << "a section without keys exists";
    EXPECT_FALSE(ini.sectionExists(file, "Tab 8"));
    EXPECT_FALSE(ini.sectionExists(file, "Tab"));
    // Leading zeros, signs, trailing letters and numbers beyond an int are not section numbers.
    EXPECT_EQ(ini.highestNumberedSection(file, "Tab "), 40);
    EXPECT_EQ(ini.highestNumberedSection(file, "Other "), 90);
    EXPECT_EQ(ini.highestNumberedSection(file, "Nothing "), -1);

    // Pending writes count before they reach the disk; a fresh start has no sections.
    ini.WriteIniValue(file, "Tab 51", "Name", "New");
    EXPECT_TRUE(ini.sectionExists(file, "Tab 51"));
    EXPECT_EQ(ini.highestNumberedSection(file, "tab "), 51);
    ini.startAfresh(file);
    EXPECT_FALSE(ini.sectionExists(file, "Tab 0"));
    EXPECT_EQ(ini.highestNumberedSection(file, "Tab "), -1);

    // A file that does not exist has no sections and is not created by asking.
    const std::string missing = dir.file("missing.ini");
    EXPECT_FALSE(ini.sectionExists(missing, "Tab 0"));
    EXPECT_EQ(ini.highestNumberedSection(missing, "Tab "), -1);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace tallisto::testing
