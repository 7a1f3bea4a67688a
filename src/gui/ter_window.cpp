// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ter_window.h"

#include "gui/control_widgets.h"
#include "gui/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <string>

namespace tallisto::gui {

namespace {
constexpr int clientWidth = 4680;
// Title bar and borders of the window as designed (outer 1455 less client 1065). The inside keeps
// its designed height whatever frame the window manager draws: a thinner frame must not bring
// the top of the explanation into view in the short window.
constexpr int designedFrameHeight = 390;
} // namespace

TerWindow::TerWindow(CoreEvents& events)
    : QWidget(nullptr, Qt::Window), events_(events), form_(events.ter()), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmTER"));
    // Showing it leaves the keyboard with the main window; the core moves it under that window
    // itself when it shows it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    buildControls();
    timer_->setObjectName(QStringLiteral("TimerFrmTer"));
    if (auto tick = terEvent("TimerFrmTer", "Timer"))
        connect(timer_, &QTimer::timeout, this, [tick] { tick({}); });
    activate_ = terEvent("frmTER", "Activate");
    queryUnload_ = terEvent("frmTER", "QueryUnload");
}

void TerWindow::buildControls() {
    for (Control* control : form_.allControls()) {
        QWidget* container = this;
        for (const BoundWidget& b : bound_)
            if (b.control->name == control->container) container = b.widget;
        QWidget* widget = nullptr;
        switch (control->kind) {
        case ControlKind::Frame:
            widget = newFrame(container);
            break;
        case ControlKind::Label: {
            auto* label = newPlainLabel(container);
            if (control->name == "lblScore" || control->name == "lblTER") {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            widget = label;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(container);
            if (auto click = terEvent(control->name, "Click"))
                connect(button, &QPushButton::clicked, this, [click] { click({}); });
            widget = button;
            break;
        }
        default: // the window itself and its timer
            continue;
        }
        widget->setObjectName(qText(control->qualifiedName()));
        bound_.push_back({widget, control});
    }
    layBack(bound_);
}

std::function<void(EventArgs)> TerWindow::terEvent(const std::string& control,
                                                   const std::string& event) {
    return events_.handler(Form::frmTER, control, event);
}

void TerWindow::syncFrame() {
    const Control& window = form_.frmTER;
    const QString caption = qText(window.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    const QSize client(toPixels(clientWidth), toPixels(window.height - designedFrameHeight));
    if (size() != client) setFixedSize(client);
    // Placed by its inside, as the main window is.
    const QPoint place(toPixels(window.left), toPixels(window.top));
    if (window.visible && geometry().topLeft() != place) {
        placing_ = true;
        setGeometry(QRect(place, client));
        placing_ = false;
    }
    if (isHidden() == window.visible) setVisible(window.visible);
}

void TerWindow::syncTimer() {
    const Control& timer = form_.TimerFrmTer;
    if (timer.enabled && timer.interval > 0) {
        if (!timer_->isActive() || timer_->interval() != timer.interval)
            timer_->start(timer.interval);
    } else if (timer_->isActive()) {
        timer_->stop();
    }
}

void TerWindow::sync() {
    for (const BoundWidget& b : bound_) {
        syncCommon(b.widget, *b.control);
        syncCaption(b.widget, *b.control);
    }
    syncFrame();
    syncTimer();
}

bool TerWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && activate_) activate_({});
    return handled;
}

void TerWindow::closeEvent(QCloseEvent* event) {
    if (!events_.ended() && queryUnload_) queryUnload_({});
    event->accept();
}

void TerWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // Where the user puts the window is where it is, until the core places it again.
    if (placing_ || !isVisible() || events_.ended()) return;
    form_.frmTER.left = toTwips(geometry().x());
    form_.frmTER.top = toTwips(geometry().y());
}

} // namespace tallisto::gui
