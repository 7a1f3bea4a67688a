// SPDX-License-Identifier: GPL-3.0-or-later
// Files written whole or not at all, the folder where the program keeps its own, and INI files
// read and written key by key in the text encodings the Windows version reads.
#include "shared/file_io.h"
#include "shared/folder_support.h"
#include "shared/ini_files.h"
#include "shared/program_directory.h"
#include "shared/text_encoding.h"
#include "support/test_program.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <unistd.h>

namespace tallisto::testing {
namespace {

namespace fs = std::filesystem;

// A write through a link replaces the file it leads to whole, keeping its permissions, or fails
// leaving nothing; temporary files that killed writes left in the folder go, while those of live
// processes and files of other names stay.
TEST(FileIo, aWriteReplacesTheFileWholeOrNotAtAllAndClearsWhatKilledWritesLeft) {
    TempDir dir;
    const auto file = dir.path() / "save.tly";
    putBytes(file, "old content that is longer");
    fs::permissions(file, fs::perms(0640));
    fs::create_symlink("save.tly", dir.path() / "link.tly");
    const std::string live = ".save.tly." + std::to_string(::getppid()) + "-0.tmp";
    const std::string own = ".save.tly." + std::to_string(::getpid()) + "-9.tmp";
    for (const std::string name : {".save.tly.999999999-0.tmp", ".x.999999998-12.tmp", live.c_str(),
                                   own.c_str(), ".save.tly.swp", "save.999999999-0.tmp"})
        putBytes(dir.path() / name, "left");
    ASSERT_TRUE(writeFileAtomically(dir.path() / "link.tly", "new\r\n"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640)) << "a replaced file keeps them";
    // A size limit makes the write itself fail part way, even for root.
    ignoreFileSizeLimitSignal();
    const FileWriter limited = failingAfter(10, [](const fs::path&) { return true; });
    EXPECT_EQ(limited(file, std::string(100, 'x')).reason,
              "Cannot write " + file.string() + ": File too large");
    EXPECT_EQ(filesIn(dir.path()), (Files{{"save.tly", "new\r\n"},
                                          {"link.tly", "-> save.tly"},
                                          {live, "left"},
                                          {own, "left"},
                                          {".save.tly.swp", "left"},
                                          {"save.999999999-0.tmp", "left"}}));
    EXPECT_TRUE(removeFile(dir.path() / "absent")) << "an absent file counts as removed";
    EXPECT_FALSE(fileExists(dir.path())) << "a folder is no file";
}

// An install prefix in a temporary folder: the program in bin/, the packaged ranges in
// share/tallisto/ (after a data folder that does not exist), and a home without ~/.config yet.
struct Prefix {
    TempDir root;
    fs::path bin = root.path() / "bin";
    fs::path data = root.path() / "share" / "tallisto";
    fs::path config = root.path() / "home" / ".config";
    ProgramDirectoryPlaces places{bin, {root.path() / "nowhere", data}, config};

    Prefix() {
        fs::create_directories(bin);
        fs::create_directories(data);
        putBytes(data / "graderanges.txt", "installed");
    }
    // Whether a folder was found, whether beside the program, and which.
    auto found(const WritableCheck& writable = isWritableFolder) const {
        const ProgramDirectory dir = findProgramDirectory(places, writable);
        return std::tuple(dir.ok, dir.besideExecutable, dir.path);
    }
};

TEST(ProgramDirectory,
     isBesideAWritableProgramWithItsRangesElseTheSeededConfigurationFolderElseNone) {
    Prefix prefix;
    const fs::path config = prefix.config / "tallisto";
    const auto installed = std::tuple(true, false, config);
    putBytes(prefix.bin / "graderanges.txt", "beside");
    EXPECT_EQ(prefix.found(), std::tuple(true, true, prefix.bin));
    EXPECT_FALSE(fs::exists(prefix.config)) << "a program beside its files touches no home";
    EXPECT_EQ(prefix.found([&](const fs::path& folder) { return folder != prefix.bin; }),
              installed);
    EXPECT_EQ(bytesOf(config / "graderanges.txt"), "installed");

    // Without graderanges.txt beside it the program counts as installed, even for root.
    fs::remove(prefix.bin / "graderanges.txt");
    putBytes(config / "graderanges.txt", "edited");
    putBytes(prefix.data / "graderanges.txt", "updated package");
    EXPECT_EQ(prefix.found(), installed);
    EXPECT_EQ(bytesOf(config / "graderanges.txt"), "edited") << "the user's copy is kept";

    if (::geteuid() != 0) { // root writes into read-only folders
        putBytes(prefix.bin / "graderanges.txt", "beside");
        fs::permissions(prefix.bin, fs::perms(0555));
        const auto readOnly = prefix.found();
        fs::permissions(prefix.bin, fs::perms(0755));
        EXPECT_EQ(readOnly, installed);
    }
    // No usable folder is an error naming both places.
    Prefix broken;
    putBytes(broken.root.path() / "home", "a file where the folder should be");
    const ProgramDirectory dir = findProgramDirectory(broken.places, [](auto&) { return true; });
    EXPECT_FALSE(dir.ok);
    EXPECT_NE(dir.reason.find(broken.bin.string()), std::string::npos) << dir.reason;
    EXPECT_NE(dir.reason.find((broken.config / "tallisto").string()), std::string::npos);
}

class IniFilesTest : public ::testing::Test {
protected:
    std::string read(const std::string& key, const std::string& section = "A") {
        return ini.ReadIniValue(file, section, key, "0");
    }
    // Writes x in section A, and reads it back as a program that has not seen the file before.
    std::string writeAndReadAfresh(const std::string& value) {
        ini.WriteIniValue(file, "A", "x", value);
        EXPECT_TRUE(ini.flush(file));
        return IniFiles().ReadIniValue(file, "A", "x", "0");
    }

    TempDir dir;
    std::string file = dir.file("temp.tmp");
    IniFiles ini;
};

TEST_F(IniFilesTest, linesAreReadAsWindowsReadsThem) {
    EXPECT_EQ(read("x"), "0");
    EXPECT_FALSE(fileExists(file)) << "a read creates nothing";
    // Lines may end in LF alone; keys before any section and in a repeated one are not read, nor
    // a line that opens a bracket it does not close.
    putBytes(file, "x=before\n[ A ]\n; x=comment\n  name  =  spaced out  \r\n"
                   "quoted=\"  kept  \"\r\nsingle=' q '\ntwice=first\ntwice=second\n"
                   "w1252=Caf\xE9 \x80\nZZ_top=z\n[open=1\n[A]\nlater=hidden\n");
    const std::pair<const char*, const char*> cases[] = {
        {"zz_TOP", "z"}, // first: found through its table, not as the line after a key read
        {"x", "0"},        {"NAME", "spaced out"}, {"quoted", "  kept  "},
        {"single", " q "}, {"twice", "first"},     {"w1252", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"[open", "0"},    {"later", "0"},
    };
    for (const auto& [key, value] : cases)
        EXPECT_EQ(read(key, "a"), value) << key;
    EXPECT_EQ(read("name", "B"), "0");
    EXPECT_EQ(ini.countKeys(file, "A", [](std::string_view) { return true; }), 6u)
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
    TempDir dir;
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
        EXPECT_EQ(writeAndReadAfresh(value), value) << '[' << value << ']';
        EXPECT_EQ(read("x"), value) << '[' << value << ']';
    }
    // A longer value is written whole and read back cut, counting characters, not bytes.
    EXPECT_EQ(writeAndReadAfresh(std::string(300, 'x')), std::string(254, 'x'));
    EXPECT_NE(bytesOf(file).find(std::string(300, 'x')), std::string::npos);
    std::string letters;
    for (int i = 0; i < 300; ++i)
        letters += "\xC3\xA9";
    EXPECT_EQ(writeAndReadAfresh(letters), letters.substr(0, 2 * 254));
}

// Save files wait for the disk and may fail; the working file is scratch and does not wait. What
// a flush cannot write stays and reads as written; the failure is given once until written.
TEST_F(IniFilesTest, scratchFilesHaveTheirOwnWriterAndAFailedFlushKeepsTheChanges) {
    const std::string save = dir.file("marks.tly");
    putBytes(save, "[A]\r\nx=1\r\n");
    bool full = true;
    IniFiles failing(refusingWriter([](const auto&) { return true; }, "No space left", &full));
    failing.treatAsScratch(file);
    failing.WriteIniValue(file, "A", "x", "2");
    failing.WriteIniValue(save, "A", "x", "2");
    EXPECT_EQ(failing.flushAll().reason, "No space left");
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

// A working file taken back whole, by undo or from the disk, keeps the revision of every section
// whose text is as it was, so that what was worked out from it is not worked out again; every
// section whose text changed, letter for letter, gets a new one.
TEST_F(IniFilesTest, aFileTakenBackWholeRenewsTheRevisionsOfExactlyTheSectionsThatChanged) {
    const std::string held = "; tabs\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n";
    // name, the file taken back, the sections of A, B and C whose revision must change
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"nothing changed", held, ""},
        {"a key of a section read before", "[A]\r\nx=9\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n",
         "A"},
        {"a key of a section written before", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=5\r\n",
         "C"},
        {"a key of a section never read", "[A]\r\nx=1\r\n[B]\r\ny=3\r\n[C]\r\nz=3\r\nw=4\r\n", "B"},
        {"a line end alone", "[A]\r\nx=1\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=4", "AC"},
        {"a section added between two",
         "[A]\r\nx=1\r\n[D]\r\nv=1\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n", ""},
        {"a section removed", "[A]\r\nx=1\r\n[C]\r\nz=3\r\nw=4\r\n", "B"},
        {"a section renamed", "[A]\r\nx=1\r\n[E]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n", "B"},
        {"a section repeated after it", held + "[B]\r\ny=7\r\n", ""},
        {"a section repeated before it",
         "[A]\r\nx=1\r\n[b]\r\ny=7\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n", "B"},
        {"a name in other letters", "[a]\r\nx=1\r\n[ B ]\r\ny=2\r\n[C]\r\nz=3\r\nw=4\r\n", ""},
    };
    for (const bool fromDisk : {false, true}) {
        for (const auto& [name, after, changed] : cases) {
            SCOPED_TRACE(std::string(name) + (fromDisk ? ", from the disk" : ", by adopt"));
            putBytes(file, "; tabs\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nz=3");
            IniFiles ini;
            ini.ReadIniValue(file, "A", "x", ""); // split into lines
            ini.WriteIniValue(file, "C", "w", "4");
            ASSERT_TRUE(ini.flush(file));
            ASSERT_EQ(bytesOf(file), held);
            std::map<std::string, std::uint64_t> before;
            for (const char* section : {"A", "B", "C"})
                before[section] = ini.sectionRevision(file, section);
            if (fromDisk)
                putBytes(file, after);
            else
                ini.adopt(file, SharedBytes(std::string(after)));
            std::string renewed;
            for (const auto& [section, revision] : before)
                if (ini.sectionRevision(file, section) != revision) renewed += section;
            EXPECT_EQ(renewed, changed);
        }
    }
}

// Text whose every letter has a place in Windows-1252 is stored in it, so that the Windows
// version reads the same letters; other text in UTF-8, so that no letter is lost.
TEST(TextEncoding, textIsStoredInWindows1252WhenItFitsAndReadsBackAlike) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"ASCII", "Maths 12.5", "Maths 12.5"},
        {"e acute", "Caf\xC3\xA9", "Caf\xE9"},
        {"euro sign", "5\xE2\x82\xAC", "5\x80"},
        {"curly quotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},
        {"undefined byte stands for its control character", "\xC2\x81", "\x81"},
        {"Chinese", "\xE6\x95\xB0\xE5\xAD\xA6", "\xE6\x95\xB0\xE5\xAD\xA6"},
        {"Chinese beside a Windows-1252 letter", "\xC3\xA9\xE6\x95\xB0", "\xC3\xA9\xE6\x95\xB0"},
        {"Windows-1252 letters that would read as UTF-8", "\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
    };
    for (const auto& [name, text, bytes] : cases) {
        EXPECT_EQ(encodeFileText(text), bytes) << name;
        EXPECT_EQ(decodeFileText(bytes), text) << name;
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(characterCount(decodeFileText(bytes)), 1u) << byte;
        EXPECT_EQ(encodeFileText(decodeFileText(bytes)), bytes) << byte;
    }
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF[Tab 0]"), "[Tab 0]") << "a byte-order mark is dropped";
}

} // namespace
} // namespace tallisto::testing
