#pragma once

// A random-access file of 1000-byte records, numbered from 1. Every operation opens the file,
// transfers whole records and closes it again. A write that fails leaves the file as it was.

#include "storageerror.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

class RecordFile {
public:
    static constexpr int RecordLength = 1000;
    // The record-number field holds six digits.
    static constexpr int MaxRecordNumber = 999999;

    explicit RecordFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // The file's length; 0 when it is missing.
    qint64 size() const;
    // True when the file holds at least one byte (FileExists).
    bool exists() const { return size() > 0; }
    // Length / 1000 rounded to the nearest whole number, halves to even.
    int count() const { return countForSize(size()); }
    static int countForSize(qint64 size);

    // Record n; shorter than 1000 bytes when the file ends inside it.
    Result<QByteArray> read(int number) const;
    // The whole file in one read.
    Result<QByteArray> readAll() const;

    // Writes record n (exactly 1000 bytes), extending the file when n lies past its end. On any
    // failure the file keeps its old length and its old bytes. A file that ends inside a record
    // is never extended: the zeros of the gap would make its short record look whole.
    Status write(int number, const QByteArray &record);
    // Several records in one opening, each written whole; a failure stops there and leaves the
    // records before it written and the failing one as it was.
    Status write(const QList<std::pair<int, QByteArray>> &records);

    // An error when the path names something that is not a plain file (a folder, a device).
    Status checkIsFile() const;

private:
    QString m_path;
};
