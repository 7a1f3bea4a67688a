#include "shared/file_io.h"
#include "support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tallisto {
namespace {

using testing::bytesOf;
using testing::putBytes;
using testing::TempDir;

std::size_t entriesIn(const std::filesystem::path& folder) {
    auto entries = std::filesystem::directory_iterator(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

TEST(FileIo, aWriteReplacesTheFileAndLeavesNothingBeside) {
    TempDir dir;
    auto file = dir.path() / "save.tly";
    putBytes(file, "old content that is longer");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(file, "new\r\n"));
    EXPECT_EQ(bytesOf(file), "new\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
}

TEST(FileIo, aWriteIntoAMissingFolderNamesTheFileAndTheCause) {
    TempDir dir;
    auto file = dir.path() / "missing" / "save.tly";
    IoResult result = writeFileAtomically(file, "x");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, "Cannot write " + file.string() + ": No such file or directory");
}

// A file size limit makes the write itself fail part way, even for root.
TEST(FileIo, aWriteThatFailsPartWayLeavesTheOldFileWhole) {
    TempDir dir;
    auto file = dir.path() / "temp.tmp";
    putBytes(file, "[Tab 0]\r\nName=Maths\r\n");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    ::setrlimit(RLIMIT_FSIZE, &small);
    IoResult result = writeFileAtomically(file, std::string(100, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, "Cannot write " + file.string() + ": File too large");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=Maths\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileIo, onlyRegularFilesExistReadAndRemove) {
    TempDir dir;
    auto file = dir.path() / "a.txt";
    std::string bytes = "kept";
    EXPECT_FALSE(readWholeFile(file, bytes));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_FALSE(readWholeFile(dir.path(), bytes));
    EXPECT_EQ(bytes, "kept");
    std::string large(200000, 'z');
    putBytes(file, large);
    EXPECT_TRUE(fileExists(file));
    ASSERT_TRUE(readWholeFile(file, bytes));
    EXPECT_EQ(bytes, large);
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(fileExists(file));
    EXPECT_TRUE(removeFile(file)) << "an absent file counts as removed";
    IoResult folder = removeFile(dir.path());
    EXPECT_FALSE(folder);
    EXPECT_EQ(folder.reason.rfind("Cannot delete " + dir.path().string() + ": ", 0), 0u);
}

} // namespace
} // namespace tallisto
