#include "shared/program_directory.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallisto {
namespace {

namespace fs = std::filesystem;
using testing::bytesOf;
using testing::putBytes;
using testing::TempDir;

// An install prefix in a temporary folder: the program in bin/, the packaged ranges in
// share/tallisto/ (after a data folder that does not exist), and a home whose configuration
// folder does not exist yet.
struct Prefix {
    TempDir root;
    fs::path bin = root.path() / "bin";
    fs::path data = root.path() / "share" / "tallisto";
    fs::path config = root.path() / "home" / ".config";
    ProgramDirectoryPlaces places{bin, {root.path() / "nowhere", data}, config};

    Prefix() {
        fs::create_directories(bin);
        fs::create_directories(data);
        putBytes(bin / "tallisto", "program");
        putBytes(data / "graderanges.txt", "[Gradesys0]\r\nname=Installed\r\n");
    }
};

bool everyFolderWritable(const fs::path&) {
    return true;
}

TEST(ProgramDirectory, aWritableFolderHoldingTheRangesIsUsedAsItIs) {
    Prefix prefix;
    putBytes(prefix.bin / "graderanges.txt", "beside");
    const ProgramDirectory dir = findProgramDirectory(prefix.places);
    ASSERT_TRUE(dir.ok) << dir.reason;
    EXPECT_EQ(dir.path, prefix.bin);
    EXPECT_TRUE(dir.besideExecutable);
    EXPECT_FALSE(fs::exists(prefix.config)) << "a program beside its files touches no home";
}

TEST(ProgramDirectory, anInstalledProgramKeepsItsFilesInTheUsersConfigurationFolder) {
    Prefix prefix;
    const fs::path expected = prefix.config / "tallisto";
    // bin/ holds no graderanges.txt: that marks an installed program even where root may write.
    ProgramDirectory first = findProgramDirectory(prefix.places);
    ASSERT_TRUE(first.ok) << first.reason;
    EXPECT_EQ(first.path, expected);
    EXPECT_FALSE(first.besideExecutable);
    EXPECT_EQ(bytesOf(expected / "graderanges.txt"), "[Gradesys0]\r\nname=Installed\r\n");

    putBytes(expected / "graderanges.txt", "[Gradesys0]\r\nname=Edited\r\n");
    putBytes(prefix.data / "graderanges.txt", "[Gradesys0]\r\nname=Updated package\r\n");
    ProgramDirectory second = findProgramDirectory(prefix.places);
    ASSERT_TRUE(second.ok) << second.reason;
    EXPECT_EQ(second.path, expected);
    EXPECT_EQ(bytesOf(expected / "graderanges.txt"), "[Gradesys0]\r\nname=Edited\r\n")
        << "the user's edited copy is never replaced";
    EXPECT_EQ(std::distance(fs::directory_iterator(expected), fs::directory_iterator()), 1)
        << "nothing but the copy is left in the folder";
}

TEST(ProgramDirectory, aFolderThatCannotBeWrittenIsLeftForTheConfigurationFolder) {
    Prefix prefix;
    putBytes(prefix.bin / "graderanges.txt", "beside");
    const auto allButBin = [&](const fs::path& folder) { return folder != prefix.bin; };
    ProgramDirectory dir = findProgramDirectory(prefix.places, allButBin);
    ASSERT_TRUE(dir.ok) << dir.reason;
    EXPECT_EQ(dir.path, prefix.config / "tallisto");
    EXPECT_EQ(bytesOf(dir.path / "graderanges.txt"), "[Gradesys0]\r\nname=Installed\r\n")
        << "the installed copy is preferred to the one beside the program";

    // Without an installed copy, the one beside the program seeds the folder.
    TempDir home;
    ProgramDirectoryPlaces unpacked{prefix.bin, {prefix.root.path() / "absent"}, home.path()};
    dir = findProgramDirectory(unpacked, allButBin);
    ASSERT_TRUE(dir.ok) << dir.reason;
    EXPECT_EQ(bytesOf(dir.path / "graderanges.txt"), "beside");

    // With no copy anywhere the program still starts; its grading menu reports the missing file.
    TempDir bare, otherHome;
    dir = findProgramDirectory({bare.path(), {bare.path() / "absent"}, otherHome.path()});
    ASSERT_TRUE(dir.ok) << dir.reason;
    EXPECT_FALSE(fs::exists(dir.path / "graderanges.txt"));
}

TEST(ProgramDirectory, aReadOnlyProgramFolderIsLeftForTheConfigurationFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    Prefix prefix;
    putBytes(prefix.bin / "graderanges.txt", "beside");
    ::chmod(prefix.bin.c_str(), 0555);
    const ProgramDirectory dir = findProgramDirectory(prefix.places);
    ::chmod(prefix.bin.c_str(), 0755);
    ASSERT_TRUE(dir.ok) << dir.reason;
    EXPECT_EQ(dir.path, prefix.config / "tallisto");
}

TEST(ProgramDirectory, noUsableFolderIsAnErrorThatNamesBothPlaces) {
    Prefix prefix;
    // A file where the configuration folder should be stops even root.
    putBytes(prefix.root.path() / "home", "not a folder");
    ProgramDirectory dir = findProgramDirectory(prefix.places, everyFolderWritable);
    EXPECT_FALSE(dir.ok);
    EXPECT_NE(dir.reason.find(prefix.bin.string()), std::string::npos) << dir.reason;
    EXPECT_NE(dir.reason.find((prefix.config / "tallisto").string()), std::string::npos)
        << dir.reason;

    TempDir home;
    const auto noneWritable = [](const fs::path&) { return false; };
    dir = findProgramDirectory({prefix.bin, {prefix.data}, home.path()}, noneWritable);
    EXPECT_FALSE(dir.ok);
    EXPECT_NE(dir.reason.find("cannot be written"), std::string::npos) << dir.reason;
    EXPECT_FALSE(fs::exists(home.path() / "tallisto" / "graderanges.txt"));

    dir = findProgramDirectory({prefix.bin, {prefix.data}, {}}, everyFolderWritable);
    EXPECT_FALSE(dir.ok);
    EXPECT_NE(dir.reason.find("HOME"), std::string::npos) << dir.reason;
}

TEST(ProgramDirectory, theConfigurationBaseFollowsTheXdgRules) {
    struct Row {
        const char* name;
        const char* xdg;
        const char* home;
        fs::path expected;
    };
    const Row rows[] = {
        {"XDG_CONFIG_HOME wins", "/xdg/config", "/home/ann", "/xdg/config"},
        {"a relative XDG_CONFIG_HOME is ignored", "config", "/home/ann", "/home/ann/.config"},
        {"an empty XDG_CONFIG_HOME is ignored", "", "/home/ann", "/home/ann/.config"},
        {"HOME alone", nullptr, "/home/ann", "/home/ann/.config"},
        {"neither", nullptr, nullptr, ""},
        {"an empty HOME", nullptr, "", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(userConfigBase(row.xdg, row.home), row.expected) << row.name;
}

} // namespace
} // namespace tallisto
