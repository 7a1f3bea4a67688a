// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module: the chart window's drawing, by Qt Charts.
#include "gui/chart/chart_pane.h"

#include "gui/control_widgets.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace tallisto::gui {

namespace {

// Colours that stay apart on a white ground, one per subject, taken in turn.
const QColor lineColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                              QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                              QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
                              QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf),
                              QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22)};

// A legend of more subjects than this hides the chart; the pointer names a line instead.
constexpr int mostInLegend = 12;

// A step of 1, 2 or 5 times a power of ten that puts at most ten steps on the axis.
double tickStep(double extent) {
    for (double step = 1;; step *= 10)
        for (const double times : {1.0, 2.0, 5.0})
            if (extent / (step * times) <= 10) return step * times;
}

// The bands run from a pale red for the lowest grade to a pale green for the highest.
QColor bandColour(std::size_t k, std::size_t bands) {
    const double t = bands > 1 ? double(k) / double(bands - 1) : 1.0;
    return QColor::fromHsvF(0.33 * t, 0.45, 1.0, 0.35);
}

QString titleOf(const ChartData& data) {
    const bool none = std::all_of(data.lines.begin(), data.lines.end(),
                                  [](const ChartLine& line) { return line.points.empty(); });
    return qText(data.title) + (none ? QStringLiteral(": no marks yet") : QString());
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

class Pane : public ChartPane {
public:
    explicit Pane(QWidget* parent) : ChartPane(parent), view_(new QChartView(this)) {
        view_->setObjectName(QStringLiteral("chart"));
        view_->setRenderHint(QPainter::Antialiasing);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
    }
    void draw(const ChartData& data) override;
    const ChartData& drawn() const override { return drawn_; }
    QChart* chart() const override { return view_->chart(); }

private:
    void drawAnew(const ChartData& data, int marks, double top);
    bool redrawsLines(const ChartData& data, int marks, double top) const;
    void styleLine(QLineSeries* series, std::size_t index, const ChartLine& line, bool withPoints);

    QChartView* view_;
    ChartData drawn_;
    bool everDrawn_ = false;
    int marks_ = 0; // the extent of the axes drawn
    double top_ = 0;
    std::vector<QLineSeries*> lines_; // one per subject, as drawn_ has them
};

void Pane::draw(const ChartData& data) {
    if (everDrawn_ && data == drawn_) return;
    int marks = 1;
    double top = 100;
    for (const ChartLine& line : data.lines) {
        marks = std::max(marks, static_cast<int>(line.points.size()));
        for (const ChartPoint& point : line.points)
            top = std::max(top, point.percent);
    }
    top = std::ceil(top / 10) * 10;
    // A chart of 43 subjects of 1000 marks takes long to build: after most commands only a line
    // or two changed, or which subject is the current one.
    if (redrawsLines(data, marks, top)) {
        chart()->setTitle(titleOf(data));
        for (std::size_t i = 0; i < data.lines.size(); ++i) {
            const ChartLine &line = data.lines[i], &was = drawn_.lines[i];
            if (line.name != was.name) lines_[i]->setName(qText(line.name));
            if (line.points != was.points || line.current != was.current)
                styleLine(lines_[i], i, line, line.points != was.points);
        }
    } else {
        drawAnew(data, marks, top);
    }
    drawn_ = data;
    everDrawn_ = true;
    marks_ = marks;
    top_ = top;
}

bool Pane::redrawsLines(const ChartData& data, int marks, double top) const {
    if (!everDrawn_ || marks != marks_ || top != top_ || data.bands != drawn_.bands ||
        data.lines.size() != drawn_.lines.size())
        return false;
    const auto whatIf = [](const ChartLine& line) {
        std::vector<ChartPoint> points;
        for (const ChartPoint& point : line.points)
            if (point.kind == MarkKind::WhatIf) points.push_back(point);
        return points;
    };
    for (std::size_t i = 0; i < data.lines.size(); ++i)
        if (whatIf(data.lines[i]) != whatIf(drawn_.lines[i]) ||
            data.lines[i].points.empty() != drawn_.lines[i].points.empty())
            return false;
    return true;
}

// The line's points and its pen: the current subject's line is drawn thicker.
void Pane::styleLine(QLineSeries* series, std::size_t index, const ChartLine& line,
                     bool withPoints) {
    if (withPoints) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(line.points.size()));
        for (const ChartPoint& point : line.points)
            points << QPointF(point.mark, point.percent);
        series->replace(points);
        series->setPointsVisible(points.size() <= 60);
    }
    QPen pen(lineColours[index % std::size(lineColours)]);
    pen.setWidthF(line.current ? 3 : 1.5);
    series->setPen(pen);
}

void Pane::drawAnew(const ChartData& data, int marks, double top) {
    auto* chart = new QChart;
    chart->setTitle(titleOf(data));
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Mark, in the order entered"));
    // Half a mark of room at each end, so that no point sits on the frame.
    x->setRange(0.5, marks + 0.5);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(tickStep(marks));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Overall percentage"));
    y->setRange(0, top);
    y->setLabelFormat(QStringLiteral("%d%%"));
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(tickStep(top));
    // The grade of each band, written beside it on the right.
    auto* grades = new QCategoryAxis;
    grades->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    grades->setRange(0, top);
    grades->setStartValue(0);
    grades->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(grades, Qt::AlignRight);

    double reached = 0;
    for (std::size_t k = 0; k < data.bands.size(); ++k) {
        const GradeBand& band = data.bands[k];
        const double to = std::min(band.to.value_or(top), top);
        // Bounds out of order in graderanges.txt give no band rather than an overlapping one.
        if (band.from < reached || to <= band.from) continue;
        reached = to;
        auto* lower = new QLineSeries(chart);
        auto* upper = new QLineSeries(chart);
        lower->append({QPointF(0.5, band.from), QPointF(marks + 0.5, band.from)});
        upper->append({QPointF(0.5, to), QPointF(marks + 0.5, to)});
        auto* area = new QAreaSeries(upper, lower);
        area->setName(qText(band.grade));
        area->setBrush(bandColour(k, data.bands.size()));
        area->setPen(Qt::NoPen);
        attach(chart, area, x, y);
        hideFromLegend(chart, area);
        grades->append(qText(band.grade), to);
    }

    bool whatIfNamed = false;
    const bool legend = static_cast<int>(data.lines.size()) <= mostInLegend;
    lines_.clear();
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const ChartLine& line = data.lines[i];
        const QColor colour = lineColours[i % std::size(lineColours)];
        auto* series = new QLineSeries;
        lines_.push_back(series);
        series->setName(qText(line.name));
        styleLine(series, i, line, true);
        QList<QPointF> whatIf;
        for (const ChartPoint& point : line.points)
            if (point.kind == MarkKind::WhatIf) whatIf << QPointF(point.mark, point.percent);
        connect(series, &QLineSeries::hovered, this, [name = series->name()](QPointF at, bool in) {
            if (in)
                QToolTip::showText(QCursor::pos(), name + QStringLiteral(": %1% after mark %2")
                                                              .arg(at.y(), 0, 'f', 2)
                                                              .arg(std::lround(at.x())));
        });
        attach(chart, series, x, y);
        if (!legend) hideFromLegend(chart, series);
        if (whatIf.isEmpty()) continue;
        // What-if marks: hollow triangles over the line, named once in the legend.
        auto* marked = new QScatterSeries;
        marked->setName(QStringLiteral("What-if mark"));
        marked->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
        marked->setMarkerSize(12);
        marked->setColor(Qt::white);
        marked->setBorderColor(colour);
        marked->replace(whatIf);
        attach(chart, marked, x, y);
        if (whatIfNamed) hideFromLegend(chart, marked);
        whatIfNamed = true;
    }
    chart->legend()->setAlignment(Qt::AlignBottom);

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

} // namespace

} // namespace tallisto::gui

extern "C" Q_DECL_EXPORT tallisto::gui::ChartPane* tallistoMakeChartPane(QWidget* parent) {
    return new tallisto::gui::Pane(parent);
}
