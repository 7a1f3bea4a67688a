// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of one INI file. Lines are kept as they were read, so that setting a key changes its
// own line only and every other line is written back exactly as it was.
//
// Any file may be opened, so the cost of a document follows the size of its text alone, whatever
// the text holds: the text is kept in one buffer, each line costs twelve bytes beside it, and
// sections and keys are found through two open-addressing tables of line numbers.
//
// Parsing finds the section lines alone. The lines of a section stay one piece of the text until
// the section is first read or written: a working file of 43 tabs taken back whole, as undo
// does, costs little more than finding its 43 section lines, and only the tabs then shown are
// split into lines.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallisto {

// How a key line's text reads, shared by the document and the readers of all a section's keys.
namespace ini_text {

// Asked at both ends of every name and value: nearly every character is past ' ' and is told so
// by one comparison.
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || c == '\t');
}

inline std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

inline bool isQuote(char c) {
    return c == '"' || c == '\'';
}

inline bool isQuoted(std::string_view value) {
    return value.size() >= 2 && isQuote(value.front()) && value.front() == value.back();
}

// A value as written after the '=': blanks around it and one pair of quotes around it removed.
inline std::string_view readValue(std::string_view written) {
    written = trim(written);
    return isQuoted(written) ? written.substr(1, written.size() - 2) : written;
}

} // namespace ini_text

class IniDocument {
public:
    // text is the file's content, already decoded; lines end in CR LF or in LF alone.
    static IniDocument parse(std::string text);

    // The value of the first key of that name in the first section of that name, names matched
    // without regard to ASCII letter case. Blanks around the value and one pair of quotes
    // around it are removed.
    std::optional<std::string> value(std::string_view section, std::string_view key);

    // Line breaks in value become blanks; a value that would lose blanks or quotes on reading
    // is written in quotes, so that value() returns it unchanged. False when the text stays as
    // it was: the key's line already read exactly so.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;
    std::size_t textSize() const; // text().size(), without building it

    // Whether a section of that name is present, letter case aside, even one without keys.
    bool hasSection(std::string_view section) const;

    // The highest n for which a section is named prefix + n, n in decimal without leading zeros
    // and within an int; -1 when there is none.
    int highestNumberedSection(std::string_view prefix) const;

    // How many different keys the first section of that name holds whose names `counted`
    // accepts; names are passed as written in the file.
    std::size_t countKeys(std::string_view section, bool (*counted)(std::string_view name));

    // Gives each key of the first section of that name once, in the file's order, as value()
    // reads it: the key's first line, its name as written there without the blanks around it.
    // One pass over the section, for a reader of all its keys; the views last until the
    // document next changes. A template, so that a section of thousands of keys is read without
    // a call for each.
    template <class Visit> void forEachKey(std::string_view section, Visit&& each) {
        const auto [first, stop] = keyLines(section);
        for (std::uint32_t line = first; line != stop; line = lines_[line].next) {
            // The first line of each key is marked as the one its section's table finds.
            if (!lines_[line].indexed) continue;
            const std::string_view text = lineText(line);
            const std::size_t equals = text.find('=');
            each(ini_text::trim(text.substr(0, equals)),
                 ini_text::readValue(text.substr(equals + 1)));
        }
    }

    // The names of the sections whose text is here what it was in `before`: the first section of
    // each name in both, letter case aside, its lines after its section line up to the next one,
    // compared byte for byte with their ends. Names as written here.
    std::vector<std::string_view> sectionsAsIn(const IniDocument& before) const;

private:
    static constexpr std::uint32_t none = 0xFFFFFFFF;
    static constexpr std::size_t longestLine = (std::size_t{1} << 29) - 1;
    enum class LineEnd : std::uint8_t { none, lf, crlf };
    struct Line {
        std::uint32_t begin = 0; // in store_
        std::uint32_t size : 29 = 0;
        std::uint32_t end : 2 = 0;     // a LineEnd
        std::uint32_t indexed : 1 = 0; // the first line of its key in its section
        std::uint32_t next = none;     // the line after it in the file
    };
    // A table entry keeps the name's hash, so that most entries are passed over, and the table
    // grown, without looking at the text.
    struct KeySlot {
        std::uint32_t hash = 0;
        std::uint32_t line = none;
    };
    // Each section has a table of its keys of its own, small enough to stay in the cache while
    // the section is read or written key after key.
    struct Section {
        std::uint32_t header = none;  // its section line; none for the lines before any section
        std::uint32_t lastKey = none; // the line after which a new key goes
        std::uint32_t nameOffset = 0; // where its name begins in the section line
        std::uint32_t nameSize = 0;
        std::uint32_t keysIndexed = 0;
        std::vector<KeySlot> keys;
        // The line that holds all the section's lines after its section line, as read, until
        // split() splits it; none once split, or when there are no such lines. Its end is the
        // end of the last of them.
        std::uint32_t unsplit = none;
    };
    struct SectionSlot {
        std::uint32_t hash = 0;
        std::uint32_t section = none;
    };

    static constexpr std::size_t npos = std::string_view::npos;
    struct Span {
        std::size_t size;
        LineEnd end;
        std::size_t next; // where the next line begins
    };
    static Span lineAt(std::string_view text, std::size_t begin);
    std::size_t lineAfter(std::size_t begin) const;
    std::size_t nextSectionLine(std::size_t from) const;
    std::uint32_t addParsedLine(std::size_t begin, std::size_t size, LineEnd end);
    void addUnsplit(std::size_t begin, std::size_t end);
    void addSectionLine(std::size_t begin);
    void split(std::uint32_t section);
    void indexKeyLine(std::uint32_t section, std::uint32_t line, std::size_t linesLeft);
    std::string_view lineText(std::uint32_t line) const {
        return std::string_view(store_).substr(lines_[line].begin, lines_[line].size);
    }
    // The lines from the first after a section's line up to the one that ends them (none at the
    // file's end), the section split into lines; none to none when there is no such section.
    std::pair<std::uint32_t, std::uint32_t> keyLines(std::string_view section);
    std::string_view sectionNameOf(const Section& section) const;
    std::string_view sectionText(std::uint32_t section, std::string& built) const;
    static std::string_view keyNameOf(std::string_view lineText);
    std::uint32_t appendLine(std::string_view text, LineEnd end);
    void linkAfter(std::uint32_t before, std::uint32_t line);
    static std::string_view endOf(LineEnd end);
    bool endFollows(const Line& line) const;
    void roomFor(std::size_t size);
    std::uint32_t storeText(std::string_view text, LineEnd end);
    std::uint32_t storeKeyLine(std::string_view key, std::string_view value, LineEnd end);
    void compactStore();
    std::uint32_t findSection(std::string_view name) const;
    std::uint32_t findKey(std::uint32_t section, std::string_view key) const;
    void indexSection(std::uint32_t section, std::uint32_t hash);
    std::uint32_t hintedKey(std::uint32_t section, std::string_view key) const;
    KeySlot& keySlot(std::uint32_t section, std::string_view key, std::uint32_t hash);
    void fill(KeySlot& slot, std::uint32_t section, std::uint32_t line, std::uint32_t hash);
    static void growKeyTable(Section& section, std::size_t size);
    void growSectionTable();
    std::uint32_t sectionForWriting(std::string_view name);
    void endLastLine();

    // The text of every line, each followed by its end where it was read or written, and garbage
    // of lines rewritten.
    std::string store_;
    std::size_t garbage_ = 0;    // bytes of store_ that no line uses any more
    std::vector<Line> lines_;    // in the order added; `next` gives the file's order
    std::uint32_t first_ = none; // the file's first and last lines
    std::uint32_t last_ = none;
    std::vector<Section> sections_ = std::vector<Section>(1); // [0]: lines before any section
    std::vector<SectionSlot> sectionTable_;
    std::size_t sectionsIndexed_ = 0;
    // Keys are mostly read and written in the order of the file: the line found last, whose
    // next line is tried before the table.
    mutable std::uint32_t lastSection_ = none; // the section found last
    mutable std::uint32_t lastFound_ = none;
    mutable std::uint32_t lastFoundSection_ = none;
};

} // namespace tallisto
