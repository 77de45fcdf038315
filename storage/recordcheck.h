#pragma once

// What keeps a stored illustration record from being listed or loaded. A damaged or hostile
// record is skipped and reported; it never stops the rest of the database from being used.

#include <QByteArray>
#include <QString>

enum class RecordDamage {
    None,
    WrongLength,        // the file ends inside the record
    BadStatus,          // neither "1" (active) nor "0" (deleted)
    BadCalculator,      // the calculator digit is not 0 to 3
    BadRecordNumber,    // "3-DatabaseIndex" is not the record's own number
    BadEncoding,        // a byte that Windows-1252 leaves undefined
    BadIllustrationDate // active, but "6-IllustrationDate" is not a date (compaction's test)
};

// A short English description for reports: "bad calculator digit".
QString describe(RecordDamage damage);

// The structural checks of record `number` (everything but the illustration date).
RecordDamage CheckRecord(const char *record, qsizetype size, int number);
inline RecordDamage CheckRecord(const QByteArray &record, int number) {
    return CheckRecord(record.constData(), record.size(), number);
}

// Whether the status character marks the record active ("1") or deleted ("0").
inline bool isActive(const char *record) {
    return record[0] == '1';
}
inline bool isDeleted(const char *record) {
    return record[0] == '0';
}
