#pragma once
// A started program in a folder of its own, its main window shown, dialogs answered from a
// script. A dialog the script did not expect, answers left over, or a real modal window that
// appears fail the test instead of hanging it.
#include "app/program.h"
#include "gui/main_window.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <string>

namespace tallisto::gui::testing {

class ScriptedDialogs : public Dialogs {
public:
    void type(const std::string& text) { answers_.push_back({Kind::Type, text, Answer::OK}); }
    void press(Answer button) { answers_.push_back({Kind::Press, {}, button}); }
    void cancel() { answers_.push_back({Kind::Cancel, {}, Answer::Cancel}); }

    Answer messageBox(const std::string& prompt, Buttons buttons,
                      const std::string& title) override;
    InputAnswer inputBox(const std::string& prompt, const std::string& title) override;
    FileChoice fileDialog(FileDialogKind kind, const std::string& title,
                          const std::string& filter) override;
    void showInEditor(const std::string& path) override;

    std::size_t pending() const { return answers_.size(); }
    QStringList shown;      // "inputbox TITLE: PROMPT", in order
    QStringList unexpected; // dialogs the script had no answer for

private:
    enum class Kind { Type, Press, Cancel };
    struct Scripted {
        Kind kind;
        std::string text;
        Answer button;
    };
    bool take(Kind wanted, const QString& what, Scripted& answer);
    std::deque<Scripted> answers_;
};

// Rejects any modal window that comes up while it runs, and remembers its title.
class ModalWatchdog : public QObject {
    Q_OBJECT
public:
    ModalWatchdog();
    QStringList caught;

private:
    QTimer timer_;
};

class GuiProgram {
public:
    // settings: the content of settings.ini at start, none when empty.
    explicit GuiProgram(const QByteArray& settings = {});
    ~GuiProgram();

    FrmGradeHelp& form() { return program->frmGradeHelp; }
    FrmTER& ter() { return program->frmTER; }
    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    // Clicks at a widget's centre through the window, so that what lies on top gets the click.
    void clickAt(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    void enterMark(const std::string& score, const std::string& outOf,
                   const std::string& weighting);

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
    std::unique_ptr<MainWindow> window;
    ModalWatchdog watchdog;
};

// Fails the running test when a dialog came unexpected, scripted answers are left over, or a
// real modal window was shown.
inline void checkNothingUnexpected(const GuiProgram& gui) {
    QVERIFY2(gui.dialogs.unexpected.isEmpty(), qPrintable(gui.dialogs.unexpected.join("; ")));
    QCOMPARE(gui.dialogs.pending(), std::size_t(0));
    QVERIFY2(gui.watchdog.caught.isEmpty(), qPrintable(gui.watchdog.caught.join("; ")));
}

} // namespace tallisto::gui::testing
