#pragma once

// The active illustrations of the database as the saved-illustrations grid lists them. The file
// is read once, a block at a time; the listing keeps the bytes of the listed records and reads
// a row's cells from them when asked for, so listing a large database costs little more than
// reading it.

#include "recordcheck.h"
#include "storageerror.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <functional>

class RecordFile;

namespace GridColumn {
enum : int { Name, IllustrationDate, Type, PlanType, PlanName, Year, Distribution, Record, Count };
}

// "Name", "Illustration Date", ... "Record".
const std::array<const char *, GridColumn::Count> &GridCaptions();

// What a pass over the database found besides the listed records.
struct ListingCounts {
    int recordCount = 0; // RecordFile::countForSize of the file
    int listed = 0;
    int deleted = 0;
    QList<DamagedRecord> damaged;
};

// Reads the database a block of records at a time and hands each active record, in record
// order, to `listed` with its number and its 1000 bytes, which last for the call only. Deleted
// records are counted, damaged ones skipped and kept in the counts. A missing database lists
// nothing.
Result<ListingCounts> ScanListing(const RecordFile &records,
                                  const std::function<void(int record, const char *bytes)> &listed);

// A listed record's cell in a grid column.
QString GridCell(const char *record, int column);

// The number of listed illustrations, then " Saved Illustrations".
QString ListingTitle(int rows);

struct GridButtons {
    bool open = false;
    bool copy = false;
    bool remove = false; // "&Delete"
    bool undelete = false;
    bool cancel = true;
};

class IllustrationListing {
public:
    IllustrationListing() = default;

    // Reads the database (a missing one lists nothing). Active records are listed in record
    // order; deleted ones are counted; damaged ones are skipped and kept in damaged().
    static Result<IllustrationListing> read(const RecordFile &records);

    int rowCount() const { return int(m_rows.size()); }
    // The record number of a row: the record's place in the file, which the buttons act on.
    int recordNumber(int row) const { return m_rows.at(row); }
    // The row that lists a record, or -1.
    int rowOf(int record) const;
    QString cell(int row, int column) const;
    // The stored bytes of a row's record as listed.
    QByteArray recordBytes(int row) const;

    int recordCount() const { return m_counts.recordCount; }
    int deletedCount() const { return m_counts.deleted; }
    const QList<DamagedRecord> &damaged() const { return m_counts.damaged; }

    // The number of listed illustrations, then " Saved Illustrations".
    QString title() const;
    // Open, Copy and Delete with at least one row; Undelete while deleted records exist.
    GridButtons buttons() const;

private:
    QByteArray m_listed; // the listed records' bytes, one after the other
    QList<int> m_rows;
    ListingCounts m_counts;
};

// The first row whose name, in upper case and cut to the buffer's length, equals the buffer
// (already in upper case); -1 when none does.
int TypeAheadRow(const IllustrationListing &listing, const QString &buffer);
// The same over rows in any order (a sorted grid): `name` gives row r's name.
int TypeAheadRow(int rows, const std::function<QString(int row)> &name, const QString &buffer);

// The type-ahead buffer of the grid: each typed character, in upper case, is appended; the
// window's timer clears it.
class TypeAheadSearch {
public:
    // Appends the key and returns the row to select, or -1.
    int type(QChar key, const IllustrationListing &listing);
    int type(QChar key, int rows, const std::function<QString(int row)> &name);
    void clear() { m_buffer.clear(); }
    const QString &buffer() const { return m_buffer; }

private:
    QString m_buffer;
};

// The row to select after a row was deleted: the same row number, or the new last row.
int RowAfterDelete(int deletedRow, int rowCountAfter);
