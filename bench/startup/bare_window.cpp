// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of start-up: the least a Qt program does to show a window, an empty main window
// of a given size; given a text, it shows that text in a label, the least a window with words on
// it does. Usage: bare_window WIDTH HEIGHT [TEXT]
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(argc > 2 ? std::atoi(argv[1]) : 400, argc > 2 ? std::atoi(argv[2]) : 300);
    if (argc > 3) window.setCentralWidget(new QLabel(QString::fromLocal8Bit(argv[3])));
    window.show();
    return app.exec();
}
