#pragma once

// Drawing the Stretch graph with Qt Charts into a 624 by 468 picture (9360 by 7027 twips).

#include <QImage>
#include <QString>
#include <vector>

class Prompter;
class QChart;

struct GraphOptions {
    bool background = false; // the background picture behind the chart
    bool grayScale = false;  // shades of gray instead of colours
    bool topView = false;    // the series as filled areas seen from above instead of lines
};

struct GraphYear {
    qint64 year = 0; // calendar year
    qint64 annualIncome = 0;
    qint64 totalIncome = 0;
    qint64 accountValue = 0;
};

struct GraphData {
    QString title; // lines separated by CR LF
    std::vector<GraphYear> years;
};

constexpr int GraphWidth = 624;
constexpr int GraphHeight = 468;

// The series' names, in drawing order of the legend.
extern const char *const GraphSeriesNames[3];

// A year's value of series 0 to 2, in the order of GraphSeriesNames.
qint64 GraphValue(const GraphYear &year, int series);

// "Annual Income", "Total Income" and "Account Value" over the years, with the title, the
// amounts on the value axis in the field store's dollar format, added to an empty chart. The
// saved picture and the Graph tab's live chart are both drawn from it.
void BuildGraphChart(QChart &chart, const GraphData &data, const GraphOptions &options);

// The chart as the 624 by 468 picture the report places. Needs a QApplication.
QImage RenderGraph(const GraphData &data, const GraphOptions &options,
                   const QImage &background = QImage());

// The labels of the value axis for amounts up to `maximum`: a round step, the top label at or
// above the maximum. Values and texts ("$0", "$250,000", ...).
struct AxisLabel {
    double value = 0;
    QString text;
};
std::vector<AxisLabel> DollarAxisLabels(double maximum);

// The picture in shades of gray, as gray scale draws the background.
QImage GrayPicture(const QImage &image);

// What hovering a year shows: the year, then each series' name and amount on a line of its own.
QString GraphYearTip(const GraphYear &year);

// Renders and saves the picture as BMP at `path`. A picture that cannot be saved is reported as
// "Error in Graph Routine" and throws FatalError (already shown).
void DrawGraph(const GraphData &data, const GraphOptions &options, const QImage &background,
               const QString &path, Prompter &prompter);

// Shows "Error in Graph Routine" with the error's code and description and throws FatalError
// (already shown): the graph's failures end the program.
[[noreturn]] void FailGraphRoutine(int code, const QString &description, Prompter &prompter);
