// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ini_document.h"

#include <algorithm>
#include <charconv>

namespace tallisto {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isQuoted(std::string_view value) {
    return value.size() >= 2 && isQuote(value.front()) && value.front() == value.back();
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    auto close = line.find(']');
    if (!line.starts_with('[') || close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

// Comment lines and lines without "=" hold no key.
std::optional<KeyLine> keyLine(std::string_view line) {
    std::string_view trimmed = trim(line);
    auto equals = line.find('=');
    if (trimmed.starts_with(';') || trimmed.starts_with('[') || equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trim(line.substr(0, equals)), line.substr(equals + 1)};
}

std::string readValue(std::string_view written) {
    written = trim(written);
    if (isQuoted(written)) written = written.substr(1, written.size() - 2);
    return std::string(written);
}

std::string writtenValue(std::string_view value) {
    std::string text(value);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    bool needsQuotes = !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
    return needsQuotes || isQuoted(text) ? '"' + text + '"' : text;
}

} // namespace

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    while (!text.empty()) {
        auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        LineEnd end = LineEnd::none;
        if (newline != std::string_view::npos) {
            end = line.ends_with('\r') ? LineEnd::crlf : LineEnd::lf;
            if (end == LineEnd::crlf) line.remove_suffix(1);
        }
        document.addLine(line, end);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    }
    return document;
}

void IniDocument::addLine(std::string_view text, LineEnd end) {
    if (auto name = sectionName(text)) {
        sections_.emplace_back();
        sectionIndex_.try_emplace(lowerCase(*name), sections_.size() - 1);
    }
    Section& section = sections_.back();
    section.lines.push_back({std::string(text), end});
    std::size_t index = section.lines.size() - 1;
    if (index == 0 && sections_.size() > 1) section.insertAt = 1;
    auto key = keyLine(text);
    if (!key || sections_.size() == 1) return; // keys before any section are never read
    section.keys.try_emplace(lowerCase(key->name), index);
    section.insertAt = index + 1;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    auto found = sectionIndex_.find(lowerCase(section));
    if (found == sectionIndex_.end()) return std::nullopt;
    const Section& lines = sections_[found->second];
    auto line = lines.keys.find(lowerCase(key));
    if (line == lines.keys.end()) return std::nullopt;
    std::string_view text = lines.lines[line->second].text;
    return readValue(text.substr(text.find('=') + 1));
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    Section& target = sectionForWriting(section);
    std::string line = std::string(key) + '=' + writtenValue(value);
    std::string lowerKey = lowerCase(key);
    if (auto found = target.keys.find(lowerKey); found != target.keys.end()) {
        target.lines[found->second].text = std::move(line);
        return;
    }
    // Only the file's very last line can lack a line end, and a new line may follow it now.
    Line& before = target.lines[target.insertAt - 1];
    if (before.end == LineEnd::none) before.end = LineEnd::crlf;
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(target.insertAt),
                        Line{std::move(line), LineEnd::crlf});
    target.keys.emplace(std::move(lowerKey), target.insertAt++);
}

IniDocument::Section& IniDocument::sectionForWriting(std::string_view name) {
    auto [found, added] = sectionIndex_.try_emplace(lowerCase(name), sections_.size());
    if (!added) return sections_[found->second];
    endLastLine();
    Section& section = sections_.emplace_back();
    section.lines.push_back({'[' + std::string(name) + ']', LineEnd::crlf});
    section.insertAt = 1;
    return section;
}

void IniDocument::endLastLine() {
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
        if (section->lines.empty()) continue;
        if (section->lines.back().end == LineEnd::none) section->lines.back().end = LineEnd::crlf;
        return;
    }
}

std::string IniDocument::text() const {
    std::size_t size = 0;
    for (const Section& section : sections_)
        for (const Line& line : section.lines)
            size += line.text.size() + 2;
    std::string text;
    text.reserve(size);
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            text += line.text;
            if (line.end == LineEnd::crlf) text += "\r\n";
            if (line.end == LineEnd::lf) text += '\n';
        }
    }
    return text;
}

bool IniDocument::hasSection(std::string_view section) const {
    return sectionIndex_.contains(lowerCase(section));
}

int IniDocument::highestNumberedSection(std::string_view prefix) const {
    const std::string lowerPrefix = lowerCase(prefix);
    int highest = -1;
    for (const auto& [name, index] : sectionIndex_) {
        if (!name.starts_with(lowerPrefix)) continue;
        const std::string_view digits = std::string_view(name).substr(lowerPrefix.size());
        if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) continue;
        int n = 0;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, n);
        if (error == std::errc() && stop == end && n >= 0) highest = std::max(highest, n);
    }
    return highest;
}

} // namespace tallisto
