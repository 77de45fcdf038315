// PDF export: file names, the messages of File > Export PDF, and the PDF written, read back with
// poppler's pdfinfo and pdftotext.

#include "pdfexport.h"
#include "reportfixture.h"

#include "displaylist.h"
#include "pagefooter.h"
#include "recordingprompter.h"
#include "reportassembly.h"
#include "testsupport.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

TEST(CleanFileNameTest, RemovesEveryListedCharacter) {
    const struct {
        const char *name;
        QString text;
        QString expected;
    } cases[] = {
        {"blanks, apostrophe and full stop go, the comma stays", QStringLiteral("Mary O'Neil, Jr."),
         QStringLiteral("MaryONeil,Jr")},
        {"every listed character", QStringLiteral(" `@~#$%^&*()+-={}[]|\\/?><.:'\"A,b;c!"),
         QStringLiteral("A,b;c!")},
        {"no way out of the folder", QStringLiteral("../../etc/passwd"),
         QStringLiteral("etcpasswd")},
        {"letters beyond ASCII stay", QStringLiteral("Jos\u00e9 M\u00fcller"),
         QStringLiteral("Jos\u00e9M\u00fcller")},
        {"empty", QString(), QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CleanFileName(c.text), c.expected) << c.name;
}

// The samples' names are rmdbatch demo's test; here a client without a name.
TEST(PdfFileNameTest, NoClientNameLeavesTheSuffix) {
    EXPECT_EQ(PdfFileName(Calculator::Rmd, ClientName(std::monostate())), u"RMD.pdf"_s);
}

TEST(PdfMessageTest, ShownFolderAndTexts) {
    const struct {
        const char *name;
        QString folder;
        QString documents;
        QString expected;
    } cases[] = {
        {"from My Documents on",
         QStringLiteral("C:\\Documents and Settings\\pat\\My Documents\\PDF"), QString(),
         QStringLiteral("My Documents\\PDF")},
        {"from the documents folder's name on", QStringLiteral("/home/pat/Documents/PDF"),
         QStringLiteral("/home/pat/Documents"), QStringLiteral("Documents/PDF")},
        {"a folder outside the documents", QStringLiteral("/home/pat/Data/PDF"),
         QStringLiteral("/home/pat/Documents"), QStringLiteral("/home/pat/Data/PDF")},
        {"a name that only starts alike", QStringLiteral("/home/pat/DocumentsOld/PDF"),
         QStringLiteral("/home/pat/Documents"), QStringLiteral("/home/pat/DocumentsOld/PDF")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShownFolder(c.folder, c.documents), c.expected) << c.name;

    EXPECT_EQ(
        PdfSavedMessage(QStringLiteral("PatSampleEqual.pdf"), QStringLiteral("Documents/PDF")),
        QStringLiteral("PatSampleEqual.pdf\r\n"
                       "was saved in the Documents/PDF file folder.\r\n\r\n"
                       "For more information about Adobe Acrobat files\r\n"
                       "and to get a free Acrobat Reader Plug-in for your\r\n"
                       "web browser visit their website at www.adobe.com."));
    EXPECT_EQ(PdfNotSavedMessage(5), QStringLiteral("An error type 5 occurred \r\n"
                                                    "while creating the PDF file.\r\n"
                                                    "Please try again."));
}

// Three pages with footers; the first in several faces, and a justified paragraph.
Report sampleReport() {
    Report report;
    report.name = QStringLiteral("Retirement Distribution Planner");
    report.document = RenderRtf(QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "\\fs20 Plain {\\b Bold} {\\i Italic} {\\b\\i Both} {\\f1\\fs36 Roman} Jos\\'e9 "
        "M\\'fcller\\par\\qj This justified paragraph runs on long enough to be wrapped, so "
        "that its first line is spread out to the right margin by wider blanks between its "
        "words.\\par\\page\\pard Second page\\par\\page Third page\\par}"));
    DrawPageFooter(report.document, QStringLiteral("01/15/2024"),
                   QStringLiteral("Stretch IRA Concept"), {1, 0});
    return report;
}

// The export writes letter pages with their text and footers over an older file of the name,
// and confirms it; a folder it cannot write in is reported instead.
TEST(ExportPdfTest, WritesTheReportAndConfirmsOrReports) {
    const Report report = sampleReport();
    const StretchInputs inputs{QStringLiteral("Robert J Sample"), {}, {}, {}};
    ArchiveFolder folder;
    const QString documents = folder.dir.path();
    const QString path = folder.workFile(QStringLiteral("RobertJSampleStretch.pdf"));
    WriteWholeFile(path, "an older file of that name");
    RecordingPrompter prompter;

    EXPECT_EQ(ExportPdf(report, Calculator::Stretch, inputs, folder.work, documents, prompter),
              path);
    EXPECT_EQ(PdfPageCount(path), 3);
    EXPECT_EQ(PdfPageSize(path), QStringLiteral("612 x 792 pts (letter)"));
    // Each page's text and overlays reaching the file are rmdbatch report's test.
    EXPECT_EQ(folder.workFiles(), QStringList{QStringLiteral("RobertJSampleStretch.pdf")})
        << "no leftovers";
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Adobe Acrobat File Saved"));
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(prompter.messages()[0].text,
              PdfSavedMessage(QStringLiteral("RobertJSampleStretch.pdf"),
                              QDir(documents).dirName() + QStringLiteral("/work")));

    // A folder that cannot be made, and a file that cannot be replaced: each is named with its
    // cause, and nothing half-written stays behind.
    QFile(folder.workFile(QStringLiteral("plain"))).open(QIODevice::WriteOnly);
    const QString blocked = folder.workFile(QStringLiteral("plain/PDF"));
    QDir(folder.work).mkpath(QStringLiteral("taken/RobertJSampleStretch.pdf"));
    const QString taken = folder.workFile(QStringLiteral("taken"));
    const struct {
        const char *name;
        QString pdfFolder;
        QString named;
    } failures[] = {
        {"folder", blocked, QDir::toNativeSeparators(blocked)},
        {"file", taken,
         QDir::toNativeSeparators(taken + QStringLiteral("/RobertJSampleStretch.pdf"))},
    };
    for (const auto &c : failures) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        EXPECT_EQ(ExportPdf(report, Calculator::Stretch, inputs, c.pdfFolder, documents, prompter),
                  QString());
        ASSERT_EQ(prompter.messages().size(), 1) << "no confirmation after a failure";
        EXPECT_EQ(prompter.messages()[0].caption, QStringLiteral("Adobe Acrobat File Not Saved"));
        // The error number is the system's, not 0.
        const QRegularExpression message(
            uR"(^An error type [1-9]\d* occurred \r\nwhile creating the PDF file\.\r\n)"_s +
            u".*%1.*\\r\\nPlease try again\\.$"_s.arg(QRegularExpression::escape(c.named)));
        EXPECT_TRUE(message.match(prompter.messages()[0].text).hasMatch())
            << prompter.messages()[0].text.toStdString();
    }
    EXPECT_EQ(QDir(taken).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("RobertJSampleStretch.pdf")});
}

// The glyphs stand where the layout measured them, in each face and on a justified line: every
// text item's first word starts at its origin and its last word ends at its measured end, on its
// baseline, with every font embedded in the file.
TEST(WritePdfTest, WordsStandWhereTheLayoutPutThem) {
    const Report report = sampleReport();
    ArchiveFolder folder;
    const QString path = folder.workFile(QStringLiteral("words.pdf"));
    ASSERT_TRUE(WritePdf(report, path).ok());

    const QList<PdfWord> words = PdfWords(path);
    const auto at = [&words](const QString &text, double x, bool start) {
        for (const PdfWord &word : words) {
            if (word.text == text && std::abs((start ? word.box.left() : word.box.right()) - x) < 1)
                return word.box;
        }
        return QRectF();
    };
    int checked = 0;
    for (const TextItem &item : TextsOn(report.document)) {
        const QStringList itemWords = item.text.simplified().split(u' ', Qt::SkipEmptyParts);
        if (itemWords.isEmpty())
            continue;
        // Blanks at either end are drawn but are no part of a word.
        const double blank =
            item.font.metrics().horizontalAdvance(QStringLiteral(" ")) + item.wordSpacing;
        const qsizetype leading = item.text.indexOf(itemWords.first());
        const qsizetype trailing =
            item.text.size() - item.text.lastIndexOf(itemWords.last()) - itemWords.last().size();
        const double baseline = item.origin.y() / 20;
        const QRectF first = at(itemWords.first(), (item.origin.x() + leading * blank) / 20, true);
        const QRectF last = at(itemWords.last(), (RightEnd(item) - trailing * blank) / 20, false);
        EXPECT_FALSE(first.isNull()) << item.text.toStdString() << " does not start at its origin";
        EXPECT_FALSE(last.isNull()) << item.text.toStdString() << " does not end at its width";
        EXPECT_TRUE(first.top() < baseline && baseline < first.bottom())
            << item.text.toStdString() << " is off its baseline";
        ++checked;
    }
    EXPECT_GE(checked, 8);
    EXPECT_EQ(PdfFontsEmbedded(path), QStringList(5, QStringLiteral("yes")));
}

} // namespace
