#include "stretchgraph.h"

#include "illustration.h"
#include "stretchtab.h"
#include "supportarchive.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <array>

namespace {

using Projection::Phase;

const QString CrLf = QStringLiteral("\r\n");
const QString BitmapName = QStringLiteral("RMDGraph.bmp");
const QString BackgroundName = QStringLiteral("GraphBack.bmp");

// The title of each phase: whose name, whether the plan is inherited, and a closing line.
struct TitleRule {
    QString StretchInputs::*name;
    bool inherited;
    const char *lastLine;
};
const std::array<TitleRule, 4> TitleRules{{
    {&StretchInputs::planholderName, false, nullptr},
    {&StretchInputs::spouseName, true, nullptr},
    {&StretchInputs::beneficiaryName, true, nullptr},
    {&StretchInputs::planholderName, false, "(All Years)"},
}};

int column(const ProjectionTable &table, Phase phase, Projection::Column col, int row) {
    return int(table.at(phase, col, row));
}

} // namespace

Projection::Phase GraphPhase(const QString &entry) {
    if (entry.startsWith(u'P'))
        return Projection::Planholder;
    if (entry.startsWith(u'S'))
        return Projection::Spouse;
    if (entry.startsWith(u'N'))
        return Projection::Beneficiary;
    return Projection::AllYears;
}

QString SelectedGraphEntry(const QString &stored, bool spousePhase) {
    return StretchGraphEntries(spousePhase).contains(stored) ? stored : QString();
}

QString GraphTitle(Projection::Phase phase, const StretchInputs &inputs, const QString &rate) {
    const TitleRule &rule = TitleRules[std::size_t(phase)];
    QString title = inputs.*(rule.name) + CrLf +
                    (rule.inherited ? QStringLiteral("Inherited ") : QString()) + inputs.planName +
                    QStringLiteral(" @ ") + rate;
    if (rule.lastLine)
        title += CrLf + QLatin1String(rule.lastLine);
    return title;
}

GraphRange GraphScrollRange(const ProjectionTable &table, Projection::Phase phase) {
    GraphRange range;
    for (int row = 0; row < Projection::Years; ++row) {
        if (table.at(phase, Projection::Balance, row) > 0) {
            range.firstRow = row;
            range.minimum = column(table, phase, Projection::Age, row) + 1;
            break;
        }
    }
    for (int row = Projection::Years - 1; row >= 0; --row) {
        if (table.at(phase, Projection::Age, row) > 0) {
            range.maximum = column(table, phase, Projection::Age, row);
            break;
        }
    }
    return range;
}

int ClampedScrollPosition(const GraphRange &range, int position) {
    return std::clamp(position, range.minimum, std::max(range.minimum, range.maximum));
}

GraphRows GraphYears(const ProjectionTable &table, Projection::Phase phase, const GraphRange &range,
                     int scrollPosition) {
    GraphRows rows;
    if (range.empty())
        return rows;
    rows.first = range.firstRow;
    rows.last = rows.first;
    for (int row = rows.first + 1; row < Projection::Years; ++row) {
        const int value = column(table, phase, Projection::Age, row);
        if (value <= 0 || value > scrollPosition)
            break;
        rows.last = row;
    }
    return rows;
}

// The background is optional: a picture the archive cannot give is left out. One too large to
// read means an archive that is not the one installed, which ends the program.
QImage GraphBackground(const SupportArchive &archive, const QString &workFolder,
                       Prompter &prompter) {
    const ExtractResult extracted = archive.extract(BackgroundName, workFolder);
    if (extracted.code == ArchiveCode::EntryTooLarge)
        FailGraphRoutine(extracted.number(), extracted.description, prompter);
    const QImage picture = QImageReader(QDir(workFolder).filePath(BackgroundName)).read();
    if (extracted.ok()) {
        for (const QString &file : extracted.files)
            QFile::remove(file);
    }
    return picture;
}

GraphContent PrepareGraph(const Illustration &illustration, const StretchInputs &inputs,
                          const StretchProjection &projection) {
    const IllustrationControls &controls = illustration.controls();
    GraphContent content;
    GraphResult &result = content.result;
    content.spousePhase = projection.spousePhase();
    content.entry = SelectedGraphEntry(controls.lstGraph, content.spousePhase);
    result.phase = GraphPhase(content.entry);
    result.title = GraphTitle(result.phase, inputs,
                              illustration.fields().GetField(QStringLiteral("1-StretchROR")));
    const ProjectionTable &table = projection.table;
    result.range = GraphScrollRange(table, result.phase);
    result.scrollPosition = ClampedScrollPosition(result.range, controls.hScrollGraph);

    content.data.title = result.title;
    const GraphRows rows = GraphYears(table, result.phase, result.range, result.scrollPosition);
    for (int row = rows.first; row <= rows.last; ++row)
        content.data.years.push_back({table.at(result.phase, Projection::Year, row),
                                      table.at(result.phase, Projection::Distribution, row),
                                      table.at(result.phase, Projection::Accumulated, row),
                                      table.at(result.phase, Projection::Balance, row)});
    content.options = {controls.chkBackground, controls.chkGrayScale, controls.chkTopView};
    return content;
}

GraphResult CreateGraph(const Illustration &illustration, const StretchInputs &inputs,
                        const StretchProjection &projection, const SupportArchive &archive,
                        const QString &workFolder) {
    GraphContent content = PrepareGraph(illustration, inputs, projection);
    const QImage background = content.options.background
                                  ? GraphBackground(archive, workFolder, illustration.prompter())
                                  : QImage();
    content.result.bitmap = QDir(workFolder).filePath(BitmapName);
    DrawGraph(content.data, content.options, background, content.result.bitmap,
              illustration.prompter());
    return content.result;
}
