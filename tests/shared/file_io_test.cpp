// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/file_io.h"
#include "support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallisto {
namespace {

namespace fs = std::filesystem;

// A size limit makes the write itself fail part way, even for root.
IoResult writeWithSizeLimit(const fs::path& file, std::string_view bytes) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    ::setrlimit(RLIMIT_FSIZE, &small);
    IoResult result = writeFileAtomically(file, bytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

TEST(FileIo, aWriteReplacesTheFileWholeOrNotAtAll) {
    testing::TempDir dir;
    const auto file = dir.path() / "save.tly";
    testing::putBytes(file, "old content that is longer");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(file, "new\r\n"));
    EXPECT_EQ(testing::bytesOf(file), "new\r\n");
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";

    const IoResult result = writeWithSizeLimit(file, std::string(100, 'x'));
    EXPECT_EQ(result.reason, "Cannot write " + file.string() + ": File too large");
    EXPECT_EQ(testing::bytesOf(file), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "nothing is left beside the file";
    EXPECT_TRUE(removeFile(dir.path() / "absent")) << "an absent file counts as removed";
    EXPECT_FALSE(fileExists(dir.path())) << "a folder is no file";
}

// A write through a link replaces the file it leads to; temporary files that killed writes left
// in the folder go, while those of live processes and files of other names stay.
TEST(FileIo, aWriteKeepsLinksAndClearsWhatKilledWritesLeft) {
    testing::TempDir dir;
    const auto file = dir.path() / "save.tly";
    testing::putBytes(file, "old");
    fs::create_symlink("save.tly", dir.path() / "link.tly");
    const std::string live = ".save.tly." + std::to_string(::getppid()) + "-0.tmp";
    const std::string own = ".save.tly." + std::to_string(::getpid()) + "-9.tmp";
    for (const std::string name : {".save.tly.999999999-0.tmp", ".x.999999998-12.tmp", live.c_str(),
                                   own.c_str(), ".save.tly.swp", "save.999999999-0.tmp"})
        testing::putBytes(dir.path() / name, "left");
    ASSERT_TRUE(writeFileAtomically(dir.path() / "link.tly", "new"));
    EXPECT_EQ(fs::read_symlink(dir.path() / "link.tly"), "save.tly");
    EXPECT_EQ(testing::bytesOf(file), "new");
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"save.tly", "link.tly", live, own, ".save.tly.swp",
                                           "save.999999999-0.tmp"}));
}

} // namespace
} // namespace tallisto
