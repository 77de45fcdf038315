#include "pagefooter.h"

#include "fieldformat.h"
#include "numbertext.h"
#include "pageoverlay.h"
#include "reportdocument.h"

#include <algorithm>

namespace {

constexpr double FooterRise = 1008;
// 1008 twips up puts the footer inside the report's text area (its bottom margin is 864), where a
// full page's last line runs into it; the footer goes just below the text instead, though never
// closer to the paper's edge than half an inch.
constexpr double FooterGap = 72;
constexpr double LowestFooterTop = 720;

} // namespace

ProgramVersion CurrentVersion() {
    return {RMD_VERSION_MAJOR, RMD_VERSION_MINOR, RMD_VERSION_REVISION};
}

QString FooterLeft(const QString &illustrationDate) {
    return FormatLongDate(illustrationDate);
}

QString FooterCentre(int pageNumber, int pageCount) {
    return QStringLiteral("Page") + NumberText::Str(pageNumber) + QStringLiteral(" of") +
           NumberText::Str(pageCount);
}

QString FooterRight(const QString &windowCaption, ProgramVersion version) {
    return windowCaption + QStringLiteral(" Version") + NumberText::Str(version.major) +
           QStringLiteral(".") + QString::number(version.minor);
}

void DrawPageFooter(ReportDocument &document, const QString &illustrationDate,
                    const QString &windowCaption, ProgramVersion version) {
    ReportFont font;
    font.family = QStringLiteral("Arial");
    font.pointSize = 6;
    const double left = document.margins().left;
    const double height = document.pageSize().height();
    const double top = std::clamp(document.bottomEdge() + FooterGap, height - FooterRise,
                                  height - LowestFooterTop);
    const QRectF line(left, top, document.rightEdge() - left, font.twips());
    const QString date = FooterLeft(illustrationDate);
    const QString right = FooterRight(windowCaption, version);
    const int count = document.pageCount();
    for (int page = 1; page <= count; ++page) {
        PageOverlay overlay = document.overlay(page);
        overlay.drawText(date, font, line, Qt::AlignLeft);
        overlay.drawText(FooterCentre(page, count), font, line, Qt::AlignHCenter);
        overlay.drawText(right, font, line, Qt::AlignRight);
    }
}
