#pragma once

// The active illustrations of the database as the saved-illustrations grid lists them. The file
// is read once; each row keeps the place of its record in that image and its cells are read
// from it when asked for, so listing a large database costs little more than reading it.

#include "recordcheck.h"
#include "storageerror.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

class RecordFile;

namespace GridColumn {
enum : int { Name, IllustrationDate, Type, PlanType, PlanName, Year, Distribution, Record, Count };
}

// "Name", "Illustration Date", ... "Record".
const std::array<const char *, GridColumn::Count> &GridCaptions();

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

    int recordCount() const { return m_recordCount; }
    int deletedCount() const { return m_deletedCount; }
    const QList<DamagedRecord> &damaged() const { return m_damaged; }

    // The number of listed illustrations, then " Saved Illustrations".
    QString title() const;
    // Open, Copy and Delete with at least one row; Undelete while deleted records exist.
    GridButtons buttons() const;

private:
    QByteArray m_image;
    QList<int> m_rows;
    int m_recordCount = 0;
    int m_deletedCount = 0;
    QList<DamagedRecord> m_damaged;
};

// A grid cell of a whole, undamaged record.
QString RecordCell(const char *record, int column);

// The first row whose name, in upper case and cut to the buffer's length, equals the buffer
// (already in upper case); -1 when none does.
int TypeAheadRow(const IllustrationListing &listing, const QString &buffer);

// The type-ahead buffer of the grid: each typed character, in upper case, is appended; the
// window's timer clears it.
class TypeAheadSearch {
public:
    // Appends the key and returns the row to select, or -1.
    int type(QChar key, const IllustrationListing &listing);
    void clear() { m_buffer.clear(); }
    const QString &buffer() const { return m_buffer; }

private:
    QString m_buffer;
};

// The row to select after a row was deleted: the same row number, or the new last row.
int RowAfterDelete(int deletedRow, int rowCountAfter);
