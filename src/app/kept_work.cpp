// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery data's layout: lines "key=value" in a fixed order, values escaped so that any
// name or path comes back as it was, then the working file's bytes as they stood, or the last
// line naming the part of the recovery data that holds them.
#include "app/kept_work.h"

#include <algorithm>
#include <charconv>

namespace tallisto {

namespace {

constexpr std::string_view firstLine = "[Tallisto recovery]";
// Work without what-if marks is written as before they existed, so that any version reads it.
constexpr std::string_view formatWithoutWhatIfs = "1";
constexpr std::string_view formatWithWhatIfs = "2";
constexpr std::string_view crlf = "\r\n";
// How the line of the working file's size names the part that holds them.
constexpr std::string_view partIn[] = {"", " in 1", " in 2"};
// What a window can hold: the tab indexes are 16-bit, 43 tabs are shown at most, and a tab's
// counts of real and of what-if marks are 16-bit.
constexpr std::size_t mostTabButtons = 32768;
constexpr int mostShownTabs = 43;
constexpr std::size_t mostOfAKind = 32767;
constexpr std::size_t mostMarks = 2 * mostOfAKind;

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        default:
            return false;
        }
    }
    return true;
}

void put(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(crlf);
}

char flag(bool b) {
    return b ? '1' : '0';
}

// Reads the lines back in the order put() wrote them.
class Lines {
public:
    explicit Lines(std::string_view bytes) : rest_(bytes) {}

    bool line(std::string_view& text) {
        const auto end = rest_.find(crlf);
        if (end == std::string_view::npos) return false;
        text = rest_.substr(0, end);
        rest_.remove_prefix(end + crlf.size());
        return true;
    }
    bool raw(std::string_view key, std::string_view& value) {
        std::string_view text;
        if (!line(text) || !text.starts_with(key) || text.size() <= key.size() ||
            text[key.size()] != '=')
            return false;
        value = text.substr(key.size() + 1);
        return true;
    }
    bool text(std::string_view key, std::string& value) {
        std::string_view raw_;
        return raw(key, raw_) && unescaped(raw_, value);
    }
    bool number(std::string_view key, long long& value, long long low, long long high) {
        std::string_view raw_;
        return raw(key, raw_) && parse(raw_, value) && value >= low && value <= high;
    }
    bool flags(std::string_view key, std::initializer_list<bool*> into) {
        std::string_view raw_;
        if (!raw(key, raw_) || raw_.size() != into.size()) return false;
        std::size_t i = 0;
        for (bool* b : into) {
            if (raw_[i] != '0' && raw_[i] != '1') return false;
            *b = raw_[i++] == '1';
        }
        return true;
    }
    static bool parse(std::string_view text, long long& value) {
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        return !text.empty() && error == std::errc() && stop == end;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

std::string key(std::string_view name, std::size_t index) {
    return std::string(name) + std::to_string(index);
}

bool readTabs(Lines& in, KeptWork& work) {
    long long count = 0, current = 0;
    if (!in.number("tabs", count, 1, mostTabButtons)) return false;
    work.tabs.resize(static_cast<std::size_t>(count));
    int shown = 0;
    for (std::size_t i = 0; i < work.tabs.size(); ++i) {
        std::string text;
        if (!in.text(key("tab", i), text) || text.empty() || (text[0] != '+' && text[0] != '-'))
            return false;
        // New Tab adds a tab only while fewer than the limit are shown.
        if (i > 0 && shown >= mostShownTabs) return false;
        work.tabs[i] = {text.substr(1), text[0] == '+'};
        shown += work.tabs[i].shown;
    }
    if (!in.number("currentTab", current, 0, count - 1)) return false;
    work.currentTab = static_cast<int>(current);
    return shown >= 1 && shown <= mostShownTabs && work.tabs[work.currentTab].shown;
}

bool readMarks(Lines& in, KeptWork& work, bool withWhatIfs) {
    long long count = 0;
    if (!in.number("marks", count, 0, withWhatIfs ? mostMarks : mostOfAKind)) return false;
    work.marks.resize(static_cast<std::size_t>(count));
    for (std::size_t j = 0; j < work.marks.size(); ++j) {
        // Split before unescaping: a tab within a text is escaped, a tab between them is not.
        std::string_view raw;
        if (!in.raw(key("mark", j), raw)) return false;
        const auto first = raw.find('\t'), second = raw.find('\t', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos ||
            raw.find('\t', second + 1) != std::string_view::npos)
            return false;
        KeptWork::Mark& mark = work.marks[j];
        if (!unescaped(raw.substr(0, first), mark.score) ||
            !unescaped(raw.substr(first + 1, second - first - 1), mark.outOf) ||
            !unescaped(raw.substr(second + 1), mark.weighting))
            return false;
    }
    if (!withWhatIfs) return true;
    constexpr auto most = static_cast<long long>(mostOfAKind);
    long long whatIfs = 0;
    if (!in.number("whatIfMarks", whatIfs, 1, std::min(count, most)) || count - whatIfs > most)
        return false;
    work.whatIfMarks = static_cast<std::size_t>(whatIfs);
    return true;
}

bool readCommands(Lines& in, KeptWork& work) {
    if (!in.flags("commands", {&work.resetAllShown, &work.resetAllEnabled, &work.saveEnabled,
                               &work.saveAsEnabled, &work.reportSetEnabled, &work.deleteTabEnabled,
                               &work.deleteMarkEnabled}) ||
        !in.text("selectedMark", work.selectedMark))
        return false;
    for (std::size_t i = 0; i < work.listIndexes.size(); ++i) {
        long long index = 0;
        if (!in.number(key("listIndex", i), index, -1, mostMarks)) return false;
        work.listIndexes[i] = static_cast<int>(index);
    }
    return true;
}

// "none", the size of the bytes that follow, or the size and the part that holds them.
bool readWorkingFile(Lines& in, KeptWork& work, const KeptPartReader& readPart) {
    std::string_view value;
    if (!in.raw("working", value)) return false;
    if (value == "none") return in.rest().empty();
    const auto space = value.find(' ');
    long long bytes = 0;
    if (!Lines::parse(value.substr(0, space), bytes) || bytes < 0) return false;
    const auto size = static_cast<std::size_t>(bytes);
    if (space == std::string_view::npos) {
        if (size != in.rest().size()) return false;
        work.workingFile = SharedBytes(std::string(in.rest()));
        return true;
    }
    const std::string_view part = value.substr(space);
    if (!in.rest().empty() || (part != partIn[1] && part != partIn[2]) || !readPart) return false;
    std::optional<std::string> kept = readPart(part == partIn[1] ? 1 : 2);
    if (!kept || kept->size() != size) return false;
    work.workingFile = SharedBytes(std::move(*kept));
    return true;
}

} // namespace

std::string keptWorkHead(const KeptWork& work) {
    std::string out;
    out.reserve(256 + 16 * work.tabs.size() + 32 * work.marks.size());
    out.append(firstLine).append(crlf);
    put(out, "format", work.whatIfMarks ? formatWithWhatIfs : formatWithoutWhatIfs);
    put(out, "unsaved", std::string(1, flag(work.unsaved)));
    put(out, "path", escaped(work.filePath));
    put(out, "title", escaped(work.fileTitle));
    put(out, "gradeSys", std::to_string(work.gradeSys));
    put(out, "scroll", std::to_string(work.scroll));
    put(out, "tabs", std::to_string(work.tabs.size()));
    for (std::size_t i = 0; i < work.tabs.size(); ++i)
        put(out, key("tab", i), (work.tabs[i].shown ? "+" : "-") + escaped(work.tabs[i].name));
    put(out, "currentTab", std::to_string(work.currentTab));
    put(out, "marks", std::to_string(work.marks.size()));
    for (std::size_t j = 0; j < work.marks.size(); ++j) {
        const KeptWork::Mark& m = work.marks[j];
        put(out, key("mark", j),
            escaped(m.score) + "\t" + escaped(m.outOf) + "\t" + escaped(m.weighting));
    }
    if (work.whatIfMarks) put(out, "whatIfMarks", std::to_string(work.whatIfMarks));
    put(out, "commands",
        std::string{flag(work.resetAllShown), flag(work.resetAllEnabled), flag(work.saveEnabled),
                    flag(work.saveAsEnabled), flag(work.reportSetEnabled),
                    flag(work.deleteTabEnabled), flag(work.deleteMarkEnabled)});
    put(out, "selectedMark", escaped(work.selectedMark));
    for (std::size_t i = 0; i < work.listIndexes.size(); ++i)
        put(out, key("listIndex", i), std::to_string(work.listIndexes[i]));
    return out;
}

std::string keptWorkText(std::string_view head, const SharedBytes& workingFile) {
    std::string out;
    out.reserve(head.size() + 32 + (workingFile ? workingFile->size() : 0));
    out.append(head);
    put(out, "working", workingFile ? std::to_string(workingFile->size()) : "none");
    if (workingFile) out.append(*workingFile);
    return out;
}

std::string keptWorkText(std::string_view head, std::size_t workingSize, int part) {
    std::string out;
    out.reserve(head.size() + 32);
    out.append(head);
    put(out, "working", std::to_string(workingSize).append(partIn[part == 1 ? 1 : 2]));
    return out;
}

std::optional<KeptWork> readKeptWork(std::string_view bytes, const KeptPartReader& readPart) {
    Lines in(bytes);
    KeptWork work;
    std::string_view text;
    long long number = 0;
    if (!in.line(text) || text != firstLine || !in.raw("format", text) ||
        (text != formatWithoutWhatIfs && text != formatWithWhatIfs))
        return std::nullopt;
    const bool withWhatIfs = text == formatWithWhatIfs;
    if (!in.flags("unsaved", {&work.unsaved}) || !in.text("path", work.filePath) ||
        !in.text("title", work.fileTitle) || !in.number("gradeSys", number, 0, 3))
        return std::nullopt;
    work.gradeSys = static_cast<int>(number);
    if (!in.number("scroll", number, -32768, 32767)) return std::nullopt;
    work.scroll = static_cast<int>(number);
    if (!readTabs(in, work) || !readMarks(in, work, withWhatIfs) || !readCommands(in, work) ||
        !readWorkingFile(in, work, readPart))
        return std::nullopt;
    return work;
}

} // namespace tallisto
