// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/guide_window.h"

#include "gui/control_widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>

namespace tallisto::gui {

namespace {

// Markdown tables come with a double border around every cell; one thin line reads better.
void drawTablesLightly(QTextDocument& document) {
    document.setDocumentMargin(12);
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableFormat format = table->format();
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderBrush(Qt::gray);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        table->setFormat(format);
    }
}

} // namespace

GuideWindow::GuideWindow(CoreEvents& events)
    : QWidget(nullptr, Qt::Window), events_(events), form_(events.program().frmGuide),
      text_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmGuide"));
    queryUnload_ = events_.handler(Form::frmGuide, "frmGuide", "QueryUnload");
    text_->setObjectName(QStringLiteral("guide"));
    text_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    // Wide enough for the guide's tables and pictures without a horizontal scroll bar.
    resize(760, 720);
}

void GuideWindow::sync() {
    const QString caption = qText(form_.frmGuide.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (!form_.frmGuide.visible) {
        if (isVisible()) hide();
        return;
    }
    // Read when first asked for: the pictures cost nothing to a user who never opens the guide.
    if (text_->source().isEmpty()) {
        text_->setSource(QUrl(QStringLiteral("qrc:/guide/guide.md")),
                         QTextDocument::MarkdownResource);
        drawTablesLightly(*text_->document());
    }
    if (!isVisible()) show();
    if (form_.timesAsked() != timesAsked_) {
        timesAsked_ = form_.timesAsked();
        raise();
        activateWindow();
    }
}

// Escape closes the guide, as it closes a dialog; the text passes it on.
void GuideWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return void(close());
    QWidget::keyPressEvent(event);
}

void GuideWindow::closeEvent(QCloseEvent* event) {
    if (!events_.ended() && queryUnload_) queryUnload_({});
    event->accept();
}

} // namespace tallisto::gui
