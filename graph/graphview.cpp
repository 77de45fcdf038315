#include "graphview.h"

#include <QChart>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

GraphView::GraphView(QWidget *parent) : QChartView(parent) {
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setMinimumSize(GraphWidth / 2, GraphHeight / 2);
}

void GraphView::showGraph(const GraphData &data, const GraphOptions &options,
                          const QImage &background) {
    m_data = data;
    m_options = options;
    m_background = options.background && options.grayScale ? GrayPicture(background) : background;
    auto *fresh = new QChart;
    BuildGraphChart(*fresh, m_data, m_options);
    QChart *old = chart();
    setChart(fresh); // the view owns the new chart and lets go of the old one
    delete old;
    resetCachedContent();
    viewport()->update();
}

const GraphYear *GraphView::yearAt(const QPoint &position) const {
    if (m_data.years.empty())
        return nullptr;
    const QPointF inChart = chart()->mapFromScene(mapToScene(position));
    if (!chart()->plotArea().contains(inChart))
        return nullptr;
    const double year = chart()->mapToValue(inChart).x();
    const GraphYear *nearest = &m_data.years.front();
    for (const GraphYear &candidate : m_data.years) {
        if (std::abs(double(candidate.year) - year) < std::abs(double(nearest->year) - year))
            nearest = &candidate;
    }
    return nearest;
}

void GraphView::drawBackground(QPainter *painter, const QRectF &rect) {
    painter->fillRect(rect, Qt::white);
    if (m_options.background && !m_background.isNull())
        painter->drawImage(chart()->geometry(), m_background);
}

void GraphView::mouseMoveEvent(QMouseEvent *event) {
    QChartView::mouseMoveEvent(event);
    if (const GraphYear *year = yearAt(event->position().toPoint()))
        QToolTip::showText(event->globalPosition().toPoint(), GraphYearTip(*year), this);
    else
        QToolTip::hideText();
}
