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

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    std::size_t used = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size();
}

bool parsePath(const std::string& text, Path& path) {
    const auto dot = text.find('.');
    std::string head = text.substr(0, dot);
    path.property = dot == std::string::npos ? "" : text.substr(dot + 1);
    const auto open = head.find('(');
    if (open != std::string::npos) {
        if (head.back() != ')') return false;
        if (!parseInt(head.substr(open + 1, head.size() - open - 2), path.index)) return false;
        head = head.substr(0, open);
    }
    path.name = head;
    return !path.name.empty();
}

} // namespace

Driver::Driver(std::ostream& out, PlatformFacts facts)
    : out_(out), dialogs_(out), program_(std::make_unique<Program>(dialogs_, std::move(facts))),
      events_(buildEventTable()) {}

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
    else
        error("unknown command: " + command);
    out_.flush();
    if (program_->ended()) {
        out_ << "ended" << std::endl;
        return false;
    }
    return true;
}

void Driver::queueAnswer(const std::string& command, const std::string& rest) {
    if (command == "type") {
        dialogs_.queue({ScriptedAnswer::Kind::Type, rest, {}});
    } else if (command == "choose") {
        if (rest.empty()) return error("choose needs a path");
        dialogs_.queue({ScriptedAnswer::Kind::Choose, rest, {}});
    } else {
        Answer button;
        if (!parseButton(rest, button)) return error("unknown button: " + rest);
        dialogs_.queue({ScriptedAnswer::Kind::Press, "", button});
    }
}

void Driver::move(const std::string& rest) {
    std::istringstream in(rest);
    std::string left, top;
    int l = 0, t = 0;
    if (!(in >> left >> top) || !parseInt(left, l) || !parseInt(top, t))
        return error("move needs LEFT TOP");
    program_->frmGradeHelp.frmGradeHelp.left = l;
    program_->frmGradeHelp.frmGradeHelp.top = t;
}

bool Driver::reachable(const Control& control, bool onTER) {
    if (!control.visible || !control.enabled) return false;
    if (onTER) return control.kind == ControlKind::Timer || program_->frmTER.frmTER.visible;
    return program_->frmGradeHelp.menusOpenTo(control);
}

std::string Driver::refusalName(const Control& control, bool onTER) {
    if (onTER && program_->frmGradeHelp.findControl(control.name)) return "frmTER." + control.name;
    return control.qualifiedName();
}

void Driver::doEvent(const std::string& rest) {
    std::istringstream in(rest);
    std::string name;
    in >> name;
    std::vector<int> args;
    for (std::string word; in >> word;) {
        int value = 0;
        if (!parseInt(word, value)) return error("not a number: " + word);
        args.push_back(value);
    }
    auto it = events_.find(name);
    if (it == events_.end()) it = events_.find("frmTER." + name);
    if (it == events_.end()) return error("unknown procedure: " + name);
    const Event& event = it->second;
    const int given = static_cast<int>(args.size());
    if (given < event.arity || given > event.arity + event.optional)
        return error(name + " takes " + std::to_string(event.arity) + " argument(s)");
    args.resize(static_cast<std::size_t>(event.arity + event.optional), 0);
    if (event.control) {
        const Control* control = event.control(*program_, args);
        if (!control) return error("no such control for " + name);
        if (!reachable(*control, event.onTER)) {
            out_ << "refused: " << refusalName(*control, event.onTER) << std::endl;
            return;
        }
    }
    program_->run([&] { event.run(*program_, args); });
}

void Driver::get(const std::string& text) {
    FrmGradeHelp& main = program_->frmGradeHelp;
    FrmTER& ter = program_->frmTER;
    std::string value;
    std::string name = text;
    const bool terOnly = name.rfind("frmTER.", 0) == 0;
    if (terOnly) name = name.substr(7);

    // Variables first: they carry no property.
    if (!terOnly && main.variableText(name, value))
        return void(out_ << text << "=" << value << "\n");
    if (!terOnly && name == "overallPercentage")
        return void(out_ << text << "=" << numberText(program_->modData.overallPercentage) << "\n");
    if (!terOnly && name == "scoreOutOf20")
        return void(out_ << text << "=" << numberText(program_->modData.scoreOutOf20) << "\n");
    if (ter.variableText(name, value)) return void(out_ << text << "=" << value << "\n");

    Path path;
    if (!parsePath(name, path)) return error("cannot read: " + text);
    if (terOnly && path.property.empty()) { // frmTER.Visible: the window itself
        path.property = path.name;
        path.name = "frmTER";
    }
    if (path.property == "Count") {
        if (!terOnly && path.name == "cmdTab")
            return void(out_ << text << "=" << main.cmdTab.size() << "\n");
        if (!terOnly && path.name == "menGradesys")
            return void(out_ << text << "=" << main.menGradesys.size() << "\n");
        return error("not a control array: " + path.name);
    }
    Control* control = nullptr;
    if (!terOnly) control = main.findControl(path.name, path.index);
    if (!control && path.index < 0) control = ter.findControl(path.name);
    if (!control && !terOnly && path.index < 0) control = program_->frmPlan.findControl(path.name);
    if (!control && !terOnly && path.index < 0) control = program_->frmGuide.findControl(path.name);
    if (!control) return error("unknown name: " + text);
    if (!propertyText(*control, path.property, value)) return error("unknown property: " + text);
    out_ << text << "=" << value << "\n";
}

} // namespace tallisto::drive
