// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive/scripted_dialogs.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace tallisto::drive {

namespace {

std::vector<Answer> buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return {Answer::OK};
    case Buttons::OKCancel:
        return {Answer::OK, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    }
    return {Answer::OK};
}

std::string buttonsName(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return "OK";
    case Buttons::OKCancel:
        return "OKCancel";
    case Buttons::YesNo:
        return "YesNo";
    case Buttons::YesNoCancel:
        return "YesNoCancel";
    }
    return "OK";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool isCancel(const ScriptedAnswer& a) {
    return a.kind == ScriptedAnswer::Kind::Press && a.button == Answer::Cancel;
}

} // namespace

std::string buttonName(Answer answer) {
    switch (answer) {
    case Answer::OK:
        return "OK";
    case Answer::Cancel:
        return "Cancel";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    }
    return "OK";
}

std::optional<Answer> parseButton(const std::string& text) {
    for (Answer a : {Answer::OK, Answer::Cancel, Answer::Yes, Answer::No})
        if (buttonName(a) == text) return a;
    return std::nullopt;
}

// A dialog takes the answer at the front of the queue when it fits; otherwise the dialog is
// cancelled and the answer waits for a dialog it fits.
Answer ScriptedDialogs::messageBox(const std::string& prompt, Buttons buttons,
                                   const std::string& title) {
    const std::vector<Answer> offered = buttonsOf(buttons);
    out_ << "msgbox " << quoted(title) << " " << quoted(prompt) << " " << buttonsName(buttons)
         << " -> ";
    if (!answers_.empty() && answers_.front().kind == ScriptedAnswer::Kind::Press &&
        std::find(offered.begin(), offered.end(), answers_.front().button) != offered.end()) {
        const Answer a = answers_.front().button;
        answers_.pop_front();
        out_ << buttonName(a) << std::endl;
        return a;
    }
    const bool hasCancel =
        std::find(offered.begin(), offered.end(), Answer::Cancel) != offered.end();
    const Answer a = hasCancel ? Answer::Cancel : offered.back();
    out_ << buttonName(a) << " (unanswered)" << std::endl;
    return a;
}

InputAnswer ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string&) {
    out_ << "inputbox " << quoted(title) << " " << quoted(prompt) << " -> ";
    if (!answers_.empty() && answers_.front().kind == ScriptedAnswer::Kind::Type) {
        InputAnswer a{false, answers_.front().text};
        answers_.pop_front();
        out_ << quoted(a.text) << std::endl;
        return a;
    }
    if (!answers_.empty() && isCancel(answers_.front())) {
        answers_.pop_front();
        out_ << "Cancel" << std::endl;
        return {true, ""};
    }
    out_ << "Cancel (unanswered)" << std::endl;
    return {true, ""};
}

FileChoice ScriptedDialogs::fileDialog(FileDialogKind kind, const std::string& title,
                                       const std::string& filter) {
    out_ << "filedialog " << (kind == FileDialogKind::Open ? "open" : "save") << " "
         << quoted(title) << " " << quoted(filter) << " -> ";
    if (!answers_.empty() && answers_.front().kind == ScriptedAnswer::Kind::Choose) {
        const std::string path = answers_.front().text;
        answers_.pop_front();
        out_ << path << std::endl;
        return {false, path, std::filesystem::path(path).filename().string()};
    }
    if (!answers_.empty() && isCancel(answers_.front())) {
        answers_.pop_front();
        out_ << "Cancel" << std::endl;
        return {true, "", ""};
    }
    out_ << "Cancel (unanswered)" << std::endl;
    return {true, "", ""};
}

bool ScriptedDialogs::showInEditor(const std::string& path) {
    out_ << "editor " << path << std::endl;
    return true;
}

} // namespace tallisto::drive
