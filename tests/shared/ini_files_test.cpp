// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ini_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tallisto {
namespace {

using testing::bytesOf;
using testing::putBytes;

class IniFilesTest : public ::testing::Test {
protected:
    std::string read(const std::string& key, const std::string& section = "A") {
        return ini.ReadIniValue(file, section, key, "0");
    }
    void writeAndFlush(const std::string& key, const std::string& value) {
        ini.WriteIniValue(file, "A", key, value);
        ASSERT_TRUE(ini.flush(file));
    }

    testing::TempDir dir;
    std::string file = dir.file("temp.tmp");
    IniFiles ini;
};

TEST_F(IniFilesTest, linesAreReadAsWindowsReadsThem) {
    EXPECT_EQ(read("x"), "0");
    EXPECT_FALSE(fileExists(file)) << "a read creates nothing";
    // Lines may end in LF alone; keys before any section and in a repeated one are not read.
    putBytes(file, "x=before\n[ A ]\n; x=comment\n  name  =  spaced out  \r\n"
                   "quoted=\"  kept  \"\r\nsingle=' q '\ntwice=first\ntwice=second\n"
                   "w1252=Caf\xE9 \x80\n[A]\nlater=hidden\n");
    const std::pair<const char*, const char*> cases[] = {
        {"x", "0"},        {"NAME", "spaced out"}, {"quoted", "  kept  "},
        {"single", " q "}, {"twice", "first"},     {"w1252", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"later", "0"},
    };
    for (const auto& [key, value] : cases)
        EXPECT_EQ(read(key, "a"), value) << key;
    EXPECT_EQ(read("name", "B"), "0");
    EXPECT_EQ(ini.countKeys(file, "A", [](std::string_view) { return true; }), 5u)
        << "each key of the first section once";
}

TEST(IniFiles, aWriteChangesOrAddsOneLineAndKeepsEveryOtherByte) {
    // name, file before (none when empty), section, key, value, file after
    const std::tuple<const char*, std::string, const char*, const char*, std::string, std::string>
        cases[] = {
            {"missing file", "", "Tab 0", "Name", "Maths", "[Tab 0]\r\nName=Maths\r\n"},
            {"key rewritten in place", "; c\r\n[A]\r\nx=1\r\n odd \r\ny = 2\r\n\r\n[B]\r\nx=3", "a",
             "Y", "9", "; c\r\n[A]\r\nx=1\r\n odd \r\nY=9\r\n\r\n[B]\r\nx=3"},
            {"new key after the last key of its section", "[A]\r\nx=1\r\n\r\n; B\r\n[B]\r\nz=3",
             "A", "w", "5", "[A]\r\nx=1\r\nw=5\r\n\r\n; B\r\n[B]\r\nz=3"},
            {"new section after a last line without its end", "[A]\r\nx=1", "B", "y", "2",
             "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
            {"line feeds alone", "[A]\nx=1\n\n[B]\n", "A", "z", "3", "[A]\nx=1\nz=3\r\n\n[B]\n"},
            {"line breaks in a value become blanks", "", "A", "x", "a\r\nb", "[A]\r\nx=a  b\r\n"},
            {"the same value written again", "[A]\r\nx=1\r\n", "A", "x", "1", "[A]\r\nx=1\r\n"},
            {"the same value under another spelling", "[A]\r\nX = 1\r\n", "A", "x", "1",
             "[A]\r\nx=1\r\n"},
            {"a letter outside Windows-1252 turns the file to UTF-8", "[A]\r\nx=Caf\xE9\r\n", "A",
             "y", "\xE6\x95\xB0", "[A]\r\nx=Caf\xC3\xA9\r\ny=\xE6\x95\xB0\r\n"},
        };
    testing::TempDir dir;
    for (const auto& [name, before, section, key, value, after] : cases) {
        const std::string file = dir.file(name);
        if (!before.empty()) putBytes(file, before);
        IniFiles ini;
        ini.WriteIniValue(file, section, key, value);
        ASSERT_TRUE(ini.flush(file)) << name;
        EXPECT_EQ(bytesOf(file), after) << name;
    }
}

TEST_F(IniFilesTest, anyValueReadsBackUnchangedUpTo254Characters) {
    for (const std::string value :
         {" a ", "a\t", " ", "", "\"q\"", "'x'", "\"", "'a\"", "a\"b", "a=b;c[d]", "[Tab 0]",
          "\xE6\x95\xB0\xE5\xAD\xA6", "\xC3\xA9"}) {
        writeAndFlush("x", value);
        EXPECT_EQ(read("x"), value) << '[' << value << ']';
        EXPECT_EQ(IniFiles().ReadIniValue(file, "A", "x", "0"), value) << '[' << value << ']';
    }
    // A longer value is written whole and read back cut, counting characters, not bytes.
    writeAndFlush("x", std::string(300, 'x'));
    EXPECT_NE(bytesOf(file).find(std::string(300, 'x')), std::string::npos);
    EXPECT_EQ(IniFiles().ReadIniValue(file, "A", "x", "0"), std::string(254, 'x'));
    std::string letters;
    for (int i = 0; i < 300; ++i)
        letters += "\xC3\xA9";
    writeAndFlush("x", letters);
    EXPECT_EQ(IniFiles().ReadIniValue(file, "A", "x", "0"), letters.substr(0, 2 * 254));
}

// Save files wait for the disk and may fail; the working file is scratch and does not wait. What
// a flush cannot write stays and reads as written; the failure is given once until written.
TEST_F(IniFilesTest, scratchFilesHaveTheirOwnWriterAndAFailedFlushKeepsTheChanges) {
    const std::string save = dir.file("marks.tly");
    putBytes(save, "[A]\r\nx=1\r\n");
    bool full = true;
    IniFiles failing([&](const std::filesystem::path& path, std::string_view bytes) {
        if (full) return IoResult::failure("Cannot write " + path.string() + ": No space left");
        return writeFileAtomically(path, bytes);
    });
    failing.treatAsScratch(file);
    failing.WriteIniValue(file, "A", "x", "2");
    failing.WriteIniValue(save, "A", "x", "2");
    EXPECT_EQ(failing.flushAll().reason, "Cannot write " + save + ": No space left");
    EXPECT_EQ(bytesOf(file), "[A]\r\nx=2\r\n");
    EXPECT_EQ(bytesOf(save), "[A]\r\nx=1\r\n");
    EXPECT_EQ(failing.ReadIniValue(save, "A", "x", "0"), "2") << "kept in memory";
    EXPECT_FALSE(failing.flush(save));
    const auto failures = failing.takeNewFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].file, save);
    EXPECT_TRUE(failing.takeNewFailures().empty()) << "given once";
    full = false;
    EXPECT_TRUE(failing.flush(save));
    EXPECT_EQ(bytesOf(save), "[A]\r\nx=2\r\n");
    full = true;
    failing.WriteIniValue(save, "A", "x", "3");
    failing.flushAll();
    EXPECT_EQ(failing.takeNewFailures().size(), 1u) << "a new run of failures is given again";
}

// Rewriting a key again and again leaves its old text behind, which is given back in time.
TEST_F(IniFilesTest, aKeyRewrittenManyTimesStillReadsAndWritesAsOneLine) {
    putBytes(file, "; first\n[A]\ny=1\n[B]\nz=2");
    for (int i = 0; i < 300'000; ++i)
        ini.WriteIniValue(file, "A", "y", std::to_string(i));
    ini.WriteIniValue(file, "B", "w", "3");
    ASSERT_TRUE(ini.flush(file));
    EXPECT_EQ(bytesOf(file), "; first\n[A]\ny=299999\n[B]\nz=2\r\nw=3\r\n");
}

// What is worked out from a section is kept until its revision changes: every way the section's
// keys can read differently must change it, and writes to other sections must not.
TEST_F(IniFilesTest, aSectionsRevisionChangesWheneverItsKeysMayReadDifferently) {
    const auto revision = [&](const char* section = "A") {
        return ini.sectionRevision(file, section);
    };
    std::uint64_t a = revision();
    EXPECT_EQ(revision("a"), a) << "names match without regard to letter case";
    const auto changed = [&](const char* what) {
        const std::uint64_t now = revision();
        EXPECT_NE(now, a) << what;
        a = now;
    };
    ini.WriteIniValue(file, "B", "x", "1");
    EXPECT_EQ(revision(), a) << "another section written";
    ini.WriteIniValue(file, "a", "x", "1");
    changed("written");
    ASSERT_TRUE(ini.flush(file));
    EXPECT_EQ(revision(), a) << "flushed as it reads";
    putBytes(file, "[A]\r\nx=edited by another program\r\n");
    changed("changed on disk");
    ini.startAfresh(file);
    changed("started afresh");
    ini.discard(file);
    changed("changes discarded");
    ASSERT_TRUE(ini.remove(file));
    changed("removed");
}

} // namespace
} // namespace tallisto
