#include "reportassembly.h"

#include "illustration.h"
#include "reportpictures.h"
#include "rtfrenderer.h"

#include <array>

namespace {

// Drawn into the work folder by the graph step, perhaps while the other pictures are read.
const QString GraphBitmap = QStringLiteral("RMDGraph.bmp");

// Which page a decoration goes on: the first page, moved on by the cover and story pages when
// they are switched on, or the last page.
struct PageRule {
    bool last = false;
    bool afterCover = false;
    bool afterWenmark = false;
};

struct DecorationRule {
    bool ReportPages::*when;
    Decoration::Kind kind;
    const char *name;
    float left;
    float top;
    PageRule page;
};

using Kind = Decoration::Kind;
constexpr PageRule FirstPage{};
constexpr PageRule AfterCover{false, true, false};
constexpr PageRule AfterCoverAndWenmark{false, true, true};
constexpr PageRule LastPage{true, false, false};

const std::array<DecorationRule, 10> StretchRules{{
    {&ReportPages::cover, Kind::Picture, "100side.bmp", 1.0f, 1.0f, FirstPage},
    {&ReportPages::wenmark, Kind::Picture, "Wenpic.jpg", 1.5f, 1.0f, AfterCover},
    {&ReportPages::taxes, Kind::Picture, "PileofCashMed.jpg", 7.0f, 1.0f, AfterCoverAndWenmark},
    {&ReportPages::taxes, Kind::Picture, "PileofCashMed.jpg", 7.0f, 4.5f, AfterCoverAndWenmark},
    {&ReportPages::taxes, Kind::Picture, "PileofCashMed.jpg", 6.55f, 4.5f, AfterCoverAndWenmark},
    {&ReportPages::graph, Kind::Picture, "RMDGraph.bmp", 2.5f, 1.0f, LastPage},
    {&ReportPages::graph, Kind::Logo, "StretchLogo", 0, 0, LastPage},
    {&ReportPages::cover, Kind::Logo, "StretchLogo", 0, 0, FirstPage},
    {&ReportPages::cover, Kind::Logo, "", 0, 0, FirstPage},
    {&ReportPages::ledger, Kind::Logo, "StretchLogo", 0, 0, AfterCoverAndWenmark},
}};

PictureSource picturesFor(const Illustration &illustration, const ReportEnvironment &environment,
                          PictureCache &cache) {
    return {environment.archive, environment.workFolder, illustration.prompter(), &cache};
}

int pageOf(const PageRule &rule, const ReportPages &pages, int pageCount) {
    if (rule.last)
        return pageCount;
    return 1 + (rule.afterCover && pages.cover ? 1 : 0) +
           (rule.afterWenmark && pages.wenmark ? 1 : 0);
}

} // namespace

PageMargins ReportPageMargins() {
    PageMargins margins;
    margins.top = 720;
    margins.bottom = 864;
    margins.left = 1440;
    margins.right = 1440;
    return margins;
}

std::vector<Decoration> StretchDecorations(const ReportPages &pages, int pageCount) {
    std::vector<Decoration> decorations;
    for (const DecorationRule &rule : StretchRules) {
        if (pages.*(rule.when))
            decorations.push_back({rule.kind, QLatin1String(rule.name), rule.left, rule.top,
                                   pageOf(rule.page, pages, pageCount)});
    }
    return decorations;
}

std::vector<Decoration> ReportDecorations(Calculator calculator, const ReportPages &pages,
                                          int pageCount) {
    if (calculator == Calculator::Stretch)
        return StretchDecorations(pages, pageCount);
    return {{Kind::Logo, QString(), 0, 0, 1}};
}

void LayOutReport(ReportDocument &document, const QString &rtf, TextMeasures *kept) {
    document.open(kept);
    document.setMargins(ReportPageMargins());
    DrawRTF(document, rtf);
    document.close();
}

void LoadDecorations(PictureCache &cache, const Illustration &illustration,
                     const ReportPages &pages, const ReportEnvironment &environment) {
    const PictureSource source = picturesFor(illustration, environment, cache);
    const double pageWidth = ReportDocument::LetterSize.width();
    for (const Decoration &decoration : ReportDecorations(illustration.calculator(), pages, 1)) {
        if (decoration.name == GraphBitmap)
            continue;
        if (decoration.kind == Kind::Picture)
            LoadPicture(decoration.name, source);
        else
            LoadLogo(decoration.name, pageWidth, source);
    }
}

void DecorateReport(Report &report, const Illustration &illustration, const ReportPages &pages,
                    const ReportEnvironment &environment, PictureCache &cache) {
    report.name = environment.fileDescription;
    ReportDocument &document = report.document;
    const PictureSource source = picturesFor(illustration, environment, cache);
    for (const Decoration &decoration :
         ReportDecorations(illustration.calculator(), pages, document.pageCount())) {
        if (decoration.kind == Kind::Picture)
            OverlayPicture(document, decoration.name, decoration.left, decoration.top,
                           decoration.page, source);
        else
            DrawLogo(document, decoration.name, decoration.page, source);
    }
    DrawPageFooter(document, illustration.fields().GetField(QStringLiteral("6-IllustrationDate")),
                   environment.windowCaption, environment.version);
}

void KeepArchivePictures(const PictureCache &read, PictureCache &kept) {
    for (const auto &[name, picture] : read.pictures) {
        if (name != GraphBitmap && !picture.image.isNull() && picture.error.isEmpty())
            kept.pictures.insert_or_assign(name, picture);
    }
    for (const auto &[name, logo] : read.logos) {
        if (!logo.image.isNull())
            kept.logos.insert_or_assign(name, logo);
    }
}

void CreateReport(Report &report, const QString &rtf, const Illustration &illustration,
                  const ReportPages &pages, const ReportEnvironment &environment) {
    LayOutReport(report.document, rtf);
    PictureCache cache;
    DecorateReport(report, illustration, pages, environment, cache);
}
