#pragma once

// picGraph: the Stretch graph drawn live on the Graph tab from the same chart as the saved
// picture, so it stays sharp at any window size and pixel ratio. Hovering a year shows that
// year's three values.

#include "graphdrawing.h"

#include <QChartView>

class GraphView : public QChartView {
    Q_OBJECT

public:
    explicit GraphView(QWidget *parent = nullptr);

    // Draws the graph anew, the background picture behind it when the options ask for it.
    void showGraph(const GraphData &data, const GraphOptions &options, const QImage &background);
    const GraphData &data() const { return m_data; }
    const GraphOptions &options() const { return m_options; }

    // The year drawn nearest to a point of the view along the year axis; nullptr when the point
    // is outside the plot or nothing is drawn.
    const GraphYear *yearAt(const QPoint &position) const;

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    GraphData m_data;
    GraphOptions m_options;
    QImage m_background;
};
