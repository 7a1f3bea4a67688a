// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive/driver.h"
#include "shared/number_text.h"

#include <functional>
#include <map>

namespace tallisto::drive {

namespace {

std::string boolText(bool b) {
    return b ? "True" : "False";
}
std::string num(int n) {
    return numberText(n);
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? "|" : "") + items[i];
    return text;
}

} // namespace

std::optional<std::string> propertyText(const Control& c, const std::string& property) {
    using Getter = std::function<std::string(const Control&)>;
    static const std::map<std::string, Getter> properties = {
        {"Caption", [](const Control& c) { return c.caption; }},
        {"ToolTipText", [](const Control& c) { return c.toolTipText; }},
        {"Visible", [](const Control& c) { return boolText(c.visible); }},
        {"Enabled", [](const Control& c) { return boolText(c.enabled); }},
        {"Checked", [](const Control& c) { return boolText(c.checked); }},
        {"Left", [](const Control& c) { return num(c.left); }},
        {"Top", [](const Control& c) { return num(c.top); }},
        {"Width", [](const Control& c) { return num(c.width); }},
        {"Height", [](const Control& c) { return num(c.height); }},
        {"Min", [](const Control& c) { return num(c.min); }},
        {"Max", [](const Control& c) { return num(c.max); }},
        {"LargeChange", [](const Control& c) { return num(c.largeChange); }},
        {"SmallChange", [](const Control& c) { return num(c.smallChange); }},
        {"ListCount", [](const Control& c) { return num(static_cast<int>(c.list.size())); }},
        {"ListIndex", [](const Control& c) { return num(c.listIndex); }},
        {"List", [](const Control& c) { return joined(c.list); }},
        {"Interval", [](const Control& c) { return num(c.interval); }},
        {"Value",
         [](const Control& c) {
             return c.kind == ControlKind::OptionButton || c.kind == ControlKind::CheckBox
                        ? boolText(c.checked)
                        : num(c.value);
         }},
    };
    auto it = properties.find(property);
    if (it == properties.end()) return std::nullopt;
    return it->second(c);
}

} // namespace tallisto::drive
