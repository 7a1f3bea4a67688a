// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/side_window.h"

#include "gui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tallisto::gui {

void placeNearMainWindow(QWidget* window, const Control& place, const Control& main) {
    QPoint at(toPixels(place.left), toPixels(place.top));
    const QScreen* screen =
        QGuiApplication::screenAt(QPoint(toPixels(main.left), toPixels(main.top)));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - window->width())));
        at.setY(
            std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - window->height())));
    }
    window->move(at);
}

} // namespace tallisto::gui
