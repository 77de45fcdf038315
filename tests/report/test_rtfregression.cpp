// Damaged and hostile RTF kept as fixtures under tests/data/rtf. The first line of each fixture
// is a comment ("# ...") and not part of the input.

#include "displaylist.h"
#include "testsupport.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString fixture(const QString &name) {
    QByteArray bytes = ReadWholeFile(QDir(QStringLiteral(RTF_FIXTURES)).filePath(name));
    EXPECT_FALSE(bytes.isEmpty()) << "cannot read fixture " << name.toStdString();
    if (bytes.startsWith('#'))
        bytes.remove(0, bytes.indexOf('\n') + 1);
    return QString::fromLatin1(bytes);
}

bool isFinite(const QPointF &p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

// Every fixture, including those the fuzzer found, draws and paints without a fault and leaves
// only finite positions in the display list; those named here draw what they say.
TEST(RtfRegression, EveryFixtureRendersAndPaints) {
    // Every text of the document, "|" between items, and the page count.
    const QHash<QString, std::pair<QString, int>> drawn{
        {u"deep-nesting.rtf"_s, {u"inner|outer"_s, 1}},
        {u"unbalanced-braces.rtf"_s, {u"a|b"_s, 1}},
        {u"huge-parameters.rtf"_s, {u"a|b|c|x|d|e"_s, 2}},
        {u"truncated-escape.rtf"_s, {u"shown"_s, 1}},
        {u"binary-bytes.rtf"_s, {u"before|after"_s, 1}},
        {u"huge-font.rtf"_s, {u"A|B|C|D"_s, 3}}, // 819 points refused, 800 taken
    };
    const QStringList files =
        QDir(QStringLiteral(RTF_FIXTURES)).entryList({u"*.rtf"_s}, QDir::Files);
    for (const QString &named : drawn.keys())
        EXPECT_TRUE(files.contains(named)) << named.toStdString();
    QImage image(85, 110, QImage::Format_RGB32);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const ReportDocument document = RenderRtf(fixture(file));
        if (drawn.contains(file)) {
            EXPECT_EQ(std::pair(DrawnText(document), document.pageCount()), drawn[file]);
        }
        double previousY = -1;
        for (int page = 1; page <= document.pageCount(); ++page, previousY = -1) {
            for (const TextItem &text : TextsOn(document, page)) {
                EXPECT_TRUE(isFinite(text.origin));
                // Lines follow each other down the page.
                EXPECT_GE(text.origin.y(), previousY);
                previousY = text.origin.y();
            }
            for (const LineItem &line : LinesOn(document, page))
                EXPECT_TRUE(isFinite(line.line.p1()) && isFinite(line.line.p2()));
            image.fill(Qt::white);
            QPainter painter(&image);
            document.paintPage(painter, page, image.rect());
        }
    }
}
