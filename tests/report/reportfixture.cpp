#include "reportfixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

void WriteSupportArchive(const QString &path, const QList<ArchiveEntry> &entries,
                         const char *password, zip_uint16_t method) {
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ArchiveEntry &entry : entries) {
        zip_source_t *source = zip_source_buffer(archive, entry.content.constData(),
                                                 zip_uint64_t(entry.content.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << entry.name.toStdString();
        if (*password) {
            ASSERT_EQ(zip_file_set_encryption(archive, zip_uint64_t(index), method, password), 0);
        }
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray PictureBytes(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

namespace {

QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString &pdfPath, const QString &key) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

} // namespace

QString PdfText(const QString &pdfPath) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
}

int PdfPageCount(const QString &pdfPath) {
    bool ok = false;
    const int pages = pdfInfo(pdfPath, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

QString PdfPageSize(const QString &pdfPath) {
    return pdfInfo(pdfPath, QStringLiteral("Page size"));
}

QList<PdfWord> PdfWords(const QString &pdfPath) {
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const QString page =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    QList<PdfWord> words;
    for (const QRegularExpressionMatch &match : word.globalMatch(page)) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({match.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

namespace {

// The rows of a poppler listing, its columns split at blanks, after its two heading lines.
QList<QStringList> listing(const QString &program, const QStringList &arguments) {
    QList<QStringList> rows;
    for (const QString &line : run(program, arguments).split(u'\n').mid(2))
        rows << line.simplified().split(u' ');
    return rows;
}

} // namespace

QStringList PdfFontsEmbedded(const QString &pdfPath) {
    QStringList embedded;
    // name type encoding emb sub uni object ID; the name has no blanks.
    for (const QStringList &columns : listing(QStringLiteral("pdffonts"), {pdfPath})) {
        if (columns.size() >= 7)
            embedded << columns[columns.size() - 5];
    }
    return embedded;
}

QStringList PdfPictures(const QString &pdfPath) {
    QStringList pictures;
    // page num type width height ...
    for (const QStringList &columns :
         listing(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath})) {
        if (columns.size() >= 5)
            pictures << QStringLiteral("%1:%2x%3").arg(columns[0], columns[3], columns[4]);
    }
    return pictures;
}

ArchiveFolder::ArchiveFolder()
    : work(dir.filePath(QStringLiteral("work"))),
      archive(dir.filePath(QStringLiteral("rmdcalc.icf"))) {
    QDir().mkpath(work);
}

QString ArchiveFolder::workFile(const QString &name) const {
    return QDir(work).filePath(name);
}

QStringList ArchiveFolder::workFiles() const {
    return QDir(work).entryList(QDir::Files, QDir::Name);
}

bool AllGray(const QImage &image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel))
                return false;
        }
    return true;
}
