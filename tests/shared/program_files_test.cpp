// SPDX-License-Identifier: GPL-3.0-or-later
// The files the program keeps for itself, by name and by whatever other name reaches them.
#include "shared/program_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tallisto {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFiles, TheProgramsOwnNamesAreKnownAndNoOthers) {
    const std::pair<const char*, bool> rows[] = {
        {"settings.ini", true},        {"graderanges.txt", true},
        {"Marks.exe.manifest", true},  {"temp.tmp", true},
        {"temp-2.tmp", true},          {"temp-10.tmp", true},
        {"temp.tmp.lock", true},       {"temp-3.tmp.recovery", true},
        {"temp-1.tmp", false},         {"temp-02.tmp", false},
        {"temp-.tmp", false},          {"temp-2x.tmp", false},
        {"temp.tmp.lock.lock", false}, {"tallisto.exe.manifest", false},
        {"Settings.ini", false},       {"marks.tly", false},
        {"temp.tmp.bak", false}};
    for (const auto& [name, own] : rows)
        EXPECT_EQ(isProgramFileName(name, "Marks"), own) << name;
}

TEST(ProgramFiles, LinksDotsAndHardLinksReachTheProgramsFilesToo) {
    testing::TempDir dir;
    const fs::path program = dir.path() / "program";
    fs::create_directory(program);
    testing::putBytes(program / "settings.ini", "[Settings]\r\n");
    fs::create_symlink(program, dir.path() / "link");
    fs::create_hard_link(program / "settings.ini", dir.path() / "copy.ini");
    fs::create_symlink(program / "temp-2.tmp", dir.path() / "dangling.tly");
    for (const fs::path& path :
         {dir.path() / "link/temp-5.tmp", dir.path() / "copy.ini", dir.path() / "dangling.tly",
          program / "../program/./graderanges.txt"})
        EXPECT_TRUE(isProgramsOwnFile(path, program, "tallisto")) << path;
    testing::putBytes(dir.path() / "settings.ini", "");
    for (const fs::path& path : {dir.path() / "settings.ini", program / "sub/temp.tmp"})
        EXPECT_FALSE(isProgramsOwnFile(path, program, "tallisto")) << path;
}

} // namespace
} // namespace tallisto
