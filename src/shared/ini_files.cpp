// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ini_files.h"

#include "shared/ini_document.h"
#include "shared/text_encoding.h"

#include <cctype>
#include <optional>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace tallisto {

namespace {

// What tells one state of a file on disk from another. Times are read to the nanosecond and
// the inode catches files replaced by renaming.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    long long changedSeconds = 0;
    long changedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::string& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return FileStamp{info.st_dev,         info.st_ino,          info.st_size,
                     info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ctim.tv_sec,
                     info.st_ctim.tv_nsec};
}

// Whether two stamps are of the same file with the same bytes: a second name given to a file
// changes its status change time alone.
bool sameContent(const FileStamp& a, const FileStamp& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedSeconds == b.modifiedSeconds && a.modifiedNanoseconds == b.modifiedNanoseconds;
}

std::string cacheKey(const std::string& file) {
    return std::filesystem::path(file).lexically_normal().string();
}

// Far beyond any file the program writes; a larger file reads as absent rather than filling
// the memory.
constexpr off_t largestReadable = off_t{1} << 28;

std::string valueAsRead(std::string value) {
    if (value.size() > IniFiles::longestValue)
        value.resize(leftCharacters(value, IniFiles::longestValue).size());
    return value;
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

struct IniFiles::Entry {
    explicit Entry(std::string file) : path(std::move(file)) {}

    std::string path;                      // as first named; the cache key may spell it differently
    std::unique_ptr<IniDocument> document; // null while the file is absent
    std::optional<FileStamp> stamp;        // the file as parsed or as last flushed
    bool known = false;                    // stamp and document describe the disk
    bool pending = false;                  // the document holds writes not yet flushed
    bool changed = false;                  // and they changed its text
    bool failing = false;                  // the last flush failed
    std::string failure;                   // and why
    bool failureGiven = false;             // takeNewFailures() has returned it
    unsigned checkedInHold = 0;            // the hold of stamps in which it was last compared
    // The bytes that the document's text encodes to, while known without building them: those
    // taken whole or last written. Null once a write changes the document.
    SharedBytes encoded;
    // The file's bytes on disk as last read or written, and the stamp they were taken under;
    // kept only for a file whose bytes are asked for.
    SharedBytes diskBytes;
    std::optional<FileStamp> diskStamp;
    // The revision of the whole document, and of each section written since (lower-case name).
    std::uint64_t revision = 0;
    std::unordered_map<std::string, std::uint64_t> sectionRevisions;

    // Gives the whole document a new revision. A section whose text the document held before
    // byte for byte keeps its own: a working file taken back by undo mostly differs in one
    // section, and what was worked out from the others stays valid.
    void renew(std::uint64_t newRevision, const IniDocument* before = nullptr) {
        std::unordered_map<std::string, std::uint64_t> kept;
        if (before && document) {
            for (const std::string_view name : document->sectionsAsIn(*before)) {
                std::string key = lowerCase(std::string(name));
                const auto found = sectionRevisions.find(key);
                kept.emplace(std::move(key),
                             found != sectionRevisions.end() ? found->second : revision);
            }
        }
        revision = newRevision;
        sectionRevisions = std::move(kept);
    }

    // Reads the document afresh, with new revisions, when the file on disk is no longer the one
    // parsed.
    void refresh(std::uint64_t& lastRevision) {
        auto now = stampOf(path);
        if (known && now == stamp) return;
        // Stamped before reading: a change made while reading shows at the next read.
        stamp = now;
        known = true;
        encoded = {};
        const std::unique_ptr<IniDocument> before = std::move(document);
        std::string bytes;
        if (now && now->size <= largestReadable && readWholeFile(path, bytes))
            document =
                std::make_unique<IniDocument>(IniDocument::parse(decodeFileText(std::move(bytes))));
        renew(++lastRevision, before.get());
    }
};

IniFiles::IniFiles(FileWriter writer, FileWriter scratchWriter)
    : writer_(std::move(writer)), scratchWriter_(std::move(scratchWriter)) {}

void IniFiles::treatAsScratch(const std::string& file) {
    scratchFiles_.insert(cacheKey(file));
}

IniFiles::~IniFiles() = default;

IniFiles::Entry& IniFiles::slotFor(const std::string& file) {
    // Commands read and write thousands of keys of one file in a row: spare them the path's
    // normalisation at every key.
    if (lastEntry_ && file == lastFile_) return *lastEntry_;
    auto& slot = entries_[cacheKey(file)];
    if (!slot) {
        slot = std::make_unique<Entry>(file);
        slot->renew(++lastRevision_);
    }
    lastFile_ = file;
    lastEntry_ = slot.get();
    return *slot;
}

IniFiles::Entry& IniFiles::entryFor(const std::string& file, bool forWriting) {
    Entry& entry = slotFor(file);
    // Pending writes make the document newer than the disk, so it is not read again.
    const bool checked = holding_ && entry.known && entry.checkedInHold == hold_;
    if (!entry.pending && !checked) {
        entry.refresh(lastRevision_);
        entry.checkedInHold = hold_;
    }
    if (forWriting && !entry.document) entry.document = std::make_unique<IniDocument>();
    return entry;
}

std::string IniFiles::ReadIniValue(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& defaultText) {
    Entry& entry = entryFor(file, false);
    std::optional<std::string> value;
    if (entry.document) value = entry.document->value(section, key);
    return valueAsRead(value ? std::move(*value) : defaultText);
}

void IniFiles::WriteIniValue(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) {
    Entry& entry = entryFor(file, true);
    const bool changed = entry.document->setValue(section, key, value);
    entry.pending = true; // newer than the disk or the same: either way not read again
    if (!changed) return;
    entry.changed = true;
    entry.encoded = {};
    entry.sectionRevisions[lowerCase(section)] = ++lastRevision_;
}

IoResult IniFiles::flush(const std::string& file) {
    auto found = entries_.find(cacheKey(file));
    if (found == entries_.end() || !found->second->pending) return IoResult::success();
    Entry& entry = *found->second;
    // Writes that left the text as it was, to a file still as it was read or written, need no
    // write: a tab stored again unchanged, as leaving it stores it, costs nothing on disk.
    if (!entry.changed && entry.known && stampOf(entry.path) == entry.stamp) {
        entry.pending = false;
        return IoResult::success();
    }
    const FileWriter& write = scratchFiles_.count(found->first) ? scratchWriter_ : writer_;
    if (!entry.encoded) entry.encoded = SharedBytes(encodeFileText(entry.document->text()));
    IoResult result = write(entry.path, *entry.encoded);
    if (!result) {
        // The changes are the only copy of what could not be written: they stay.
        entry.failing = true;
        entry.failure = result.reason;
        return result;
    }
    entry.failing = entry.failureGiven = false;
    entry.pending = entry.changed = false;
    entry.stamp = stampOf(entry.path);
    entry.known = true;
    if (bytesKept_.count(found->first)) {
        entry.diskBytes = entry.encoded;
        entry.diskStamp = entry.stamp;
    } else {
        entry.encoded = {}; // a save file's bytes are not needed again
    }
    return result;
}

IoResult IniFiles::flushAll() {
    IoResult first = IoResult::success();
    std::vector<std::string> files;
    for (const auto& [key, entry] : entries_)
        if (entry->pending) files.push_back(entry->path);
    for (const std::string& file : files) {
        IoResult result = flush(file);
        if (!result && first) first = result;
    }
    return first;
}

std::vector<IniFiles::Unwritten> IniFiles::takeNewFailures() {
    std::vector<Unwritten> failures;
    for (auto& [key, entry] : entries_) {
        if (!entry->failing || entry->failureGiven) continue;
        entry->failureGiven = true;
        failures.push_back({entry->path, entry->failure});
    }
    return failures;
}

SharedBytes IniFiles::unwrittenBytes(const std::string& file) {
    auto found = entries_.find(cacheKey(file));
    if (found == entries_.end() || !found->second->pending || !found->second->failing) return {};
    Entry& entry = *found->second;
    if (!entry.encoded) entry.encoded = SharedBytes(encodeFileText(entry.document->text()));
    return entry.encoded;
}

std::size_t IniFiles::textSize(const std::string& file) {
    const Entry& entry = entryFor(file, false);
    return entry.document ? entry.document->textSize() : 0;
}

IniDocument* IniFiles::documentFor(const std::string& file) {
    return entryFor(file, false).document.get();
}

// The first 254 characters of a value; nearly every value is shorter and needs no counting.
std::string_view IniFiles::cutToLongest(std::string_view value) {
    return value.substr(0, leftCharacters(value, longestValue).size());
}

std::size_t IniFiles::countKeys(const std::string& file, const std::string& section,
                                bool (*counted)(std::string_view name)) {
    const Entry& entry = entryFor(file, false);
    return entry.document ? entry.document->countKeys(section, counted) : 0;
}

void IniFiles::holdStamps(bool hold) {
    if (hold && !holding_) ++hold_;
    holding_ = hold;
}

void IniFiles::startAfresh(const std::string& file) {
    Entry& entry = slotFor(file);
    entry.document = std::make_unique<IniDocument>();
    entry.pending = entry.changed = true;
    entry.encoded = {};
    entry.renew(++lastRevision_);
}

bool IniFiles::exists(const std::string& file) {
    auto found = entries_.find(cacheKey(file));
    return (found != entries_.end() && found->second->pending) || fileExists(file);
}

IoResult IniFiles::remove(const std::string& file) {
    forgetLastEntry();
    entries_.erase(cacheKey(file));
    return removeFile(file);
}

void IniFiles::discard(const std::string& file) {
    forgetLastEntry();
    entries_.erase(cacheKey(file));
}

void IniFiles::adopt(const std::string& file, SharedBytes bytes) {
    Entry& entry = slotFor(file);
    Entry fresh(entry.path);
    fresh.diskBytes = std::move(entry.diskBytes);
    fresh.diskStamp = entry.diskStamp;
    fresh.revision = entry.revision;
    fresh.sectionRevisions = std::move(entry.sectionRevisions);
    const bool ascii = isAscii(*bytes);
    fresh.document = std::make_unique<IniDocument>(
        IniDocument::parse(ascii ? std::string(*bytes) : decodeFileText(std::string(*bytes))));
    // Other bytes may be written otherwise than they came: encoding the text decides.
    if (ascii) fresh.encoded = std::move(bytes);
    fresh.pending = fresh.changed = true;
    fresh.renew(++lastRevision_, entry.document.get());
    entry = std::move(fresh);
}

SharedBytes IniFiles::bytesOnDisk(const std::string& file) {
    Entry& entry = slotFor(file);
    bytesKept_.insert(cacheKey(file));
    const std::optional<FileStamp> now = stampOf(entry.path);
    if (entry.diskStamp && now == entry.diskStamp) return entry.diskBytes;
    // Stamped before reading, as a document is.
    std::string bytes;
    entry.diskStamp = now;
    entry.diskBytes =
        now && readWholeFile(entry.path, bytes) ? SharedBytes(std::move(bytes)) : SharedBytes();
    if (!entry.diskBytes) entry.diskStamp.reset();
    return entry.diskBytes;
}

void IniFiles::release(const std::string& file) {
    auto found = entries_.find(cacheKey(file));
    if (found == entries_.end() || found->second->pending) return;
    forgetLastEntry();
    entries_.erase(found);
}

IoResult IniFiles::linkAsWritten(const std::string& file, const std::string& link,
                                 const SharedBytes& bytes) {
    const auto found = entries_.find(cacheKey(file));
    if (found == entries_.end() || !bytes || found->second->diskBytes.buffer() != bytes.buffer() ||
        stampOf(found->second->path) != found->second->diskStamp)
        return IoResult::failure("Cannot link " + link + ": " + file + " has changed");
    Entry& entry = *found->second;
    if (IoResult linked = linkFile(entry.path, link); !linked) return linked;
    // The file may have been replaced between the look at it and the link.
    const std::optional<FileStamp> linked = stampOf(link);
    if (!linked || !sameContent(*linked, *entry.diskStamp)) {
        removeFile(link);
        return IoResult::failure("Cannot link " + link + ": " + file + " has changed");
    }
    // Still the file read or written: it must not read as changed.
    if (entry.known && entry.stamp == entry.diskStamp) entry.stamp = linked;
    entry.diskStamp = linked;
    return IoResult::success();
}

bool IniFiles::sectionExists(const std::string& file, const std::string& section) {
    const Entry& entry = entryFor(file, false);
    return entry.document && entry.document->hasSection(section);
}

int IniFiles::highestNumberedSection(const std::string& file, const std::string& prefix) {
    const Entry& entry = entryFor(file, false);
    return entry.document ? entry.document->highestNumberedSection(prefix) : -1;
}

std::uint64_t IniFiles::sectionRevision(const std::string& file, const std::string& section) {
    const Entry& entry = entryFor(file, false);
    const auto found = entry.sectionRevisions.find(lowerCase(section));
    return found != entry.sectionRevisions.end() ? found->second : entry.revision;
}

} // namespace tallisto
