#include "shared/ini_files.h"
#include "shared/text_encoding.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tallisto {
namespace {

using testing::bytesOf;
using testing::putBytes;
using testing::TempDir;

class IniFilesTest : public ::testing::Test {
protected:
    std::string read(const std::string& section, const std::string& key) {
        return ini.ReadIniValue(file, section, key, "0");
    }
    void write(const std::string& section, const std::string& key, const std::string& value) {
        ini.WriteIniValue(file, section, key, value);
    }
    void writeAndFlush(const std::string& section, const std::string& key,
                       const std::string& value) {
        write(section, key, value);
        ASSERT_TRUE(ini.flush(file));
    }
    // What a later run of the program, starting with nothing cached, reads.
    std::string readAfresh(const std::string& section, const std::string& key) {
        IniFiles fresh;
        return fresh.ReadIniValue(file, section, key, "0");
    }

    TempDir dir;
    std::string file = dir.file("temp.tmp");
    IniFiles ini;
};

TEST_F(IniFilesTest, readingAMissingFileGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(ini.ReadIniValue(file, "Tab 0", "Name", "none"), "none");
    EXPECT_FALSE(fileExists(file));
    EXPECT_FALSE(ini.exists(file));
}

TEST_F(IniFilesTest, pendingWritesCountUntilFlushedDiscardedOrRemoved) {
    std::string other = dir.file("settings.ini");
    write("A", "x", "1");
    ini.WriteIniValue(other, "Settings", "gradesys", "2");
    EXPECT_TRUE(ini.exists(file));
    EXPECT_FALSE(fileExists(file));
    ini.discard(other);
    EXPECT_EQ(ini.ReadIniValue(other, "Settings", "gradesys", "0"), "0");
    ASSERT_TRUE(ini.flushAll());
    EXPECT_FALSE(fileExists(other));
    write("A", "x", "2");
    EXPECT_TRUE(ini.remove(file));
    EXPECT_FALSE(ini.exists(file));
    EXPECT_EQ(read("A", "x"), "0");
}

TEST_F(IniFilesTest, writingIntoAMissingFileCreatesSectionAndKeyLines) {
    writeAndFlush("Tab 0", "Name", "Maths");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=Maths\r\n");
}

TEST_F(IniFilesTest, rewritingAKeyChangesOnlyItsLine) {
    putBytes(file, "; kept\r\n[A]\r\nx=1\r\n  odd line  \r\ny = 2\r\n\r\n[B]\r\nx=3");
    writeAndFlush("a", "Y", "9");
    EXPECT_EQ(bytesOf(file), "; kept\r\n[A]\r\nx=1\r\n  odd line  \r\nY=9\r\n\r\n[B]\r\nx=3");
}

TEST_F(IniFilesTest, aNewKeyGoesAfterTheLastKeyOfItsSection) {
    putBytes(file, "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\nz=3\r\n");
    write("A", "w", "5");
    write("a", "v", "6");
    writeAndFlush("B", "y", "7");
    EXPECT_EQ(bytesOf(file), "[A]\r\nx=1\r\nw=5\r\nv=6\r\n\r\n; about B\r\n[B]\r\nz=3\r\ny=7\r\n");
}

TEST_F(IniFilesTest, aNewSectionGoesAtTheEndOfTheFile) {
    putBytes(file, "[A]\r\nx=1"); // the last line lacks its line end
    write("B", "y", "2");
    writeAndFlush("A", "z", "3");
    EXPECT_EQ(bytesOf(file), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");
}

TEST_F(IniFilesTest, filesWithLineFeedsAloneReadAndKeepTheirLines) {
    putBytes(file, "[A]\nx=1\n\n[B]\ny=2\n");
    EXPECT_EQ(read("A", "x"), "1");
    EXPECT_EQ(read("B", "y"), "2");
    writeAndFlush("A", "z", "3");
    EXPECT_EQ(bytesOf(file), "[A]\nx=1\nz=3\r\n\n[B]\ny=2\n");
}

TEST_F(IniFilesTest, linesAreReadAsWindowsReadsThem) {
    putBytes(file, "x=before\r\n"
                   "[ A ]\r\n"
                   "; x=comment\r\n"
                   "  name  =  spaced out  \r\n"
                   "quoted=\"  kept  \"\r\n"
                   "single=' q '\r\n"
                   "twice=first\r\n"
                   "twice=second\r\n"
                   "[A]\r\n"
                   "later=hidden\r\n");
    EXPECT_EQ(read("A", "x"), "0") << "keys before the first section and comments are not read";
    EXPECT_EQ(read("a", "NAME"), "spaced out") << "names match without regard to case";
    EXPECT_EQ(read("B", "name"), "0");
    EXPECT_EQ(read("A", "name"), "spaced out");
    EXPECT_EQ(read("A", "quoted"), "  kept  ");
    EXPECT_EQ(read("A", "single"), " q ");
    EXPECT_EQ(read("A", "twice"), "first");
    EXPECT_EQ(read("A", "later"), "0") << "a repeated section is not read";
}

TEST_F(IniFilesTest, anyValueReadsBackUnchanged) {
    const std::pair<const char*, std::string> values[] = {
        {"blanks around", " a "},
        {"tab at the end", "a\t"},
        {"a blank alone", " "},
        {"empty", ""},
        {"double quotes around", "\"q\""},
        {"single quotes around", "'x'"},
        {"one quote", "\""},
        {"different quotes", "'a\""},
        {"quote inside", "a\"b"},
        {"INI syntax inside", "a=b;c[d]"},
        {"section-like", "[Tab 0]"},
        {"Chinese", "\xE6\x95\xB0\xE5\xAD\xA6"},
        {"e acute", "\xC3\xA9"},
    };
    for (const auto& [name, value] : values) {
        writeAndFlush("Tab 0", "Name", value);
        EXPECT_EQ(read("Tab 0", "Name"), value) << name;
        EXPECT_EQ(readAfresh("Tab 0", "Name"), value) << name;
    }
}

TEST_F(IniFilesTest, aValueLongerThan254CharactersReadsBackCut) {
    writeAndFlush("Tab 0", "Name", std::string(300, 'x'));
    EXPECT_NE(bytesOf(file).find(std::string(300, 'x')), std::string::npos);
    EXPECT_EQ(readAfresh("Tab 0", "Name"), std::string(254, 'x'));

    std::string letters;
    for (int i = 0; i < 300; ++i)
        letters += "\xC3\xA9";
    writeAndFlush("Tab 0", "Name", letters);
    EXPECT_EQ(characterCount(readAfresh("Tab 0", "Name")), 254u);
}

TEST_F(IniFilesTest, lineBreaksInAValueBecomeBlanks) {
    writeAndFlush("Tab 0", "Name", "a\r\nb");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=a  b\r\n");
    EXPECT_EQ(read("Tab 0", "Name"), "a  b");
}

TEST_F(IniFilesTest, aFileOfTheWindowsVersionReadsWithTheRightLetters) {
    putBytes(file, "[Tab 0]\r\nName=Caf\xE9 M\xFCller \x80\r\n");
    EXPECT_EQ(read("Tab 0", "Name"), "Caf\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC");
    writeAndFlush("Tab 0", "count", "0");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=Caf\xE9 M\xFCller \x80\r\ncount=0\r\n");
}

TEST_F(IniFilesTest, lettersOutsideWindows1252TurnTheFileToUtf8) {
    writeAndFlush("Tab 0", "Name", "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=\xE9t\xE9\r\n");
    writeAndFlush("Tab 1", "Name", "\xE6\x95\xB0\xE5\xAD\xA6");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=\xC3\xA9t\xC3\xA9\r\n"
                             "[Tab 1]\r\nName=\xE6\x95\xB0\xE5\xAD\xA6\r\n");
    EXPECT_EQ(readAfresh("Tab 0", "Name"), "\xC3\xA9t\xC3\xA9");
}

TEST_F(IniFilesTest, anEditByAnotherProgramIsSeenAtTheNextRead) {
    putBytes(file, "[Gradesys0]\r\nrange0=50\r\n");
    EXPECT_EQ(read("Gradesys0", "range0"), "50");
    putBytes(file, "[Gradesys0]\r\nrange0=45.5\r\n");
    EXPECT_EQ(read("Gradesys0", "range0"), "45.5");
    std::filesystem::remove(file);
    EXPECT_EQ(read("Gradesys0", "range0"), "0");
}

TEST_F(IniFilesTest, aFailedFlushLeavesTheFileAndReportsWhy) {
    putBytes(file, "[A]\r\nx=1\r\n");
    IniFiles failing([](const std::filesystem::path& path, std::string_view) {
        return IoResult::failure("Cannot write " + path.string() + ": No space left on device");
    });
    failing.WriteIniValue(file, "A", "x", "2");
    IoResult result = failing.flush(file);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, "Cannot write " + file + ": No space left on device");
    EXPECT_EQ(bytesOf(file), "[A]\r\nx=1\r\n");
    EXPECT_EQ(failing.ReadIniValue(file, "A", "x", "0"), "1") << "as if the write never happened";
}

TEST_F(IniFilesTest, startingAfreshReplacesTheOldContentWhole) {
    putBytes(file, "[Tab 0]\r\nName=Old\r\nyougot4=12\r\n");
    ini.startAfresh(file);
    EXPECT_EQ(read("Tab 0", "yougot4"), "0");
    write("Tab 0", "Name", "New");
    EXPECT_EQ(read("Tab 0", "Name"), "New");
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=Old\r\nyougot4=12\r\n") << "disk waits for flush";
    ASSERT_TRUE(ini.flush(file));
    EXPECT_EQ(bytesOf(file), "[Tab 0]\r\nName=New\r\n");
}

TEST(IniFilesScratch, scratchFilesGoThroughTheirOwnWriter) {
    TempDir dir;
    std::vector<std::string> durable, scratch;
    IniFiles ini(
        [&](const std::filesystem::path& p, std::string_view b) {
            durable.push_back(p.filename().string());
            return writeFileAtomically(p, b);
        },
        [&](const std::filesystem::path& p, std::string_view b) {
            scratch.push_back(p.filename().string());
            return writeScratchFile(p, b);
        });
    ini.treatAsScratch(dir.file("temp.tmp"));
    ini.WriteIniValue(dir.file("temp.tmp"), "Tab 0", "Name", "Maths");
    ini.WriteIniValue(dir.file("marks.tly"), "Tab 0", "Name", "Maths");
    ASSERT_TRUE(ini.flushAll());
    EXPECT_EQ(durable, std::vector<std::string>{"marks.tly"});
    EXPECT_EQ(scratch, std::vector<std::string>{"temp.tmp"});
    EXPECT_EQ(bytesOf(dir.path() / "temp.tmp"), "[Tab 0]\r\nName=Maths\r\n");
}

} // namespace
} // namespace tallisto
