// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of one INI file. Lines are kept as they were read, so that setting a key changes its
// own line only and every other line is written back exactly as it was.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tallisto {

class IniDocument {
public:
    // text is the file's content, already decoded; lines end in CR LF or in LF alone.
    static IniDocument parse(std::string_view text);

    // The value of the first key of that name in the first section of that name, names matched
    // without regard to ASCII letter case. Blanks around the value and one pair of quotes
    // around it are removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Line breaks in value become blanks; a value that would lose blanks or quotes on reading
    // is written in quotes, so that value() returns it unchanged.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

    // Whether a section of that name is present, letter case aside, even one without keys.
    bool hasSection(std::string_view section) const;

    // The highest n for which a section is named prefix + n, n in decimal without leading zeros
    // and within an int; -1 when there is none.
    int highestNumberedSection(std::string_view prefix) const;

private:
    enum class LineEnd : unsigned char { none, lf, crlf };
    struct Line {
        std::string text;
        LineEnd end = LineEnd::crlf;
    };
    struct Section {
        std::vector<Line> lines;  // the section line first, except in the lines before any section
        std::size_t insertAt = 0; // after the last key line: where a new key goes
        std::unordered_map<std::string, std::size_t> keys; // lower-case name -> line
    };

    void addLine(std::string_view text, LineEnd end);
    Section& sectionForWriting(std::string_view name);
    void endLastLine();

    std::vector<Section> sections_ = std::vector<Section>(1);   // [0]: lines before any section
    std::unordered_map<std::string, std::size_t> sectionIndex_; // lower-case name -> section
};

} // namespace tallisto
