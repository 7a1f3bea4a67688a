// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// INI files, read and written key by key.
//
// A file is parsed once into a document and kept; a read checks that the file on disk is still
// the one parsed (size, modification time, inode), so edits made by another program, such as the
// user editing graderanges.txt, are seen at the next read. Writes change the document only; the
// document is written whole, atomically, by flush(). The program flushes at the end of every
// command and before every dialog, so that between commands each file on disk holds exactly what
// writing key by key would have left. n reads or writes of one file thus cost O(n).
#include "shared/file_io.h"
#include "shared/ini_document.h"
#include "shared/shared_bytes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tallisto {

class IniFiles {
public:
    // writer writes every file; scratchWriter the files marked as scratch.
    explicit IniFiles(FileWriter writer = writeFileAtomically,
                      FileWriter scratchWriter = writeScratchFile);
    ~IniFiles();
    IniFiles(const IniFiles&) = delete;
    IniFiles& operator=(const IniFiles&) = delete;

    // The value of key in section of file, or defaultText when the file, the section or the key
    // is absent. Names match without regard to letter case. At most 254 characters are returned.
    // A missing file is never created by a read.
    std::string ReadIniValue(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultText);

    // Sets key in section of file to value; carriage returns and line feeds in value become
    // blanks. An existing key line is rewritten in place; a new key goes at the end of its
    // section, a new section at the end of the file; every other line stays as it was.
    void WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value);

    // Writes the pending changes of one file, or of all files, to disk. When a file cannot be
    // written its changes stay pending: it reads as written, and the next flush tries again.
    // Changes that left the text as it was are not written while the file on disk is still the
    // one last read or written.
    IoResult flush(const std::string& file);
    IoResult flushAll();

    // The files that could not be written at their last flush and that no caller has been given
    // yet: each failure is given once, until the file is written again and fails anew.
    struct Unwritten {
        std::string file;
        std::string reason;
    };
    std::vector<Unwritten> takeNewFailures();

    // The bytes flush() would write for file while its changes could not be written: then they,
    // and not the disk, hold the file. None once they are on disk.
    SharedBytes unwrittenBytes(const std::string& file);

    // Each key of section in file once, in the file's order, as ReadIniValue reads it: a
    // section of thousands of keys read in one pass, the file compared with the disk once. The
    // name is as written at the key's first line; the views last until the next call. A template,
    // as the document's, so that a section of thousands of keys is read without a call for each.
    template <class Visit>
    void forEachKey(const std::string& file, const std::string& section, Visit&& each) {
        IniDocument* document = documentFor(file);
        if (document == nullptr) return;
        document->forEachKey(section, [&each](std::string_view name, std::string_view value) {
            each(name, value.size() <= longestValue ? value : cutToLongest(value));
        });
    }

    // How many different keys of a section of file have names that `counted` accepts.
    std::size_t countKeys(const std::string& file, const std::string& section,
                          bool (*counted)(std::string_view name));

    // While held, each file is compared with the disk once instead of at every read: for the
    // length of a command that reads many thousand keys in a row with no dialog in between
    // (opening, saving), where no edit by another program can be waited for.
    void holdStamps(bool hold);
    bool holdingStamps() const { return holding_; }

    // The next writes build file from nothing, as if it had been deleted first; the file on disk
    // is left alone until flush(), which then replaces it whole.
    void startAfresh(const std::string& file);

    // The size of file's text as it reads now, pending changes included, before its letters are
    // encoded for the disk (which never makes it longer); 0 for an absent file.
    std::size_t textSize(const std::string& file);

    // Whether file exists, counting pending changes that flush() will write.
    bool exists(const std::string& file);

    // Whether file has a section of that name (letter case aside), even one without keys.
    bool sectionExists(const std::string& file, const std::string& section);

    // The highest n for which file has a section named prefix + n, n written in decimal without
    // leading zeros; -1 when it has none.
    int highestNumberedSection(const std::string& file, const std::string& prefix);

    // Deletes file and forgets its pending changes.
    IoResult remove(const std::string& file);

    // Forgets pending changes of file without writing them, for content that lives elsewhere
    // too (a save file built from the tabs).
    void discard(const std::string& file);

    // Takes bytes as the whole content of file, written by the next flush: until it is, file
    // reads as they say. Pending changes and failures of file are forgotten. Bytes in ASCII are
    // written as they are, in the same buffer, unless a write changes them first. Sections whose
    // text stays byte for byte as it was keep their revisions.
    void adopt(const std::string& file, SharedBytes bytes);

    // The bytes of file as they stand on disk; none when it is absent. Once asked for, the bytes
    // of each later flush are kept and given in the same buffer while the file on disk is still
    // the one written, so that the working file is not read back after every command that wrote
    // it; a file changed by anything else is read again.
    SharedBytes bytesOnDisk(const std::string& file);

    // Gives file on disk a second name, link (see linkFile()), when it is still the file whose
    // bytes bytesOnDisk() gave as `bytes`, the same buffer: the bytes are kept under that name
    // without being written again. Fails otherwise, leaving no file of that name.
    IoResult linkAsWritten(const std::string& file, const std::string& link,
                           const SharedBytes& bytes);

    // Forgets the parsed content of a file that has no pending changes, once it has been read
    // for good (a save file opened): it is read again when next needed.
    void release(const std::string& file);

    // A number that changes whenever a read of section in file may give something new: a write
    // to that section, the file read afresh from disk or adopted with other text in that
    // section, the file started afresh, or the file forgotten (removed, its changes discarded or
    // dropped). What is worked out from a section can be kept for as long as its revision stays
    // the same.
    std::uint64_t sectionRevision(const std::string& file, const std::string& section);

    // Marks file as a scratch file, written without waiting for the disk: its content does not
    // outlive the program, and waiting would cost more than a frame on every change.
    void treatAsScratch(const std::string& file);

    // The most characters a value reads as.
    static constexpr std::size_t longestValue = 254;

private:
    struct Entry;
    Entry& entryFor(const std::string& file, bool forWriting);
    IniDocument* documentFor(const std::string& file); // for reading; none for an absent file
    static std::string_view cutToLongest(std::string_view value);
    Entry& slotFor(const std::string& file);
    void forgetLastEntry() { lastEntry_ = nullptr; }
    FileWriter writer_;
    FileWriter scratchWriter_;
    std::set<std::string> scratchFiles_; // cache keys
    std::set<std::string> bytesKept_;    // cache keys of the files whose bytes were asked for
    std::map<std::string, std::unique_ptr<Entry>> entries_;
    std::string lastFile_; // the file named last, as named, and its entry
    Entry* lastEntry_ = nullptr;
    bool holding_ = false;
    unsigned hold_ = 0; // counts the holds, so that each compares every file afresh
    std::uint64_t lastRevision_ = 0;
};

// Holds the stamps of the program's files for the length of a scope.
class StampHold {
public:
    explicit StampHold(IniFiles& ini) : ini_(ini), held_(ini.holdingStamps()) {
        ini_.holdStamps(true);
    }
    ~StampHold() { ini_.holdStamps(held_); }
    StampHold(const StampHold&) = delete;
    StampHold& operator=(const StampHold&) = delete;

private:
    IniFiles& ini_;
    bool held_;
};

} // namespace tallisto
