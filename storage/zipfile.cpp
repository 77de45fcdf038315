#include "zipfile.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <zip.h>

namespace {

ZipResult fromCode(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    ZipResult result{code, QString::fromUtf8(zip_error_strerror(&error))};
    zip_error_fini(&error);
    return result;
}

ZipResult fromError(zip_error_t *error) {
    return {zip_error_code_zip(error), QString::fromUtf8(zip_error_strerror(error))};
}

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct MemberCloser {
    void operator()(zip_file_t *member) const { zip_fclose(member); }
};

} // namespace

namespace ZipFile {

ZipResult createWithFile(const QString &archive, const QString &source, const QString &memberName) {
    int code = 0;
    Archive zip(zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!zip)
        return fromCode(code);
    zip_source_t *file = zip_source_file(zip.get(), QFile::encodeName(source).constData(), 0, -1);
    if (!file)
        return fromError(zip_get_error(zip.get()));
    if (zip_file_add(zip.get(), memberName.toUtf8().constData(), file,
                     ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(file);
        return fromError(zip_get_error(zip.get()));
    }
    // zip_close writes a temporary file beside the archive and renames it: all or nothing.
    if (zip_close(zip.get()) != 0)
        return fromError(zip_get_error(zip.get()));
    zip.release();
    return {};
}

ZipResult extract(const QString &archive, const QString &memberName, qint64 maximumSize,
                  const Sink &sink) {
    int code = 0;
    Archive zip(zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &code));
    if (!zip)
        return fromCode(code);
    const QByteArray name = memberName.toUtf8();
    const auto tooLarge = [&](const QString &cause) {
        return ZipResult{ZIP_ER_INCONS,
                         QStringLiteral("member %1 of %2 %3")
                             .arg(memberName, QFileInfo(archive).fileName(), cause),
                         false, true};
    };
    const QString overLimit =
        maximumSize % (1024 * 1024) == 0
            ? QStringLiteral("is larger than %1 MB").arg(maximumSize / (1024 * 1024))
            : QStringLiteral("is larger than %1 bytes").arg(maximumSize);
    // The header's size is checked first, and the reading is held to it: it is never trusted.
    zip_stat_t stat;
    zip_stat_init(&stat);
    qint64 declared = maximumSize;
    if (zip_stat(zip.get(), name.constData(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
        if (stat.size > zip_uint64_t(maximumSize))
            return tooLarge(overLimit);
        declared = qint64(stat.size);
    }
    std::unique_ptr<zip_file_t, MemberCloser> member(zip_fopen(zip.get(), name.constData(), 0));
    if (!member)
        return fromError(zip_get_error(zip.get()));
    char buffer[64 * 1024];
    qint64 total = 0;
    for (;;) {
        const zip_int64_t read = zip_fread(member.get(), buffer, sizeof buffer);
        if (read < 0)
            return fromError(zip_file_get_error(member.get()));
        if (read == 0)
            break;
        total += read;
        if (total > declared)
            return tooLarge(declared < maximumSize
                                ? QStringLiteral("holds more than the %1 bytes its header declares")
                                      .arg(declared)
                                : overLimit);
        if (!sink(buffer, read))
            return {ZIP_ER_WRITE, QString(), true};
    }
    return {};
}

} // namespace ZipFile
