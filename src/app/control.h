// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of one control of a window, as the user sees it. The core changes these states;
// the Qt window and the text driver only show them.
#include <string>
#include <vector>

namespace tallisto {

enum class ControlKind {
    Form,
    Button,
    OptionButton, // the tab buttons: push buttons of which one is pressed (Value)
    Label,
    Frame,
    ListBox,
    ScrollBar,
    PictureBox,
    Line,
    Timer,
    Menu,     // a menu of the menu bar, or a submenu
    MenuItem, // an item that runs a command
    Separator,
    CheckBox, // Checked is its Value
};

struct Control {
    std::string name; // the control's given name, e.g. "cmdTab"
    int index = -1;   // element of a control array, or -1
    ControlKind kind = ControlKind::Label;
    std::string container; // the name of the control, menu or window that holds it

    std::string caption;
    std::string toolTipText;
    bool visible = true;
    bool enabled = true;
    bool checked = false; // a menu item's check mark; an option button's Value

    // Geometry in twips relative to the container; a line runs from (left, top) to
    // (left + width, top + height).
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // List boxes.
    std::vector<std::string> list;
    int listIndex = -1;

    // Scroll bars. Value always lies between Min and Max, whichever is larger.
    int value = 0;
    int min = 0;
    int max = 0;
    int largeChange = 1;
    int smallChange = 1;

    // Timers (Enabled is `enabled`).
    int interval = 0;

    // "cmdTab(2)" for an element of a control array, else the name.
    std::string qualifiedName() const {
        return index < 0 ? name : name + "(" + std::to_string(index) + ")";
    }
};

// A control at its designed place, for the windows' layouts.
inline Control makeControl(const char* name, ControlKind kind, const char* container, int left,
                           int top, int width, int height, const char* caption = "") {
    Control c;
    c.name = name;
    c.kind = kind;
    c.container = container;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.caption = caption;
    return c;
}

// The control of a window that bears name, or none.
inline Control* controlNamed(const std::vector<Control*>& controls, const std::string& name) {
    for (Control* c : controls)
        if (c->name == name) return c;
    return nullptr;
}

} // namespace tallisto
