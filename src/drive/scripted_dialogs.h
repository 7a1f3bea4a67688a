// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs answered from a queue of scripted answers; each dialog is printed as one line.
#include "app/services.h"

#include <deque>
#include <optional>
#include <ostream>
#include <string>

namespace tallisto::drive {

struct ScriptedAnswer {
    enum class Kind { Type, Press, Choose } kind;
    std::string text; // typed text or chosen path
    Answer button{};  // pressed button
};

class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(std::ostream& out) : out_(out) {}

    void queue(ScriptedAnswer answer) { answers_.push_back(std::move(answer)); }
    std::size_t pending() const { return answers_.size(); }

    Answer messageBox(const std::string& prompt, Buttons buttons,
                      const std::string& title) override;
    // The default text is not printed: `type` gives the whole answer.
    InputAnswer inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                          const std::string& filter) override;
    bool showInEditor(const std::string& path) override;

private:
    std::ostream& out_;
    std::deque<ScriptedAnswer> answers_;
};

std::string buttonName(Answer answer);
std::optional<Answer> parseButton(const std::string& text);

} // namespace tallisto::drive
