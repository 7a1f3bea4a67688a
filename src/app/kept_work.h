// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The work in the main window as a copy keeps it on disk, so that it can be rebuilt after the
// copy ended without closing: every tab button, the current tab's marks (the other tabs are in
// the working file, kept with it byte for byte), the save file it belongs to, and the state of
// the commands that follows from what the user did rather than from the marks shown.
#include "shared/shared_bytes.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallisto {

struct KeptWork {
    struct Tab {
        std::string name;
        bool shown = true; // false for a deleted tab, whose hidden button keeps its index
        bool operator==(const Tab&) const = default;
    };
    struct Mark {
        std::string score, outOf, weighting; // as listed
        bool operator==(const Mark&) const = default;
    };

    std::vector<Tab> tabs; // every loaded tab button, in index order
    int currentTab = 0;
    std::vector<Mark> marks;     // the current tab's, the what-if marks last
    std::size_t whatIfMarks = 0; // how many of the last marks are what-if marks
    int gradeSys = 0;
    bool unsaved = false;
    std::string filePath, fileTitle;
    int scroll = 0; // the tab strip's scroll bar
    bool resetAllShown = false, resetAllEnabled = false, saveEnabled = false, saveAsEnabled = false,
         reportSetEnabled = false, deleteTabEnabled = false, deleteMarkEnabled = false;
    std::string selectedMark;
    std::array<int, 4> listIndexes{-1, -1, -1, -1}; // of lstScore, lstTotal, lstWeighting,
                                                    // lstPercentage
    SharedBytes workingFile;                        // its bytes; none when the copy had none

    // What the window showed beyond what replaying the marks shows again: a mark out of 0 typed
    // last leaves the caption and the grade panel as they were, and the strip is one twip wider
    // at start than its tabs. Undo brings it back as it was; the recovery data leaves it out,
    // as a restore lays everything out afresh.
    struct Shown {
        bool kept = false;
        int stripWidth = 0;
        std::string caption, grade, gradeRange, gradeSysLabel, gradeSysName, percentage,
            percentageTip, scoreTotal;
        double overallPercentage = 0;
        bool operator==(const Shown&) const = default;
    };
    Shown shown;

    bool operator==(const KeptWork&) const = default;
};

// Everything but the working file, as text. Built at every command: it tells cheaply whether
// anything changed since the work was last kept.
std::string keptWorkHead(const KeptWork& work);

// The whole recovery data in one piece: the head, then the working file's bytes.
std::string keptWorkText(std::string_view head, const SharedBytes& workingFile);

// The recovery data that names where the working file's bytes, workingSize of them, are kept
// instead: in part 1 or 2 of it, a file of their own beside it.
std::string keptWorkText(std::string_view head, std::size_t workingSize, int part);

// The bytes of part 1 or 2 of the recovery data; none when they cannot be read.
using KeptPartReader = std::function<std::optional<std::string>(int part)>;

// The work kept in bytes, with the part they name read through readPart; none when they are not
// whole recovery data of a window that can be: damaged, cut short, naming a part that is not
// whole, or describing more tabs or marks than a window holds. Data written before what-if marks
// existed is read as work without them.
std::optional<KeptWork> readKeptWork(std::string_view bytes, const KeptPartReader& readPart = {});

} // namespace tallisto
