#include "graphdrawing.h"

#include "errornumber.h"
#include "fatalerror.h"
#include "fieldformat.h"
#include "numbertext.h"
#include "prompter.h"
#include "validation.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <array>
#include <cmath>

const char *const GraphSeriesNames[3] = {"Annual Income", "Total Income", "Account Value"};

namespace {

// The house colours: gold, teal and navy; in gray scale they keep distinct shades.
constexpr std::array<QRgb, 3> SeriesColours{0xffc9a227, 0xff1f7a80, 0xff1b2a4a};
constexpr QRgb TextColour = 0xff1b2a4a;
constexpr QRgb GridColour = 0xffd5dbe3;

QFont chartFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Gray scale draws every colour as its own gray, so the live chart and the bitmap agree.
QColor shade(const QColor &colour, const GraphOptions &options) {
    if (!options.grayScale)
        return colour;
    const int gray = qGray(colour.rgb());
    return QColor(gray, gray, gray, colour.alpha());
}

QString titleHtml(const QString &title) {
    return QStringLiteral("<p align=\"center\">") +
           title.toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

// A step of 1, 2, 2.5 or 5 times a power of ten giving at most `count` intervals.
double niceStep(double span, int count) {
    const double raw = span / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double multiple : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (multiple * magnitude >= raw)
            return multiple * magnitude;
    }
    return 10 * magnitude;
}

QValueAxis *yearAxis(const GraphData &data, const GraphOptions &options) {
    auto *axis = new QValueAxis;
    const double first = double(data.years.front().year);
    const double last = std::max(double(data.years.back().year), first + 1);
    axis->setRange(first, last);
    axis->setTickType(QValueAxis::TicksDynamic);
    // Labels on round years: 2025, 2030, ... rather than counted from the first year.
    const double step = std::max(1.0, std::ceil(niceStep(last - first, 10)));
    axis->setTickAnchor(std::ceil(first / step) * step);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(chartFont(11));
    axis->setGridLineColor(shade(QColor(GridColour), options));
    return axis;
}

QCategoryAxis *dollarAxis(double maximum, const GraphOptions &options) {
    auto *axis = new QCategoryAxis;
    const std::vector<AxisLabel> labels = DollarAxisLabels(maximum);
    axis->setStartValue(labels.front().value);
    for (const AxisLabel &label : labels)
        axis->append(label.text, label.value);
    axis->setRange(labels.front().value, labels.back().value);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(chartFont(11));
    axis->setGridLineColor(shade(QColor(GridColour), options));
    return axis;
}

void addSeries(QChart &chart, const GraphData &data, const GraphOptions &options,
               QAbstractAxis *xAxis, QAbstractAxis *yAxis) {
    // Seen from above the largest area lies at the back, so the others stay visible on it.
    const std::array<int, 3> order =
        options.topView ? std::array<int, 3>{2, 1, 0} : std::array<int, 3>{0, 1, 2};
    for (const int index : order) {
        auto *line = new QLineSeries;
        for (const GraphYear &year : data.years)
            line->append(double(year.year), double(GraphValue(year, index)));
        QColor colour = shade(QColor(SeriesColours[std::size_t(index)]), options);
        QAbstractSeries *series = line;
        if (options.topView) {
            auto *area = new QAreaSeries(line);
            area->setPen(QPen(colour.darker(120), 1.5));
            colour.setAlpha(200);
            area->setBrush(colour);
            series = area;
        } else {
            line->setPen(QPen(colour, index == 2 ? 3.0 : 2.5));
        }
        series->setName(QLatin1String(GraphSeriesNames[index]));
        chart.addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
}

} // namespace

qint64 GraphValue(const GraphYear &year, int series) {
    switch (series) {
    case 0:
        return year.annualIncome;
    case 1:
        return year.totalIncome;
    default:
        return year.accountValue;
    }
}

QImage GrayPicture(const QImage &image) {
    return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

std::vector<AxisLabel> DollarAxisLabels(double maximum) {
    const double top = std::max(maximum, 1.0);
    const double step = std::max(1.0, niceStep(top, 5));
    std::vector<AxisLabel> labels;
    const int count = int(std::ceil(top / step - 1e-9));
    for (int i = 0; i <= count; ++i) {
        const double value = i * step;
        labels.push_back({value, FormatDollars(QString::number(qint64(std::llround(value))))});
    }
    return labels;
}

void BuildGraphChart(QChart &chart, const GraphData &data, const GraphOptions &options) {
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setBackgroundRoundness(0);
    chart.setBackgroundVisible(false);
    // Room on the right for the last year's label, which the value lines would otherwise reach.
    chart.setMargins(QMargins(8, 8, 24, 8));
    chart.setTitleFont(chartFont(15, true));
    chart.setTitleBrush(shade(QColor(TextColour), options));
    chart.setTitle(titleHtml(data.title));
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.legend()->setFont(chartFont(12));
    if (!data.years.empty()) {
        qint64 maximum = 0;
        for (const GraphYear &year : data.years)
            for (int series = 0; series < 3; ++series)
                maximum = std::max(maximum, GraphValue(year, series));
        QValueAxis *xAxis = yearAxis(data, options);
        QCategoryAxis *yAxis = dollarAxis(double(maximum), options);
        chart.addAxis(xAxis, Qt::AlignBottom);
        chart.addAxis(yAxis, Qt::AlignLeft);
        addSeries(chart, data, options, xAxis, yAxis);
    }
    // The theme's own label and line colours carry a tint of blue.
    for (QAbstractAxis *axis : chart.axes()) {
        axis->setLabelsColor(shade(axis->labelsColor(), options));
        axis->setLinePenColor(shade(axis->linePenColor(), options));
    }
    chart.legend()->setLabelColor(shade(chart.legend()->labelColor(), options));
}

QImage RenderGraph(const GraphData &data, const GraphOptions &options, const QImage &background) {
    QGraphicsScene scene; // owns the chart, which owns its series and axes
    auto *chart = new QChart;
    scene.addItem(chart);
    chart->setGeometry(0, 0, GraphWidth, GraphHeight);
    BuildGraphChart(*chart, data, options);
    chart->layout()->activate();

    QImage image(GraphWidth, GraphHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (options.background && !background.isNull())
        painter.drawImage(QRectF(image.rect()), background);
    const QRectF area(0, 0, GraphWidth, GraphHeight);
    scene.render(&painter, area, area);
    painter.end();
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    return options.grayScale ? GrayPicture(opaque) : opaque;
}

QString GraphYearTip(const GraphYear &year) {
    QStringList lines{QString::number(year.year)};
    for (int series = 0; series < 3; ++series)
        lines << QLatin1String(GraphSeriesNames[series]) + QStringLiteral(": ") +
                     FormatDollars(QString::number(GraphValue(year, series)));
    return lines.join(QLatin1Char('\n'));
}

void DrawGraph(const GraphData &data, const GraphOptions &options, const QImage &background,
               const QString &path, Prompter &prompter) {
    QImage image = RenderGraph(data, options, background);
    // 96 pixels to the inch, as the report places pictures.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    if (image.save(path, "BMP"))
        return;
    FailGraphRoutine(ErrorNumber::PathFileAccess, QStringLiteral("cannot write %1").arg(path),
                     prompter);
}

void FailGraphRoutine(int code, const QString &description, Prompter &prompter) {
    prompter.notice(QStringLiteral("Error in Graph Routine"),
                    JoinLines({QStringLiteral("An error, code") + NumberText::Str(code) +
                                   QStringLiteral(", has occurred."),
                               QStringLiteral("Description: ") + description,
                               QStringLiteral("This program will terminate.")}),
                    MessageIcon::Stop);
    throw FatalError(QStringLiteral("Graph Routine"), code, description)
        .markShown()
        .markFileFailure();
}
