#include "zipfile.h"

#include <QFile>
#include <QFileInfo>
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

ZipResult tooLarge(const QString &cause) {
    ZipResult result{ZIP_ER_INCONS, cause};
    result.tooLarge = true;
    return result;
}

QString overLimit(qint64 maximumSize) {
    return maximumSize % (1024 * 1024) == 0
               ? QStringLiteral("is larger than %1 MB").arg(maximumSize / (1024 * 1024))
               : QStringLiteral("is larger than %1 bytes").arg(maximumSize);
}

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct MemberCloser {
    void operator()(zip_file_t *member) const { zip_fclose(member); }
};

} // namespace

bool ZipResult::passwordRefused() const {
    return code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD;
}

namespace ZipFile {

ZipResult create(const QString &archive, const QList<Member> &members, const char *password) {
    int code = 0;
    Archive zip(zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!zip)
        return fromCode(code);
    for (int index = 0; index < members.size(); ++index) {
        const Member &member = members.at(index);
        const auto failed = [&] {
            ZipResult result = fromError(zip_get_error(zip.get()));
            result.member = index;
            return result;
        };
        zip_source_t *file =
            zip_source_file(zip.get(), QFile::encodeName(member.source).constData(), 0, -1);
        if (!file)
            return failed();
        const zip_int64_t added = zip_file_add(zip.get(), member.name.toUtf8().constData(), file,
                                               ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (added < 0) {
            zip_source_free(file);
            return failed();
        }
        if (password && zip_file_set_encryption(zip.get(), zip_uint64_t(added), ZIP_EM_TRAD_PKWARE,
                                                password) != 0)
            return failed();
    }
    // zip_close writes a temporary file beside the archive and renames it: all or nothing.
    if (zip_close(zip.get()) != 0)
        return fromError(zip_get_error(zip.get()));
    zip.release();
    return {};
}

ZipResult createWithFile(const QString &archive, const QString &source, const QString &memberName) {
    return create(archive, {{source, memberName}});
}

ZipResult extract(const QString &archive, const QString &memberName, qint64 maximumSize,
                  const Sink &sink) {
    const ZipReader reader(archive);
    if (!reader.opened().ok())
        return reader.opened();
    const qint64 index = reader.find(memberName);
    if (index < 0)
        return fromCode(ZIP_ER_NOENT);
    ZipResult result = reader.extract(index, maximumSize, sink);
    if (result.tooLarge)
        result.description =
            QStringLiteral("member %1 of %2 %3")
                .arg(memberName, QFileInfo(archive).fileName(), result.description);
    return result;
}

} // namespace ZipFile

void ZipReader::Closer::operator()(zip *archive) const {
    zip_discard(archive);
}

ZipReader::ZipReader(const QString &archive, const char *password) {
    int code = 0;
    m_archive.reset(zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &code));
    if (!m_archive) {
        m_opened = fromCode(code);
        return;
    }
    if (password)
        zip_set_default_password(m_archive.get(), password);
}

ZipReader::~ZipReader() = default;

QStringList ZipReader::names() const {
    QStringList names;
    const zip_int64_t count = m_archive ? zip_get_num_entries(m_archive.get(), 0) : 0;
    for (zip_int64_t index = 0; index < count; ++index) {
        const char *raw = zip_get_name(m_archive.get(), zip_uint64_t(index), 0);
        names.append(raw ? QString::fromUtf8(raw) : QString());
    }
    return names;
}

qint64 ZipReader::find(const QString &name) const {
    return m_archive ? zip_name_locate(m_archive.get(), name.toUtf8().constData(), 0) : -1;
}

ZipResult ZipReader::checkSize(qint64 index, qint64 maximumSize) const {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive.get(), zip_uint64_t(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(maximumSize))
        return tooLarge(overLimit(maximumSize));
    return {};
}

ZipResult ZipReader::extract(qint64 index, qint64 maximumSize, const ZipFile::Sink &sink) const {
    // The header's size is checked first, and the reading is held to it: it is never trusted.
    if (ZipResult checked = checkSize(index, maximumSize); !checked.ok())
        return checked;
    zip_stat_t stat;
    zip_stat_init(&stat);
    qint64 declared = maximumSize;
    if (zip_stat_index(m_archive.get(), zip_uint64_t(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE))
        declared = qint64(stat.size);
    std::unique_ptr<zip_file_t, MemberCloser> member(
        zip_fopen_index(m_archive.get(), zip_uint64_t(index), 0));
    if (!member)
        return fromError(zip_get_error(m_archive.get()));
    const auto readFailed = [](ZipResult result) {
        result.readFailed = true;
        return result;
    };
    char buffer[64 * 1024];
    qint64 total = 0;
    for (;;) {
        const zip_int64_t read = zip_fread(member.get(), buffer, sizeof buffer);
        if (read < 0)
            return readFailed(fromError(zip_file_get_error(member.get())));
        if (read == 0)
            break;
        total += read;
        if (total > declared)
            return tooLarge(declared < maximumSize
                                ? QStringLiteral("holds more than the %1 bytes its header declares")
                                      .arg(declared)
                                : overLimit(maximumSize));
        if (!sink(buffer, read))
            return {ZIP_ER_WRITE, QString(), true};
    }
    // Closing checks what the reading may not have: the checksum and the password.
    if (const int closed = zip_fclose(member.release()); closed != 0)
        return readFailed(fromCode(closed));
    return {};
}
