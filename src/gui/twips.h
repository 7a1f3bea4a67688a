// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core keeps every length in twips; the windows are laid out in device-independent pixels,
// 15 twips to the pixel, and Qt scales them for high-density screens.
#include "app/control.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace tallisto::gui {

inline constexpr int twipsPerPixel = 15;

inline int toPixels(int twips) {
    return static_cast<int>(std::lround(twips / double(twipsPerPixel)));
}
inline int toTwips(int pixels) {
    return pixels * twipsPerPixel;
}

// Edges are converted rather than sizes, so that controls that touch in twips touch on screen
// (tab buttons of 854 twips side by side neither overlap nor leave gaps).
inline QRect pixelRect(int left, int top, int width, int height) {
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

inline QRect pixelRect(const Control& c) {
    return pixelRect(c.left, c.top, c.width, c.height);
}

// Where a control's widget goes. A line is a thin etched strip centred on the line it stands for.
inline QRect placeOf(const Control& c) {
    if (c.kind != ControlKind::Line) return pixelRect(c);
    const int x1 = toPixels(c.left);
    const int y1 = toPixels(c.top);
    const int x2 = toPixels(c.left + c.width);
    const int y2 = toPixels(c.top + c.height);
    if (c.height == 0) return QRect(x1, y1 - 1, x2 - x1, 2);
    return QRect(x1 - 1, y1, 2, y2 - y1);
}

} // namespace tallisto::gui
