#pragma once

// Comma-separated files for spreadsheets (RFC 4180, UTF-8): the summary of a year-end run and
// the exports of one illustration, the Stretch ledger and the seven SEPP options.

#include "calculators.h"

#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <optional>

class Illustration;

// One record: cells separated by commas, a cell holding a comma, a quote or a line break in
// double quotes with its quotes doubled, CRLF at the end. A text cell that a spreadsheet would
// take for a formula (starting "=", "+", "-" or "@") gets a leading apostrophe, so a client's
// name can never run as one.
QByteArray CsvRecord(const QStringList &cells, const QList<bool> &numeric = {});

// A CSV file written whole or not at all: the UTF-8 byte-order mark (so spreadsheets read the
// names' accents right), the header, then records as they come. Errors name the file.
class CsvFile {
public:
    explicit CsvFile(const QString &path);
    // False with error() set when the file cannot be made.
    bool open(const QStringList &header);
    bool write(const QStringList &cells, const QList<bool> &numeric = {});
    // Replaces the file with what was written.
    bool commit();
    QString error() const;

private:
    QSaveFile m_file;
};

struct CsvTableText {
    QStringList header;
    QList<QStringList> rows;
    QList<bool> numeric; // per column
};

// The Stretch projection's ledger: one row per year of each phase that has years.
CsvTableText StretchLedgerTable(const StretchProjection &projection);

// The seven SEPP options of a computed illustration: method, table, factor and amount.
CsvTableText SeppOptionsTable(const Illustration &illustration);

// The table of a computed illustration's spreadsheet export (SEPP or Stretch); none for the
// calculators without one.
std::optional<CsvTableText> SpreadsheetTable(const Illustration &illustration,
                                             const CalculationResult &result);

// Writes a whole table; the error text (naming the file) or empty.
QString WriteCsvTable(const QString &path, const CsvTableText &table);
