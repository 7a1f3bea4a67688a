// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history.h"

#include <set>

namespace tallisto {

namespace {

std::size_t textBytes(const std::string& text) {
    return sizeof text + (text.capacity() > 15 ? text.capacity() : 0);
}

// What a kept state takes in memory, its working file aside.
std::size_t keptBytes(const KeptWork& work) {
    std::size_t bytes = sizeof work + textBytes(work.filePath) + textBytes(work.fileTitle) +
                        textBytes(work.selectedMark);
    for (const KeptWork::Tab& tab : work.tabs)
        bytes += sizeof tab + textBytes(tab.name) - sizeof tab.name;
    for (const KeptWork::Mark& mark : work.marks)
        bytes += textBytes(mark.score) + textBytes(mark.outOf) + textBytes(mark.weighting);
    return bytes;
}

} // namespace

void History::noteChange(const std::string& what) {
    if (moving_ || origin_ || changed_) return;
    noted_ = what;
    changed_ = true;
}

void History::noteSaved() {
    saved_ = true;
}

void History::noteOrigin() {
    origin_ = true;
}

void History::settle(std::shared_ptr<const KeptWork> work, bool unsaved) {
    if (origin_ || !last_) {
        steps_.clear();
        position_ = 0;
        savedAt_ = unsaved ? nowhere : 0;
    } else if (changed_ && !moving_ && !(*last_ == *work)) {
        // A change after steps undone makes those steps unreachable, and with them the saved
        // position when it lay among them.
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
        if (savedAt_ != nowhere && savedAt_ > position_) savedAt_ = nowhere;
        const std::size_t beforeBytes = !steps_.empty() && steps_.back().after == last_
                                            ? steps_.back().afterBytes
                                            : keptBytes(*last_);
        steps_.push_back({noted_, last_, work, !unsaved, beforeBytes, keptBytes(*work)});
        ++position_;
        while (steps_.size() > 1 && (steps_.size() > mostSteps_ || bytes() > mostBytes_))
            dropOldest();
    }
    if (saved_ && !moving_) savedAt_ = position_;
    last_ = std::move(work);
    noted_.clear();
    changed_ = saved_ = origin_ = moving_ = false;
}

const HistoryStep* History::undo() {
    if (!canUndo()) return nullptr;
    moving_ = true;
    return &steps_[--position_];
}

const HistoryStep* History::redo() {
    if (!canRedo()) return nullptr;
    moving_ = true;
    return &steps_[position_++];
}

bool History::unsavedHere() const {
    if (position_ == savedAt_) return false;
    return position_ == 0 || !steps_[position_ - 1].nothingToSaveAfter;
}

std::size_t History::bytes() const {
    std::set<const void*> counted;
    std::size_t total = 0;
    const auto count = [&](const std::shared_ptr<const KeptWork>& work, std::size_t bytes) {
        if (!counted.insert(work.get()).second) return;
        total += bytes;
        if (work->workingFile && counted.insert(work->workingFile.buffer()).second)
            total += work->workingFile->size();
    };
    for (const HistoryStep& step : steps_) {
        count(step.before, step.beforeBytes);
        count(step.after, step.afterBytes);
    }
    return total;
}

void History::dropOldest() {
    steps_.erase(steps_.begin());
    --position_;
    if (savedAt_ == 0)
        savedAt_ = nowhere;
    else if (savedAt_ != nowhere)
        --savedAt_;
}

} // namespace tallisto
