// SPDX-License-Identifier: GPL-3.0-or-later
// The tab store: one tab's marks moved between the mark lists and an INI file, in the layout
// shared by the working file and save files. What-if marks have keys of their own after the
// tab's other keys ("whatifcount", "whatifyougot0", ...), so that "count" and the keys of the
// marks hold the real marks alone, and a tab without what-if marks is stored as it always was.
#include "app/frm_grade_help.h"
#include "app/program.h"
#include "shared/flag_hold.h"
#include "shared/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tallisto {

namespace {

// A mark is stored as the number its list entry begins with, so that a stored file holds numbers
// only; an entry a list is missing counts as 0.
std::string storedNumber(const std::vector<std::string>& list, std::size_t j) {
    return j < list.size() ? numberAsWritten(list[j]) : "0";
}

// Opening checks a save file's count before its marks are read, so a count here is either
// checked or the working file's, which SaveRun writes: there a tab may hold more marks than a
// 16-bit count, which a save refuses to write but the tab must keep. Anything else is no marks.
int storedCount(const std::string& text) {
    const double count = std::nearbyint(numberValue(text)); // halves to even, as opening does
    return count >= 0 && count <= std::numeric_limits<int>::max() ? static_cast<int>(count) : 0;
}

// The key of one part of a mark: "yougot", "outof" or "weighting", "whatif" before it for a
// what-if mark, then the mark's number in decimal without leading zeros; letter case aside.
struct MarkKey {
    MarkKind kind;
    std::size_t part;   // 0: you got, 1: out of, 2: weighting
    std::size_t number; // the largest size_t for a number beyond it, which no tab holds
};

// Whether name begins with word, letter case aside, and goes on after it: then it is cut off.
// word is in lower case and compared as two overlapping pieces of four or eight bytes: only 'A' to
// 'Z' turn into its letters when 0x20 is set in each byte.
template <std::size_t N> bool cutWord(std::string_view& name, const char (&word)[N]) {
    constexpr std::size_t size = N - 1;
    static_assert(size >= 4 && size <= 16);
    using Piece = std::conditional_t<(size <= 8), std::uint32_t, std::uint64_t>;
    constexpr std::size_t last = size - sizeof(Piece);
    if (name.size() <= size) return false;
    const auto piece = [](const char* at) {
        Piece bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        return bytes;
    };
    constexpr auto lower = static_cast<Piece>(0x2020202020202020ull);
    if ((piece(name.data()) | lower) != piece(word) ||
        (piece(name.data() + last) | lower) != piece(word + last))
        return false;
    name.remove_prefix(size);
    return true;
}

// Decided on the first letters: a tab holds three keys a mark, and a thousand marks.
std::optional<MarkKey> markKeyOf(std::string_view name) {
    if (name.size() < 2) return std::nullopt;
    MarkKind kind = MarkKind::Real;
    if ((name[0] | 0x20) == 'w' && (name[1] | 0x20) == 'h') {
        if (!cutWord(name, "whatif")) return std::nullopt;
        kind = MarkKind::WhatIf;
    }
    std::size_t part = 0;
    switch (name[0] | 0x20) {
    case 'y':
        if (!cutWord(name, "yougot")) return std::nullopt;
        break;
    case 'o':
        if (!cutWord(name, "outof")) return std::nullopt;
        part = 1;
        break;
    case 'w':
        if (!cutWord(name, "weighting")) return std::nullopt;
        part = 2;
        break;
    default:
        return std::nullopt;
    }
    if (name.size() > 1 && name.front() == '0') return std::nullopt;
    // Nineteen digits always fit in a size_t: only those after them are checked.
    constexpr std::size_t beyond = std::numeric_limits<std::size_t>::max();
    constexpr std::size_t sure = std::numeric_limits<std::size_t>::digits10;
    std::size_t number = 0, i = 0;
    for (; i < name.size() && i < sure; ++i) {
        const auto digit = static_cast<unsigned char>(name[i] - '0');
        if (digit > 9) return std::nullopt;
        number = number * 10 + digit;
    }
    for (; i < name.size(); ++i) {
        const auto digit = static_cast<unsigned char>(name[i] - '0');
        if (digit > 9) return std::nullopt;
        number = number > (beyond - 9) / 10 ? beyond : number * 10 + digit;
    }
    return MarkKey{kind, part, number};
}

bool isWhatIfMarkKey(std::string_view name) {
    const auto key = markKeyOf(name);
    return key && key->kind == MarkKind::WhatIf;
}

// The three key names of one mark after another, built in one buffer: a tab of a thousand marks
// would otherwise build six thousand strings each time it is stored.
class MarkKeys {
public:
    void number(std::size_t j) { number_ = std::to_string(j); }
    const std::string& of(std::string_view name) {
        key_.assign(name).append(number_);
        return key_;
    }

private:
    std::string number_, key_;
};

// The keys of a real mark, and those of a what-if mark.
constexpr const char* markKeys[] = {"yougot", "outof", "weighting"};
constexpr const char* whatIfMarkKeys[] = {"whatifyougot", "whatifoutof", "whatifweighting"};

// Each entry of the three mark lists after its size, piece by piece: the lists as a store keeps
// them (TabAsStored::lists).
template <class Put>
void packMarkLists(const Control& score, const Control& outOf, const Control& weighting, Put put) {
    const auto putSize = [&put](std::size_t size) {
        const auto size32 = static_cast<std::uint32_t>(size);
        put(std::string_view(reinterpret_cast<const char*>(&size32), sizeof size32));
    };
    for (const Control* list : {&score, &outOf, &weighting}) {
        putSize(list->list.size());
        for (const std::string& entry : list->list) {
            putSize(entry.size());
            put(entry);
        }
    }
}

// The first and the last sizeof(Piece) bytes of a and b alike: all of them when the size is up to
// twice that.
template <class Piece> bool sameEnds(const char* a, const char* b, std::size_t size) {
    Piece a1, b1, a2, b2;
    std::memcpy(&a1, a, sizeof a1);
    std::memcpy(&b1, b, sizeof b1);
    std::memcpy(&a2, a + size - sizeof a2, sizeof a2);
    std::memcpy(&b2, b + size - sizeof b2, sizeof b2);
    return a1 == b1 && a2 == b2;
}

// Whether text begins with piece, compared without a call for the few bytes of a mark's text.
bool beginsWith(std::string_view text, std::string_view piece) {
    const std::size_t size = piece.size();
    if (text.size() < size) return false;
    if (size > 16) return text.starts_with(piece);
    if (size >= 8) return sameEnds<std::uint64_t>(text.data(), piece.data(), size);
    if (size >= 4) return sameEnds<std::uint32_t>(text.data(), piece.data(), size);
    for (std::size_t i = 0; i < size; ++i)
        if (text[i] != piece[i]) return false;
    return true;
}

} // namespace

std::string FrmGradeHelp::tabSection(int index) {
    return "Tab " + std::to_string(index);
}

void FrmGradeHelp::SaveRun() {
    if (saveTab < 0 || saveTab >= static_cast<int>(cmdTab.size())) return;
    const std::string section = tabSection(saveTab);
    writeIni(saveFile, "TabInfo", "NumTabs", numberText(tabCount));
    // Only switches store a tab again and again, always to the working file.
    if (saveFile != workingFile()) return writeTabSection(section);
    tabsAsStored.resize(cmdTab.size());
    TabAsStored& kept = tabsAsStored[static_cast<std::size_t>(saveTab)];
    // Asked after the write above, which has compared the file with the disk already: a file
    // changed there was read afresh, and its changed sections have new revisions. No two
    // sections of any files share a revision.
    if (kept.revision == program_.ini.sectionRevision(saveFile, section) && standsAsStored(kept))
        return;
    kept = {}; // until the section is written whole
    writeTabSection(section);
    kept = tabAsItStands();
    kept.revision = program_.ini.sectionRevision(saveFile, section);
}

FrmGradeHelp::TabAsStored FrmGradeHelp::tabAsItStands() const {
    TabAsStored tab;
    tab.caption = cmdTab[saveTab].caption;
    tab.gradeSys = gradeSys;
    tab.realMarks = realMarkCount();
    std::size_t bytes = 0;
    packMarkLists(lstScore, lstTotal, lstWeighting,
                  [&bytes](std::string_view piece) { bytes += piece.size(); });
    tab.lists.reserve(bytes);
    packMarkLists(lstScore, lstTotal, lstWeighting,
                  [&tab](std::string_view piece) { tab.lists += piece; });
    return tab;
}

// Whether the tab is as kept, its revision aside, compared where it stands: nearly every tab left
// is, and a copy of its lists would cost more than the comparison.
bool FrmGradeHelp::standsAsStored(const TabAsStored& kept) const {
    if (kept.caption != cmdTab[saveTab].caption || kept.gradeSys != gradeSys ||
        kept.realMarks != realMarkCount())
        return false;
    std::string_view rest = kept.lists;
    bool same = true;
    packMarkLists(lstScore, lstTotal, lstWeighting, [&](std::string_view piece) {
        same = same && beginsWith(rest, piece);
        if (same) rest.remove_prefix(piece.size());
    });
    return same && rest.empty();
}

void FrmGradeHelp::writeTabSection(const std::string& section) {
    writeIni(saveFile, section, "Name", cmdTab[saveTab].caption);
    const std::size_t count = realMarkCount();
    MarkKeys keys;
    const auto writeMarks = [&](const char* const(&names)[3], std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            keys.number(j - from);
            writeIni(saveFile, section, keys.of(names[0]), storedNumber(lstScore.list, j));
            writeIni(saveFile, section, keys.of(names[1]), storedNumber(lstTotal.list, j));
            writeIni(saveFile, section, keys.of(names[2]), storedNumber(lstWeighting.list, j));
        }
    };
    writeIni(saveFile, section, "count", numberText(static_cast<double>(count)));
    writeMarks(markKeys, 0, count);
    writeIni(saveFile, section, "gradesys", numberText(gradeSys));
    // A section that held what-if marks before is told that it holds none now.
    const std::size_t whatIfs = lstScore.list.size() - count;
    if (whatIfs == 0 && readIni(saveFile, section, "whatifcount") == "0") return;
    writeIni(saveFile, section, "whatifcount", numberText(static_cast<double>(whatIfs)));
    writeMarks(whatIfMarkKeys, count, lstScore.list.size());
}

// Opening checks no what-if count: one larger than the what-if marks the section holds reads those
// it holds, so that a file of a few bytes cannot ask for thousands.
int FrmGradeHelp::storedWhatIfs(const std::string& file, const std::string& section) {
    const int stored = storedCount(readIni(file, section, "whatifcount"));
    if (stored <= 0) return 0;
    return static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(stored),
                              program_.ini.countKeys(file, section, isWhatIfMarkKey) / 3));
}

void FrmGradeHelp::LoadRun() {
    replayMarks(readStoredMarks(loadFile, loadTab));
}

// The section is read in one pass: each key comes once, at its first line, and a key's name
// names one part of one mark, so that each part is set by one key at most and reads "0" without.
std::vector<FrmGradeHelp::StoredMark> FrmGradeHelp::readStoredMarks(const std::string& file,
                                                                    int tab, int most) {
    const std::string section = tabSection(tab);
    const auto count = static_cast<std::size_t>(
        std::max(std::min(storedCount(readIni(file, section, "count")), most), 0));
    const auto whatIfs = static_cast<std::size_t>(std::max(storedWhatIfs(file, section), 0));
    std::vector<StoredMark> marks(count + whatIfs, StoredMark{"0", "0", "0", MarkKind::Real});
    for (std::size_t j = count; j < marks.size(); ++j)
        marks[j].kind = MarkKind::WhatIf;
    constexpr std::string StoredMark::*parts[] = {&StoredMark::youGot, &StoredMark::outOf,
                                                  &StoredMark::weighting};
    program_.ini.forEachKey(file, section, [&](std::string_view name, std::string_view value) {
        const auto key = markKeyOf(name);
        if (!key) return;
        const bool real = key->kind == MarkKind::Real;
        if (key->number >= (real ? count : whatIfs)) return;
        (marks[(real ? 0 : count) + key->number].*parts[key->part]).assign(value);
    });
    return marks;
}

// Each stored mark goes through the mark entry as its stored texts, so that every total is
// computed as if the marks had been typed again in their order: the real marks, then the what-if
// marks.
void FrmGradeHelp::replayMarks(const std::vector<StoredMark>& marks) {
    const FlagHold loading(loadingMarks);
    storedWeighting.clear();
    {
        replayedTotals = {};
        const FlagHold replaying(replayedTotals.replaying);
        // The entry's texts (storedYouGot, youGot, ...) keep only the last mark's, so the marks
        // before it are entered from where they stand, without three copies of each text.
        const StoredMark* const last = marks.empty() ? nullptr : &marks.back();
        const auto replay = [this, last](const StoredMark& mark) {
            if (&mark != last) return enterMark(mark.youGot, mark.outOf, mark.weighting);
            storedYouGot = mark.youGot;
            storedOutOf = mark.outOf;
            storedWeighting = mark.weighting;
            cmdEasyWork_Click();
        };
        const auto firstWhatIf = std::find_if(marks.begin(), marks.end(), [](const StoredMark& m) {
            return m.kind == MarkKind::WhatIf;
        });
        std::for_each(marks.begin(), firstWhatIf, replay);
        const FlagHold whatIf(enteringWhatIf);
        std::for_each(firstWhatIf, marks.end(), replay);
    }
    showReplayedTotals();
}

} // namespace tallisto
