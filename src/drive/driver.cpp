// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive/driver.h"

#include "shared/number_text.h"

#include <algorithm>
#include <sstream>

namespace tallisto::drive {

namespace {

// Splits "NAME(3).Prop" into its parts; index stays -1 without parentheses.
struct Path {
    std::string name;
    int index = -1;
    std::string property;
};

std::optional<int> parseInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        return std::nullopt;
    }
    if (used != text.size()) return std::nullopt;
    return value;
}

std::optional<Path> parsePath(const std::string& text) {
    Path path;
    const auto dot = text.find('.');
    std::string head = text.substr(0, dot);
    path.property = dot == std::string::npos ? "" : text.substr(dot + 1);
    const auto open = head.find('(');
    if (open != std::string::npos) {
        if (head.back() != ')') return std::nullopt;
        const auto index = parseInt(head.substr(open + 1, head.size() - open - 2));
        if (!index) return std::nullopt;
        path.index = *index;
        head = head.substr(0, open);
    }
    path.name = head;
    if (path.name.empty()) return std::nullopt;
    return path;
}

} // namespace

Driver::Driver(std::ostream& out, PlatformFacts facts)
    : out_(out), dialogs_(out), program_(std::make_unique<Program>(dialogs_, std::move(facts))) {}

bool Driver::start() {
    started_ = true;
    if (!program_->start()) {
        out_ << "ended" << std::endl;
        return false;
    }
    return true;
}

bool Driver::finish() {
    return started_ || start();
}

void Driver::error(const std::string& why) {
    errors_ = true;
    out_ << "error: " << why << std::endl;
}

bool Driver::scriptSucceeded() {
    if (const std::size_t left = dialogs_.pending())
        error(std::to_string(left) + " answer(s) left over at the end of input");
    return !errors_;
}

bool Driver::execute(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') return true;
    const auto space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    const bool answer = command == "type" || command == "press" || command == "choose";
    if (!started_ && !answer && !start()) return false;
    if (command == "do")
        doEvent(rest);
    else if (command == "get")
        get(rest);
    else if (answer)
        queueAnswer(command, rest);
    else if (command == "move")
        move(rest);
    else if (command == "plan" && rest.empty())
        out_ << planText(program_->frmPlan.plan());
    else if (command == "plan")
        error("plan takes no argument");
    else if (command == "marks" && rest.empty())
        printMarks();
    else if (command == "marks")
        error("marks takes no argument");
    else if (command == "overview" && rest.empty())
        out_ << overviewText(program_->frmOverview.rows());
    else if (command == "overview")
        error("overview takes no argument");
    else
        error("unknown command: " + command);
    out_.flush();
    if (program_->ended()) {
        out_ << "ended" << std::endl;
        return false;
    }
    return true;
}

// One line a mark of the current tab, in list order, as the four lists show it.
void Driver::printMarks() {
    const FrmGradeHelp& f = program_->frmGradeHelp;
    const auto entry = [](const Control& list, std::size_t j) {
        return j < list.list.size() ? list.list[j] : std::string();
    };
    for (std::size_t j = 0; j < f.lstScore.list.size(); ++j)
        out_ << "mark " << entry(f.lstScore, j) << "|" << entry(f.lstTotal, j) << "|"
             << entry(f.lstWeighting, j) << "|" << entry(f.lstPercentage, j) << "|"
             << (f.markKind(j) == MarkKind::WhatIf ? "whatif" : "real") << "\n";
}

void Driver::queueAnswer(const std::string& command, const std::string& rest) {
    if (command == "type") {
        dialogs_.queue({ScriptedAnswer::Kind::Type, rest, {}});
    } else if (command == "choose") {
        if (rest.empty()) return error("choose needs a path");
        dialogs_.queue({ScriptedAnswer::Kind::Choose, rest, {}});
    } else {
        const auto button = parseButton(rest);
        if (!button) return error("unknown button: " + rest);
        dialogs_.queue({ScriptedAnswer::Kind::Press, "", *button});
    }
}

void Driver::move(const std::string& rest) {
    std::istringstream in(rest);
    std::string left, top;
    in >> left >> top;
    const auto l = parseInt(left), t = parseInt(top);
    if (!l || !t) return error("move needs LEFT TOP");
    program_->frmGradeHelp.frmGradeHelp.left = *l;
    program_->frmGradeHelp.frmGradeHelp.top = *t;
}

void Driver::doEvent(const std::string& rest) {
    std::istringstream in(rest);
    std::string name;
    in >> name;
    EventArgs args;
    for (std::string word; in >> word;) {
        const auto value = parseInt(word);
        if (!value) return error("not a number: " + word);
        args.push_back(*value);
    }
    const Event* event = findProcedure(name);
    if (!event) return error("unknown procedure: " + name);
    const int given = static_cast<int>(args.size());
    if (given < event->arity || given > event->arity + event->optional)
        return error(name + " takes " + std::to_string(event->arity) + " argument(s)");
    switch (program_->run(*event, args)) {
    case Program::Outcome::NotLoaded:
        return error("no such control for " + name);
    case Program::Outcome::OutOfReach:
        out_ << "refused: " << refusedName(*program_, *event, args) << std::endl;
        return;
    case Program::Outcome::Ran:
    case Program::Outcome::Ended:
        return;
    }
}

void Driver::get(const std::string& text) {
    const FrmGradeHelp& main = program_->frmGradeHelp;
    const FrmTER& ter = program_->frmTER;
    std::string name = text;
    const bool terOnly = name.rfind("frmTER.", 0) == 0;
    if (terOnly) name = name.substr(7);
    const auto print = [&](const std::string& value) { out_ << text << "=" << value << "\n"; };

    // Variables first: they carry no property.
    if (!terOnly) {
        if (const auto value = main.variableText(name)) return print(*value);
        if (name == "overallPercentage")
            return print(numberText(program_->modData.overallPercentage));
        if (name == "scoreOutOf20") return print(numberText(program_->modData.scoreOutOf20));
    }
    if (const auto value = ter.variableText(name)) return print(*value);

    auto path = parsePath(name);
    if (!path) return error("cannot read: " + text);
    if (terOnly && path->property.empty()) { // frmTER.Visible: the window itself
        path->property = path->name;
        path->name = "frmTER";
    }
    if (path->property == "Count") {
        if (!terOnly && path->name == "cmdTab") return print(std::to_string(main.cmdTab.size()));
        if (!terOnly && path->name == "menGradesys")
            return print(std::to_string(main.menGradesys.size()));
        return error("not a control array: " + path->name);
    }
    const Control* control = nullptr;
    if (!terOnly) control = main.findControl(path->name, path->index);
    if (!control && path->index < 0) control = ter.findControl(path->name);
    if (!control && !terOnly && path->index < 0)
        control = program_->frmPlan.findControl(path->name);
    if (!control && !terOnly && path->index < 0)
        control = program_->frmGuide.findControl(path->name);
    if (!control && !terOnly && path->index < 0)
        control = program_->frmOverview.findControl(path->name);
    if (!control && !terOnly && path->index < 0)
        control = program_->frmChart.findControl(path->name);
    if (!control) return error("unknown name: " + text);
    const auto value = propertyText(*control, path->property);
    if (!value) return error("unknown property: " + text);
    print(*value);
}

} // namespace tallisto::drive
