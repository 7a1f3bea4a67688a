#pragma once
// The program's look: one font at which every caption fits the window's fixed layout.
class QApplication;

namespace tallisto::gui {

void applyProgramLook(QApplication& app);

} // namespace tallisto::gui
