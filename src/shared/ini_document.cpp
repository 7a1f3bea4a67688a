// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ini_document.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace tallisto {

namespace {

using ini_text::isBlank;
using ini_text::isQuoted;
using ini_text::readValue;
using ini_text::trim;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    // Names are nearly always asked for as they are written.
    if (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The bytes of a number whose letters are upper case ASCII letters, changed to lower case.
std::uint64_t lowerBytes(std::uint64_t bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t seven = bytes & (ones * 0x7F);
    // The top bit of each byte: set where it is ASCII, where it is 'A' or above, where above 'Z'.
    const std::uint64_t ascii = ~bytes & (ones * 0x80);
    const std::uint64_t fromA = seven + ones * (0x80 - 'A');
    const std::uint64_t aboveZ = seven + ones * (0x80 - 'Z' - 1);
    return bytes | ((ascii & fromA & ~aboveZ) >> 2);
}

// One to eight bytes of a name as one number, its letters in lower case. Fewer than eight are read
// as pieces that together hold each byte, so that the number depends on the bytes alone whatever
// the machine's byte order.
std::uint64_t nameBytes(const char* at, std::size_t size) {
    std::uint64_t bytes = 0;
    if (size == 8) {
        std::memcpy(&bytes, at, 8);
    } else if (size >= 4) {
        std::uint32_t first, last;
        std::memcpy(&first, at, 4);
        std::memcpy(&last, at + size - 4, 4);
        bytes = first | std::uint64_t{last} << 32;
    } else {
        bytes = static_cast<unsigned char>(at[0]) |
                static_cast<std::uint64_t>(static_cast<unsigned char>(at[size / 2])) << 8 |
                static_cast<std::uint64_t>(static_cast<unsigned char>(at[size - 1])) << 16;
    }
    return lowerBytes(bytes);
}

// The name read eight bytes at a time with its letters in lower case, then mixed so that names
// differing in their last digit spread over the whole table.
std::uint32_t nameHash(std::string_view name) {
    constexpr std::uint64_t odd = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = 14695981039346656037ull ^ name.size();
    const char* at = name.data();
    std::size_t left = name.size();
    for (; left > 8; left -= 8, at += 8)
        h = (h ^ nameBytes(at, 8)) * odd;
    if (left > 0) h = (h ^ nameBytes(at, left)) * odd;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    return static_cast<std::uint32_t>(h ^ (h >> 29));
}

// Where the name of a section line lies within the line.
std::optional<std::pair<std::size_t, std::size_t>> sectionNameAt(std::string_view line) {
    const std::string_view trimmed = trim(line);
    const auto close = trimmed.find(']');
    if (!trimmed.starts_with('[') || close == std::string_view::npos) return std::nullopt;
    const std::string_view name = trim(trimmed.substr(1, close - 1));
    return std::pair{static_cast<std::size_t>(name.data() - line.data()), name.size()};
}

// The key of a line and its name's hash: the name is what comes before the line's first '=',
// without the blanks around it. Comment lines, section lines and lines without '=' hold none.
struct LineKey {
    std::string_view name;
    std::uint32_t hash = 0;
    bool found = false;
};

LineKey keyOfLine(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    if (begin == line.size() || line[begin] == ';' || line[begin] == '[') return {};
    const auto* equals =
        static_cast<const char*>(std::memchr(line.data() + begin, '=', line.size() - begin));
    if (equals == nullptr) return {};
    std::size_t end = static_cast<std::size_t>(equals - line.data());
    while (end > begin && isBlank(line[end - 1]))
        --end;
    const std::string_view name = line.substr(begin, end - begin);
    return {name, nameHash(name), true};
}

// The size of a key table that has held `keys` keys since it was empty: the smallest that keeps
// it at most three quarters full as it grows by doubling.
std::size_t keyTableFor(std::size_t keys) {
    std::size_t size = 8;
    while (keys * 4 > size * 3)
        size *= 2;
    return size;
}

std::string writtenValue(std::string_view value) {
    std::string text(value);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    bool needsQuotes = !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
    return needsQuotes || isQuoted(text) ? '"' + text + '"' : text;
}

// Whether writtenValue(value) is value itself.
bool writtenAsItIs(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos &&
           (value.empty() || (!isBlank(value.front()) && !isBlank(value.back()))) &&
           !isQuoted(value);
}

// Whether line reads exactly key=value.
bool sameLine(std::string_view line, std::string_view key, std::string_view value) {
    return line.size() == key.size() + 1 + value.size() && line.starts_with(key) &&
           line[key.size()] == '=' && line.ends_with(value);
}

constexpr std::size_t smallestTable = 16;

} // namespace

IniDocument IniDocument::parse(std::string text) {
    if (text.size() > longestLine) throw std::length_error("an INI file of 512 MB or more");
    IniDocument document;
    document.store_ = std::move(text);
    // Counted first, so that the tables are made once at their size: growing them by doubling
    // would hold the old and the new copy at once, and a file of nothing but short section lines
    // would take twice the memory it needs.
    std::size_t sectionLines = 0;
    for (std::size_t at = document.nextSectionLine(0); at != npos;
         at = document.nextSectionLine(document.lineAfter(at)))
        ++sectionLines;
    document.sections_.reserve(sectionLines + 1);
    document.lines_.reserve(2 * sectionLines + 1);
    std::size_t body = 0;
    for (std::size_t at = document.nextSectionLine(0); at != npos;
         at = document.nextSectionLine(body)) {
        document.addUnsplit(body, at);
        document.addSectionLine(at);
        body = document.lineAfter(at);
    }
    document.addUnsplit(body, document.store_.size());
    return document;
}

// The line that begins at begin in text: its size without its end, and how it ends. Lines end in
// LF or CR LF; the text's last line may have no end.
IniDocument::Span IniDocument::lineAt(std::string_view text, std::size_t begin) {
    const std::size_t newline = text.find('\n', begin);
    if (newline == npos) return {text.size() - begin, LineEnd::none, text.size()};
    const std::size_t size = newline - begin;
    if (size > 0 && text[newline - 1] == '\r') return {size - 1, LineEnd::crlf, newline + 1};
    return {size, LineEnd::lf, newline + 1};
}

std::size_t IniDocument::lineAfter(std::size_t begin) const {
    return lineAt(store_, begin).next;
}

// Where the first section line at or after from, where a line begins, begins; npos when there is
// none. Only a line whose first character after blanks is '[' can be one, so the text is searched
// for that character alone.
std::size_t IniDocument::nextSectionLine(std::size_t from) const {
    const std::string_view text = store_;
    for (std::size_t at = from; at < text.size();) {
        const std::size_t bracket = text.find('[', at);
        if (bracket == npos) return npos;
        std::size_t begin = bracket;
        while (begin > at && isBlank(text[begin - 1]))
            --begin;
        const bool startsLine = begin == at || text[begin - 1] == '\n';
        const Span line = lineAt(text, begin);
        if (startsLine && sectionNameAt(text.substr(begin, line.size))) return begin;
        at = line.next; // no later '[' on this line begins it
    }
    return npos;
}

std::uint32_t IniDocument::addParsedLine(std::size_t begin, std::size_t size, LineEnd end) {
    const auto index = static_cast<std::uint32_t>(lines_.size());
    lines_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(size),
                      static_cast<std::uint32_t>(end), 0, none});
    return index;
}

// The lines from begin to end, whole lines all of them, become the last section's unsplit line.
void IniDocument::addUnsplit(std::size_t begin, std::size_t end) {
    if (begin == end) return;
    const std::string_view text(store_.data() + begin, end - begin);
    std::size_t size = text.size();
    LineEnd lineEnd = LineEnd::none;
    if (text.ends_with('\n')) {
        lineEnd = size >= 2 && text[size - 2] == '\r' ? LineEnd::crlf : LineEnd::lf;
        size -= lineEnd == LineEnd::crlf ? 2 : 1;
    }
    const std::uint32_t line = addParsedLine(begin, size, lineEnd);
    linkAfter(last_, line);
    sections_.back().unsplit = line;
}

void IniDocument::addSectionLine(std::size_t begin) {
    const Span span = lineAt(store_, begin);
    const std::uint32_t index = addParsedLine(begin, span.size, span.end);
    linkAfter(last_, index);
    const auto name = sectionNameAt(lineText(index));
    sections_.push_back({index,
                         index,
                         static_cast<std::uint32_t>(name->first),
                         static_cast<std::uint32_t>(name->second),
                         0,
                         {},
                         none});
    const auto section = static_cast<std::uint32_t>(sections_.size() - 1);
    const std::string_view sectionName = sectionNameOf(sections_.back());
    if (findSection(sectionName) == none) indexSection(section, nameHash(sectionName));
}

// The section's unsplit line becomes its lines, each key indexed as reading the file line by line
// indexes it: the first line of each key, and the last key line as the one new keys follow. The
// lines are made in the file's order, each the one after the line made before it.
void IniDocument::split(std::uint32_t section) {
    const std::uint32_t whole = sections_[section].unsplit;
    if (whole == none) return;
    sections_[section].unsplit = none;
    const Line piece = lines_[whole];
    // Its last line's end lies beyond it: the lines are looked for up to the end of that line.
    const std::string_view text(store_.data(), piece.begin + piece.size);
    // Counted as a sum, which the compiler makes a vector loop: std::count went byte by byte at
    // twice the cost.
    std::size_t lineEnds = 0;
    for (std::size_t at = piece.begin; at < text.size(); ++at)
        lineEnds += text[at] == '\n';
    if (lines_.size() + lineEnds > lines_.capacity())
        lines_.reserve(std::max(lines_.size() + lineEnds, lines_.capacity() * 3 / 2));
    std::size_t linesLeft = lineEnds + 1;
    std::uint32_t line = whole;
    for (std::size_t at = piece.begin;; --linesLeft) {
        Span span = lineAt(text, at);
        const bool last = span.end == LineEnd::none;
        if (last) span.end = static_cast<LineEnd>(piece.end);
        const Line made{static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(span.size),
                        static_cast<std::uint32_t>(span.end), 0, none};
        if (line == whole)
            lines_[line] = made;
        else
            lines_.push_back(made);
        // Keys before any section are never read.
        if (section != 0) indexKeyLine(section, line, linesLeft);
        if (last) break;
        at = span.next;
        lines_[line].next = static_cast<std::uint32_t>(lines_.size());
        line = lines_[line].next;
    }
    lines_[line].next = piece.next;
    if (last_ == whole) last_ = line;
}

// The table is sized at the section's first key line for every line from there on, so that it
// is not grown while the section is split.
void IniDocument::indexKeyLine(std::uint32_t section, std::uint32_t line, std::size_t linesLeft) {
    const LineKey key = keyOfLine(lineText(line));
    if (!key.found) return;
    Section& owner = sections_[section];
    if ((owner.keysIndexed + 1) * 4 > owner.keys.size() * 3)
        growKeyTable(owner, keyTableFor(owner.keysIndexed + linesLeft));
    const std::size_t mask = owner.keys.size() - 1;
    for (std::size_t slot = key.hash & mask;; slot = (slot + 1) & mask) {
        KeySlot& entry = owner.keys[slot];
        if (entry.line == none) {
            fill(entry, section, line, key.hash);
            break;
        }
        if (entry.hash == key.hash && sameName(keyNameOf(lineText(entry.line)), key.name)) break;
    }
    owner.lastKey = line;
}

std::string_view IniDocument::sectionNameOf(const Section& section) const {
    return lineText(section.header).substr(section.nameOffset, section.nameSize);
}

std::string_view IniDocument::keyNameOf(std::string_view lineText) {
    return trim(lineText.substr(0, lineText.find('=')));
}

std::uint32_t IniDocument::findSection(std::string_view name) const {
    // A tab's keys are read and written one after another in the same section.
    if (lastSection_ != none && sameName(sectionNameOf(sections_[lastSection_]), name))
        return lastSection_;
    if (sectionTable_.empty()) return none;
    const std::size_t mask = sectionTable_.size() - 1;
    const auto hash = nameHash(name);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const SectionSlot& entry = sectionTable_[slot];
        if (entry.section == none) return none;
        if (entry.hash == hash && sameName(sectionNameOf(sections_[entry.section]), name))
            return lastSection_ = entry.section;
    }
}

std::uint32_t IniDocument::hintedKey(std::uint32_t section, std::string_view key) const {
    if (lastFoundSection_ != section) return none;
    // The next line is of the same section unless it is a section line, which is no key.
    const std::uint32_t next = lines_[lastFound_].next;
    if (next == none || !lines_[next].indexed || !sameName(keyNameOf(lineText(next)), key))
        return none;
    return lastFound_ = next;
}

std::uint32_t IniDocument::findKey(std::uint32_t section, std::string_view key) const {
    if (const std::uint32_t hinted = hintedKey(section, key); hinted != none) return hinted;
    const std::vector<KeySlot>& table = sections_[section].keys;
    if (table.empty()) return none;
    const std::size_t mask = table.size() - 1;
    const auto hash = nameHash(key);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const KeySlot& entry = table[slot];
        if (entry.line == none) return none;
        if (entry.hash == hash && sameName(keyNameOf(lineText(entry.line)), key)) {
            lastFoundSection_ = section;
            return lastFound_ = entry.line;
        }
    }
}

void IniDocument::indexSection(std::uint32_t section, std::uint32_t hash) {
    if ((sectionsIndexed_ + 1) * 2 > sectionTable_.size()) growSectionTable();
    const std::size_t mask = sectionTable_.size() - 1;
    std::size_t slot = hash & mask;
    while (sectionTable_[slot].section != none)
        slot = (slot + 1) & mask;
    sectionTable_[slot] = {hash, section};
    ++sectionsIndexed_;
}

// One probe finds a key or the place for it, so that adding a key costs one look at the table.
IniDocument::KeySlot& IniDocument::keySlot(std::uint32_t section, std::string_view key,
                                           std::uint32_t hash) {
    Section& owner = sections_[section];
    if ((owner.keysIndexed + 1) * 4 > owner.keys.size() * 3)
        growKeyTable(owner, keyTableFor(owner.keysIndexed + 1));
    const std::size_t mask = owner.keys.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        KeySlot& entry = owner.keys[slot];
        if (entry.line == none ||
            (entry.hash == hash && sameName(keyNameOf(lineText(entry.line)), key)))
            return entry;
    }
}

void IniDocument::fill(KeySlot& slot, std::uint32_t section, std::uint32_t line,
                       std::uint32_t hash) {
    slot = {hash, line};
    lines_[line].indexed = 1;
    ++sections_[section].keysIndexed;
}

void IniDocument::growSectionTable() {
    std::vector<SectionSlot> old = std::move(sectionTable_);
    sectionTable_.assign(std::max(smallestTable, old.size() * 2), SectionSlot{});
    sectionsIndexed_ = 0;
    for (const SectionSlot& entry : old)
        if (entry.section != none) indexSection(entry.section, entry.hash);
}

void IniDocument::growKeyTable(Section& section, std::size_t size) {
    std::vector<KeySlot> old = std::move(section.keys);
    section.keys.assign(size, KeySlot{});
    const std::size_t mask = section.keys.size() - 1;
    for (const KeySlot& entry : old) {
        if (entry.line == none) continue;
        std::size_t slot = entry.hash & mask;
        while (section.keys[slot].line != none)
            slot = (slot + 1) & mask;
        section.keys[slot] = entry;
    }
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) {
    const std::uint32_t found = findSection(section);
    if (found == none) return std::nullopt;
    split(found);
    const std::uint32_t line = findKey(found, key);
    if (line == none) return std::nullopt;
    const std::string_view text = lineText(line);
    return std::string(readValue(text.substr(text.find('=') + 1)));
}

std::string_view IniDocument::endOf(LineEnd end) {
    return end == LineEnd::crlf ? "\r\n" : end == LineEnd::lf ? "\n" : "";
}

// Makes room for size more bytes at the buffer's end.
void IniDocument::roomFor(std::size_t size) {
    constexpr std::size_t most = std::numeric_limits<std::uint32_t>::max();
    if (store_.size() + size >= most) compactStore();
    if (store_.size() + size >= most) throw std::length_error("an INI file of 4 GB or more");
}

std::uint32_t IniDocument::storeText(std::string_view text, LineEnd end) {
    roomFor(text.size() + 2);
    const auto begin = static_cast<std::uint32_t>(store_.size());
    store_.append(text).append(endOf(end));
    return begin;
}

// Rewritten lines leave their old text behind; once that is most of the buffer, the live text is
// copied afresh, so that the buffer stays within twice the file's size. It is the file's text
// then, each line followed by its end.
void IniDocument::compactStore() {
    std::string live;
    live.reserve(store_.size() - std::min(garbage_, store_.size()));
    for (std::uint32_t line = first_; line != none; line = lines_[line].next) {
        const std::string_view text = lineText(line);
        lines_[line].begin = static_cast<std::uint32_t>(live.size());
        live.append(text).append(endOf(static_cast<LineEnd>(lines_[line].end)));
    }
    store_ = std::move(live);
    garbage_ = 0;
}

std::uint32_t IniDocument::appendLine(std::string_view text, LineEnd end) {
    if (text.size() > longestLine) throw std::length_error("an INI line of 512 MB or more");
    const std::uint32_t begin = storeText(text, end);
    lines_.push_back(
        {begin, static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(end), 0, none});
    return static_cast<std::uint32_t>(lines_.size() - 1);
}

void IniDocument::linkAfter(std::uint32_t before, std::uint32_t line) {
    if (before == none) {
        lines_[line].next = first_;
        first_ = line;
    } else {
        lines_[line].next = lines_[before].next;
        lines_[before].next = line;
    }
    if (last_ == before) last_ = line;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::uint32_t target = sectionForWriting(section);
    split(target);
    std::uint32_t found = hintedKey(target, key);
    KeySlot* slot = nullptr;
    std::uint32_t hash = 0;
    if (found == none) {
        hash = nameHash(key);
        slot = &keySlot(target, key, hash);
        found = slot->line;
    }
    lastFoundSection_ = target;
    // A tab stored again mostly writes what its lines say already: they stay as they are.
    const bool plain = writtenAsItIs(value);
    if (found != none && plain && sameLine(lineText(found), key, value)) {
        lastFound_ = found;
        return false;
    }
    const std::string quoted = plain ? std::string() : writtenValue(value);
    const std::string_view written = plain ? value : std::string_view(quoted);
    const std::size_t size = key.size() + 1 + written.size();
    if (size > longestLine) throw std::length_error("an INI line of 512 MB or more");
    if (found != none) {
        const auto end = static_cast<LineEnd>(lines_[found].end);
        garbage_ += lines_[found].size + endOf(end).size();
        lines_[found].begin = storeKeyLine(key, written, end);
        lines_[found].size = static_cast<std::uint32_t>(size);
        lastFound_ = found;
        if (garbage_ > (1u << 20) && garbage_ > store_.size() / 2) compactStore();
        return true;
    }
    // Only the file's very last line can lack a line end, and a new line may follow it now.
    const std::uint32_t before = sections_[target].lastKey;
    if (lines_[before].end == static_cast<std::uint32_t>(LineEnd::none))
        lines_[before].end = static_cast<std::uint32_t>(LineEnd::crlf);
    const std::uint32_t begin = storeKeyLine(key, written, LineEnd::crlf);
    lines_.push_back({begin, static_cast<std::uint32_t>(size),
                      static_cast<std::uint32_t>(LineEnd::crlf), 0, none});
    const auto added = static_cast<std::uint32_t>(lines_.size() - 1);
    linkAfter(before, added);
    fill(*slot, target, added, hash);
    sections_[target].lastKey = lastFound_ = added;
    return true;
}

// Appends "key=value" and its end to the buffer without building the line first.
std::uint32_t IniDocument::storeKeyLine(std::string_view key, std::string_view value, LineEnd end) {
    roomFor(key.size() + 1 + value.size() + 2);
    const auto begin = static_cast<std::uint32_t>(store_.size());
    store_.append(key).append(1, '=').append(value).append(endOf(end));
    return begin;
}

std::uint32_t IniDocument::sectionForWriting(std::string_view name) {
    if (const std::uint32_t found = findSection(name); found != none) return found;
    endLastLine();
    const std::uint32_t header = appendLine('[' + std::string(name) + ']', LineEnd::crlf);
    linkAfter(last_, header);
    sections_.push_back({header, header, 1, static_cast<std::uint32_t>(name.size()), 0, {}});
    const auto section = static_cast<std::uint32_t>(sections_.size() - 1);
    indexSection(section, nameHash(name));
    return section;
}

void IniDocument::endLastLine() {
    if (last_ != none && lines_[last_].end == static_cast<std::uint32_t>(LineEnd::none))
        lines_[last_].end = static_cast<std::uint32_t>(LineEnd::crlf);
}

std::size_t IniDocument::textSize() const {
    std::size_t size = 0;
    for (std::uint32_t line = first_; line != none; line = lines_[line].next) {
        const auto end = static_cast<LineEnd>(lines_[line].end);
        size += lines_[line].size + (end == LineEnd::crlf ? 2 : end == LineEnd::lf ? 1 : 0);
    }
    return size;
}

// Whether the line's end follows its text in the buffer, as it does for every line read or
// written, but not for a last line that was given an end when a key was added after it.
bool IniDocument::endFollows(const Line& line) const {
    const std::string_view end = endOf(static_cast<LineEnd>(line.end));
    const std::size_t after = line.begin + line.size;
    return after + end.size() <= store_.size() &&
           (end.empty() || (store_[after] == end[0] && store_[after + end.size() - 1] == '\n'));
}

std::string IniDocument::text() const {
    // Sized once and filled through a pointer: the working file is written whole after most
    // commands. Lines that lie in the buffer one after the other, each followed by its own end,
    // as parsed lines do and lines written in the file's order, are copied as one piece.
    std::string text(textSize(), '\0');
    char* out = text.data();
    const char* const store = store_.data();
    std::size_t from = 0, to = 0; // the piece of the buffer to copy next
    const auto copy = [&](const char* bytes, std::size_t size) {
        std::memcpy(out, bytes, size);
        out += size;
    };
    for (std::uint32_t line = first_; line != none; line = lines_[line].next) {
        const Line& l = lines_[line];
        const std::string_view end = endOf(static_cast<LineEnd>(l.end));
        if (endFollows(l)) {
            if (l.begin != to) {
                copy(store + from, to - from);
                from = l.begin;
            }
            to = l.begin + l.size + end.size();
            continue;
        }
        copy(store + from, to - from);
        from = to;
        copy(store + l.begin, l.size);
        copy(end.data(), end.size());
    }
    copy(store + from, to - from);
    return text;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != none;
}

int IniDocument::highestNumberedSection(std::string_view prefix) const {
    int highest = -1;
    for (std::size_t s = 1; s < sections_.size(); ++s) {
        const std::string_view name = sectionNameOf(sections_[s]);
        if (name.size() <= prefix.size() || !sameName(name.substr(0, prefix.size()), prefix))
            continue;
        const std::string_view digits = name.substr(prefix.size());
        if (digits.size() > 1 && digits.front() == '0') continue;
        int n = 0;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, n);
        if (error == std::errc() && stop == end && n >= 0) highest = std::max(highest, n);
    }
    return highest;
}

std::size_t IniDocument::countKeys(std::string_view section,
                                   bool (*counted)(std::string_view name)) {
    std::size_t count = 0;
    forEachKey(section, [&](std::string_view name, std::string_view) {
        if (counted(name)) ++count;
    });
    return count;
}

std::pair<std::uint32_t, std::uint32_t> IniDocument::keyLines(std::string_view section) {
    const std::uint32_t found = findSection(section);
    if (found == none) return {none, none};
    split(found);
    const std::uint32_t stop = found + 1 < sections_.size() ? sections_[found + 1].header : none;
    return {lines_[sections_[found].header].next, stop};
}

// The section's text as one view of the buffer while its lines lie there one after the other, each
// followed by its own end, as they do until it is written to; else built line by line.
std::string_view IniDocument::sectionText(std::uint32_t section, std::string& built) const {
    const std::uint32_t stop =
        section + 1 < sections_.size() ? sections_[section + 1].header : none;
    std::size_t from = 0, to = 0; // the view so far, empty at first
    bool inPlace = true;
    for (std::uint32_t line = lines_[sections_[section].header].next; line != stop;
         line = lines_[line].next) {
        const Line& l = lines_[line];
        const std::string_view end = endOf(static_cast<LineEnd>(l.end));
        if (inPlace && endFollows(l) && (from == to || l.begin == to)) {
            if (from == to) from = l.begin;
            to = l.begin + l.size + end.size();
            continue;
        }
        if (inPlace) built.assign(store_, from, to - from);
        inPlace = false;
        built.append(lineText(line)).append(end);
    }
    return inPlace ? std::string_view(store_).substr(from, to - from) : std::string_view(built);
}

std::vector<std::string_view> IniDocument::sectionsAsIn(const IniDocument& before) const {
    std::vector<std::string_view> same;
    std::string built, builtBefore;
    for (std::size_t s = 1; s < sections_.size(); ++s) {
        const auto section = static_cast<std::uint32_t>(s);
        const std::string_view name = sectionNameOf(sections_[s]);
        if (findSection(name) != section) continue; // a later section of a name: never read
        const std::uint32_t old = before.findSection(name);
        if (old != none && sectionText(section, built) == before.sectionText(old, builtBefore))
            same.push_back(name);
    }
    return same;
}

} // namespace tallisto
