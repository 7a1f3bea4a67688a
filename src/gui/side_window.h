// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows beside the main one share: a place on the screen where the main window's is.
#include "app/control.h"

#include <QWidget>

namespace tallisto::gui {

// Moves a window to the place the core gives it (twips), pulled onto the screen that shows the
// main window, so that it can be seen whole even when the main window stands at an edge.
void placeNearMainWindow(QWidget* window, const Control& place, const Control& main);

} // namespace tallisto::gui
