#include "recordfile.h"

#include "durablefile.h"
#include "fatalerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

StorageError badRecordNumber(int number) {
    return {ErrorNumber::BadRecordNumber,
            QStringLiteral("Bad record number") + QStringLiteral(" %1").arg(number)};
}

StorageError databaseFull(const QString &path) {
    return {ErrorNumber::DiskFull,
            QStringLiteral("Error Writing to Database: %1: the database is full (%2 records is "
                           "the most it can hold); compact it to make room")
                .arg(QDir::toNativeSeparators(path))
                .arg(RecordFile::MaxRecordNumber)};
}

StorageError partialRecord(const QString &path, qint64 size) {
    return {ErrorNumber::DeviceIo,
            QStringLiteral("Error Writing to Database: %1 ends inside a record (%2 bytes is no "
                           "whole number of records); compact the database to repair it before "
                           "adding to it")
                .arg(QDir::toNativeSeparators(path))
                .arg(size)};
}

// Writes one record at its place; on failure puts back what stood there before. A lone record
// is synced to the disk before it counts as written; a batch is synced once at its end.
Status writeOne(QFile &file, int number, const QByteArray &record, bool sync) {
    if (record.size() != RecordFile::RecordLength)
        throw FatalError(QStringLiteral("RecordFile::write"), ErrorNumber::BadRecordLength,
                         QStringLiteral("a record of %1 bytes").arg(record.size()));
    const qint64 oldSize = file.size();
    const qint64 offset = qint64(number - 1) * RecordFile::RecordLength;
    if (oldSize % RecordFile::RecordLength != 0 && offset + RecordFile::RecordLength > oldSize)
        return partialRecord(file.fileName(), oldSize);
    QByteArray previous;
    if (offset < oldSize) {
        if (!file.seek(offset))
            return fileError(file, QStringLiteral("Error Reading Database"));
        previous = file.read(RecordFile::RecordLength);
    }
    bool written = file.seek(offset);
    // A short write is retried for the rest, which then fails with the system's reason.
    for (qsizetype done = 0; written && done < record.size();) {
        const qint64 count = file.write(record.constData() + done, record.size() - done);
        written = count > 0;
        done += qMax<qint64>(count, 0);
    }
    written = written && (!sync || DurableFile::syncToDisk(file));
    if (written)
        return std::nullopt;

    const StorageError error = fileError(file, QStringLiteral("Error Writing to Database"));
    // Put the file back: the old length first, then the old bytes of the record's place.
    file.resize(oldSize);
    if (!previous.isEmpty() && file.seek(offset))
        file.write(previous);
    DurableFile::syncToDisk(file);
    return error;
}

} // namespace

qint64 RecordFile::size() const {
    const QFileInfo info(m_path);
    return info.isFile() ? info.size() : 0;
}

int RecordFile::countForSize(qint64 size) {
    const qint64 whole = size / RecordLength;
    const qint64 rest = size % RecordLength;
    if (rest > RecordLength / 2 || (rest == RecordLength / 2 && whole % 2 == 1))
        return int(whole + 1);
    return int(whole);
}

Status RecordFile::checkIsFile() const {
    const QFileInfo info(m_path);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return StorageError{ErrorNumber::PathFileAccess,
                        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_path),
                                                     info.isDir()
                                                         ? QStringLiteral("Is a directory")
                                                         : QStringLiteral("Not a regular file"))};
}

Result<QByteArray> RecordFile::read(int number) const {
    if (Status error = checkIsFile())
        return {{}, error};
    if (number < 1 || number > count())
        return {{}, badRecordNumber(number)};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    if (!file.seek(qint64(number - 1) * RecordLength))
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    QByteArray record = file.read(RecordLength);
    if (file.error() != QFileDevice::NoError)
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    return {record, std::nullopt};
}

Result<QByteArray> RecordFile::readAll() const {
    if (Status error = checkIsFile())
        return {{}, error};
    QFile file(m_path);
    if (!file.exists())
        return {{}, std::nullopt};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    return {bytes, std::nullopt};
}

Status RecordFile::write(int number, const QByteArray &record) {
    return write(QList<std::pair<int, QByteArray>>{{number, record}});
}

Status RecordFile::write(const QList<std::pair<int, QByteArray>> &records) {
    if (Status error = checkIsFile())
        return error;
    for (const auto &[number, record] : records) {
        if (number < 1)
            return badRecordNumber(number);
        if (number > MaxRecordNumber)
            return databaseFull(m_path);
    }
    const bool existed = QFileInfo::exists(m_path);
    QFile file(m_path);
    // Unbuffered: each record goes to the system in one write, so a failure is seen at once.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fileError(file, QStringLiteral("Error Writing to Database"));
    const bool single = records.size() == 1;
    for (const auto &[number, record] : records) {
        if (Status error = writeOne(file, number, record, single)) {
            const bool empty = file.size() == 0;
            file.close();
            if (!existed && empty)
                QFile::remove(m_path);
            return error;
        }
    }
    if (!single && !DurableFile::syncToDisk(file))
        return fileError(file, QStringLiteral("Error Writing to Database"));
    return std::nullopt;
}
