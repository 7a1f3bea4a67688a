// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main_window.h"

#include "gui/chart_window.h"
#include "gui/guide_window.h"
#include "gui/overview_window.h"
#include "gui/plan_window.h"
#include "gui/ter_window.h"
#include "gui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

namespace tallisto::gui {

namespace {
constexpr int clientWidth = 6015;
constexpr int clientHeight = 5040;
} // namespace

MainWindow::MainWindow(Program& program, QWidget* parent)
    : QMainWindow(parent), events_(program),
      form_(program.frmGradeHelp), chartFolders_{QCoreApplication::applicationDirPath()} {
    setObjectName(QStringLiteral("frmGradeHelp"));
    client_ = new QWidget(this);
    client_->setFixedSize(toPixels(clientWidth), toPixels(clientHeight));
    setCentralWidget(client_);
    containers_["frmGradeHelp"] = client_;
    activate_ = mainEvent("frmGradeHelp", "Activate");
    queryUnload_ = mainEvent("frmGradeHelp", "QueryUnload");
    buildControls();
    buildMenus();
    // Nothing in the window reacts to a change of size, so the size cannot change.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    events_.setBeforeEvent([this] { recordFrame(); });
    events_.addWindow([this] { sync(); });
    // The other windows are built when the core first shows them (or a test asks for them): most
    // starts never show the planner or the guide, and many not the out-of-20 window.
    Program& core = events_.program();
    events_.addWindow([this, &core] {
        if (ter_)
            ter_->sync();
        else if (core.frmTER.frmTER.visible || core.frmTER.TimerFrmTer.enabled)
            terWindow();
    });
    events_.addWindow([this, &core] {
        if (plan_)
            plan_->sync();
        else if (core.frmPlan.frmPlan.visible)
            planWindow();
    });
    events_.addWindow([this, &core] {
        if (guide_)
            guide_->sync();
        else if (core.frmGuide.frmGuide.visible)
            guideWindow();
    });
    events_.addWindow([this, &core] {
        if (overview_)
            overview_->sync();
        else if (core.frmOverview.frmOverview.visible)
            overviewWindow();
    });
    events_.addWindow([this, &core] {
        if (chart_)
            chart_->sync();
        else if (core.frmChart.frmChart.visible)
            chartWindow();
    });
    events_.setOnEnded([this] { endProgram(); });

    // Placed by its inside, as it is recorded: a move() before the window manager has framed the
    // window would place the frame on one platform and the inside on another.
    adjustSize();
    setGeometry(QRect(openingPlace(form_.frmGradeHelp), size()));
    events_.syncWindows();
}

// Where the core puts the window, unless no screen shows that place any more (a screen taken
// away since the place was saved): then near the top left of the main screen.
QPoint MainWindow::openingPlace(const Control& window) {
    const QPoint place(toPixels(window.left), toPixels(window.top));
    const QRect titleBar(place, QSize(toPixels(window.width), 30));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(titleBar)) return place;
    const QScreen* main = QGuiApplication::primaryScreen();
    return main ? main->availableGeometry().topLeft() + QPoint(80, 80) : QPoint(80, 80);
}

MainWindow::~MainWindow() = default;

TerWindow& MainWindow::terWindow() {
    if (!ter_) {
        ter_ = std::make_unique<TerWindow>(events_);
        ter_->sync();
    }
    return *ter_;
}

PlanWindow& MainWindow::planWindow() {
    if (!plan_) {
        plan_ = std::make_unique<PlanWindow>(events_);
        plan_->sync();
    }
    return *plan_;
}

GuideWindow& MainWindow::guideWindow() {
    if (!guide_) {
        guide_ = std::make_unique<GuideWindow>(events_);
        guide_->sync();
    }
    return *guide_;
}

OverviewWindow& MainWindow::overviewWindow() {
    if (!overview_) {
        overview_ = std::make_unique<OverviewWindow>(events_);
        overview_->sync();
    }
    return *overview_;
}

ChartWindow* MainWindow::chartWindow() {
    if (chart_) return chart_.get();
    QString missing;
    chart_ = ChartWindow::open(events_, chartFolders_, missing);
    if (chart_) {
        chart_->sync();
    } else {
        // Hidden before the message, so that the windows brought up to date for it do not ask
        // for the module again.
        events_.program().frmChart.hide();
        events_.program().dialogs.messageBox(missing.toStdString(), Buttons::OK, "Tallisto");
    }
    return chart_.get();
}

void MainWindow::buildControls() {
    for (Control* control : form_.allControls()) {
        switch (control->kind) {
        case ControlKind::Form:
        case ControlKind::OptionButton: // the tab buttons follow the core's array in sync()
        case ControlKind::Timer:
        case ControlKind::Menu:
        case ControlKind::MenuItem:
        case ControlKind::Separator:
            continue;
        default:
            break;
        }
        auto holder = containers_.find(control->container);
        QWidget* container = holder != containers_.end() ? holder->second : client_;
        QWidget* widget = createWidget(*control, container);
        widget->setObjectName(qText(control->qualifiedName()));
        bound_.push_back({widget, control});
    }
    layBack(bound_);
}

QWidget* MainWindow::createWidget(Control& control, QWidget* container) {
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Button:
        if (control.name == "cmdEasyWork") {
            easyWork_ = new EasyWorkButton(container);
            if (auto keyDown = mainEvent("cmdEasyWork", "KeyDown"))
                connect(easyWork_, &EasyWorkButton::keyDown, this, [keyDown](int key, int shift) {
                    keyDown({key, shift});
                });
            widget = easyWork_;
        } else {
            widget = new QPushButton(container);
        }
        if (auto click = mainEvent(control.name, "Click"))
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    [click] { click({}); });
        break;
    case ControlKind::Label: {
        auto* label = newPlainLabel(container);
        if (control.name == "lblWhatIf") {
            QFont font = label->font();
            font.setItalic(true);
            label->setFont(font);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, whatIfColour());
            label->setPalette(palette);
        }
        widget = label;
        break;
    }
    case ControlKind::Frame:
        widget = newFrame(container);
        containers_[control.name] = widget;
        break;
    case ControlKind::ListBox:
        widget = new MarkList(container);
        buildMarkList(control, widget);
        break;
    case ControlKind::ScrollBar:
    case ControlKind::PictureBox:
        widget = control.kind == ControlKind::ScrollBar
                     ? static_cast<QWidget*>(new QScrollBar(Qt::Horizontal, container))
                     : new StripPanel(container);
        buildTabStrip(control, widget);
        break;
    case ControlKind::Line: {
        auto* line = new QFrame(container);
        line->setFrameShape(control.height == 0 ? QFrame::HLine : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        widget = line;
        break;
    }
    default:
        widget = new QWidget(container);
        break;
    }
    // Keys belong to the big button alone: it keeps the focus between commands.
    if (widget != easyWork_) widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

std::function<void(EventArgs)> MainWindow::mainEvent(const std::string& control,
                                                     const std::string& event) {
    return events_.handler(Form::frmGradeHelp, control, event);
}

void MainWindow::endProgram() {
    for (QWidget* other :
         {static_cast<QWidget*>(ter_.get()), static_cast<QWidget*>(plan_.get()),
          static_cast<QWidget*>(guide_.get()), static_cast<QWidget*>(overview_.get()),
          static_cast<QWidget*>(chart_.get())})
        if (other) other->close();
    close();
    QCoreApplication::quit();
}

void MainWindow::sync() {
    // "[*]" in a title marks Qt's modified flag; a tab may be called that.
    const QString caption =
        qText(form_.frmGradeHelp.caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    if (windowTitle() != caption) setWindowTitle(caption);
    for (const BoundWidget& b : bound_) {
        syncCommon(b.widget, *b.control);
        syncCaption(b.widget, *b.control);
    }
    syncTabStrip();
    syncMarkLists();
    syncMenus();
    syncFocus();
}

void MainWindow::syncFocus() {
    if (form_.focus == "cmdEasyWork" && !easyWork_->hasFocus()) easyWork_->setFocus();
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && activate_) activate_({});
    return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The core either ends the program, which closes the windows, or keeps the window open.
    if (!events_.ended() && queryUnload_) queryUnload_({});
    if (events_.ended())
        event->accept();
    else
        event->ignore();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    shown_ = true;
}

// Taken afresh before every event, as the window manager may tell the frame's size late. The
// position is that of the window's inside, the one place a window can be given before it is
// framed, so that the place written to settings.ini at the end is the place the next start
// gives it. The size is the outer one: the out-of-20 window goes under the frame.
void MainWindow::recordFrame() {
    if (!shown_ || events_.ended()) return;
    const QRect frame = windowHandle() ? windowHandle()->frameGeometry() : frameGeometry();
    Control& window = form_.frmGradeHelp;
    window.left = toTwips(geometry().x());
    window.top = toTwips(geometry().y());
    window.width = toTwips(frame.width());
    window.height = toTwips(frame.height());
}

} // namespace tallisto::gui
