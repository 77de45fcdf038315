#pragma once

// What keeps a stored illustration record from being listed or loaded. A damaged or hostile
// record is skipped and reported; it never stops the rest of the database from being used.

#include "storageerror.h"

#include <QByteArray>
#include <QList>
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

class RecordFile;

// An error unless the file is empty or holds illustration records at its start or its end: a
// file linked in by mistake is never written into.
Status CheckDatabaseFile(const RecordFile &records);

// A short text that changes whenever any byte of the record does.
QString RecordFingerprint(const QByteArray &record);

struct DamagedRecord {
    int record = 0;
    RecordDamage damage = RecordDamage::None;
};

// What a database file holds, counted from its bytes as they arrive in pieces of any size (an
// archive member being unpacked): each record is checked once it is whole.
class RecordTally {
public:
    void add(const char *data, qint64 size);
    // The end of the file: a record it ends inside is damaged.
    void finish();

    int active() const { return m_active; }
    int deleted() const { return m_deleted; }
    const QList<DamagedRecord> &damaged() const { return m_damaged; }
    // Whether any record is an illustration record, active or deleted.
    bool holdsIllustrations() const { return m_active + m_deleted > 0; }

private:
    void check(const char *record, qsizetype size);

    QByteArray m_pending;
    int m_number = 0;
    int m_active = 0;
    int m_deleted = 0;
    QList<DamagedRecord> m_damaged;
};
