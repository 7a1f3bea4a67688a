#include "gui/look.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tallisto::gui {

void applyProgramLook(QApplication& app) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(8);
    app.setFont(font);
}

} // namespace tallisto::gui
