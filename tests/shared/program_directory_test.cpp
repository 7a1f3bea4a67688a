// SPDX-License-Identifier: GPL-3.0-or-later
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

// An install prefix in a temporary folder: the program in bin/, the packaged ranges in
// share/tallisto/ (after a data folder that does not exist), and a home without ~/.config yet.
struct Prefix {
    testing::TempDir root;
    fs::path bin = root.path() / "bin";
    fs::path data = root.path() / "share" / "tallisto";
    fs::path config = root.path() / "home" / ".config";
    ProgramDirectoryPlaces places{bin, {root.path() / "nowhere", data}, config};

    Prefix() {
        fs::create_directories(bin);
        fs::create_directories(data);
        putBytes(data / "graderanges.txt", "installed");
    }
};

TEST(ProgramDirectory, isBesideAWritableProgramWithItsRangesElseTheSeededConfigurationFolder) {
    Prefix prefix;
    const fs::path config = prefix.config / "tallisto";
    const auto allButBin = [&](const fs::path& folder) { return folder != prefix.bin; };
    putBytes(prefix.bin / "graderanges.txt", "beside");
    ProgramDirectory dir = findProgramDirectory(prefix.places);
    EXPECT_TRUE(dir.ok && dir.besideExecutable && dir.path == prefix.bin) << dir.path;
    EXPECT_FALSE(fs::exists(prefix.config)) << "a program beside its files touches no home";

    dir = findProgramDirectory(prefix.places, allButBin);
    EXPECT_TRUE(dir.ok && !dir.besideExecutable && dir.path == config) << dir.path;
    EXPECT_EQ(bytesOf(config / "graderanges.txt"), "installed");

    // Without graderanges.txt beside it the program counts as installed, even for root.
    fs::remove(prefix.bin / "graderanges.txt");
    putBytes(config / "graderanges.txt", "edited");
    putBytes(prefix.data / "graderanges.txt", "updated package");
    dir = findProgramDirectory(prefix.places);
    EXPECT_EQ(dir.path, config);
    EXPECT_EQ(bytesOf(config / "graderanges.txt"), "edited") << "the user's copy is kept";

    if (::geteuid() != 0) { // root writes into read-only folders
        putBytes(prefix.bin / "graderanges.txt", "beside");
        ::chmod(prefix.bin.c_str(), 0555);
        dir = findProgramDirectory(prefix.places);
        ::chmod(prefix.bin.c_str(), 0755);
        EXPECT_EQ(dir.path, config);
    }
}

TEST(ProgramDirectory, noUsableFolderIsAnErrorNamingBothPlaces) {
    Prefix prefix;
    putBytes(prefix.root.path() / "home", "a file where the folder should be");
    const ProgramDirectory dir = findProgramDirectory(prefix.places, [](auto&) { return true; });
    EXPECT_FALSE(dir.ok);
    EXPECT_NE(dir.reason.find(prefix.bin.string()), std::string::npos) << dir.reason;
    EXPECT_NE(dir.reason.find((prefix.config / "tallisto").string()), std::string::npos);
}

} // namespace
} // namespace tallisto
