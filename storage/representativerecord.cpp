#include "representativerecord.h"

#include "durablefile.h"
#include "filelock.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>
#include <array>

namespace {

using R = RepresentativeDetails;

struct RepField {
    QString R::*member;
    int width;
};

// In record order, which is not the window's order.
const std::array<RepField, 14> Fields{{
    {&R::first, 20},
    {&R::initial, 1},
    {&R::last, 30},
    {&R::agency, 30},
    {&R::address, 60},
    {&R::city, 30},
    {&R::state, 2},
    {&R::zip, 11},
    {&R::work, 30},
    {&R::home, 30},
    {&R::fax, 30},
    {&R::email, 60},
    {&R::repNumber, 20},
    {&R::runDate, 20},
}};

constexpr int ReservedWidth = 15;

} // namespace

QByteArray BuildRepRecord(const RepresentativeDetails &details) {
    QByteArray record;
    record.reserve(RepresentativeRecord::Length);
    for (const RepField &field : Fields) {
        const QString text = Windows1252::representable((details.*field.member).trimmed());
        record += Windows1252::encode(text.left(field.width)).leftJustified(field.width, ' ', true);
    }
    record.append(ReservedWidth, ' ');
    record.append(RepresentativeRecord::Length - record.size(), '\0');
    return record;
}

RepresentativeDetails FillRepFields(const QByteArray &record) {
    RepresentativeDetails details;
    int offset = 0;
    for (const RepField &field : Fields) {
        const QByteArray bytes = record.mid(offset, field.width);
        // A NUL ends a text, as the window's entries would cut it.
        const qsizetype nul = bytes.indexOf('\0');
        details.*field.member = Windows1252::decode(nul < 0 ? bytes : bytes.left(nul)).trimmed();
        offset += field.width;
    }
    return details;
}

Status RepWriteFlat(const QString &path, const RepresentativeDetails &details, int lockTimeoutMs) {
    if (path.isEmpty())
        return std::nullopt;
    FileLock lock(path);
    if (Status error = lock.acquire(lockTimeoutMs))
        return error;
    if (const QString reason = DurableFile::writeWhole(path, BuildRepRecord(details));
        !reason.isEmpty())
        return StorageError{
            ErrorNumber::DeviceIo,
            QStringLiteral("Error writing %1: %2").arg(QDir::toNativeSeparators(path), reason)};
    return std::nullopt;
}

Result<RepresentativeDetails> ReadRepFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, fileError(file, QStringLiteral("Error reading"))};
    const QByteArray record = file.read(RepresentativeRecord::Length);
    if (file.error() != QFileDevice::NoError)
        return {{}, fileError(file, QStringLiteral("Error reading"))};
    return {FillRepFields(record), std::nullopt};
}
