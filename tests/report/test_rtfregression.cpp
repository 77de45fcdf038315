// Damaged and hostile RTF kept as fixtures under tests/data/rtf. The first line of each fixture
// is a comment ("# ...") and not part of the input.

#include "displaylist.h"
#include "testsupport.h"

#include <QDir>
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

TEST(RtfRegression, Fixtures) {
    const struct {
        const char *file;
        QString drawn; // every text of the document, "|" between items
        int pages;
    } cases[] = {
        {"deep-nesting.rtf", u"inner|outer"_s, 1},
        {"unbalanced-braces.rtf", u"a|b"_s, 1},
        {"huge-parameters.rtf", u"a|b|c|x|d|e"_s, 2},
        {"truncated-escape.rtf", u"shown"_s, 1},
        {"binary-bytes.rtf", u"before|after"_s, 1},
        {"huge-font.rtf", u"A|B|C|D"_s, 3}, // 819 points refused, 800 taken
    };
    for (const auto &c : cases) {
        const ReportDocument document = RenderRtf(fixture(QString::fromLatin1(c.file)));
        EXPECT_EQ(DrawnText(document), c.drawn) << c.file;
        EXPECT_EQ(document.pageCount(), c.pages) << c.file;
    }
}

// Every fixture, including those the fuzzer found, draws and paints without a fault and leaves
// only finite positions in the display list.
TEST(RtfRegression, EveryFixtureRendersAndPaints) {
    const QDir folder(QStringLiteral(RTF_FIXTURES));
    const QStringList files = folder.entryList({u"*.rtf"_s}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    QImage image(85, 110, QImage::Format_RGB32);
    for (const QString &file : files) {
        const ReportDocument document = RenderRtf(fixture(file));
        double previousY = -1;
        for (int page = 1; page <= document.pageCount(); ++page, previousY = -1) {
            for (const TextItem &text : TextsOn(document, page)) {
                EXPECT_TRUE(isFinite(text.origin)) << file.toStdString();
                // Lines follow each other down the page.
                EXPECT_GE(text.origin.y(), previousY) << file.toStdString();
                previousY = text.origin.y();
            }
            for (const LineItem &line : LinesOn(document, page))
                EXPECT_TRUE(isFinite(line.line.p1()) && isFinite(line.line.p2()))
                    << file.toStdString();
            image.fill(Qt::white);
            QPainter painter(&image);
            document.paintPage(painter, page, image.rect());
        }
    }
}
