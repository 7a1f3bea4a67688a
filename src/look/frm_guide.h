// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The guide window, frmGuide ("How Tallisto Works"): the user's guide, opened from the Help menu.
// It only shows text; it changes no mark, no file and not the unsaved flag.
#include "app/control.h"

#include <string>
#include <vector>

namespace tallisto {

class FrmGuide {
public:
    FrmGuide();

    Control frmGuide; // the window: Caption, Visible

    // Shows the window, or brings it to the front when it is shown already.
    void show();
    void hide();
    // Closed from its title bar, or by Escape, the window is hidden; the Help menu shows it again.
    void Form_QueryUnload(bool& cancel);
    // How often the user has asked for the window; a view brings it to the front when this grows.
    int timesAsked() const { return timesAsked_; }

    Control* findControl(const std::string& name);
    const Control* findControl(const std::string& name) const;
    std::vector<Control*> allControls();

private:
    int timesAsked_ = 0;
};

} // namespace tallisto
