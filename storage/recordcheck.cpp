#include "recordcheck.h"

#include "illustrationrecord.h"
#include "recordfile.h"
#include "windows1252.h"

#include <QCryptographicHash>
#include <QDir>

namespace {

// The digits of the record-number field, blanks around them allowed.
bool holdsNumber(const char *record, int number) {
    const FieldPlace place = IllustrationRecord::recordNumberPlace();
    const char *field = record + place.start - 1;
    int first = 0;
    int last = place.width;
    while (first < last && field[first] == ' ')
        ++first;
    while (last > first && field[last - 1] == ' ')
        --last;
    if (first == last)
        return false;
    qint64 value = 0;
    for (int at = first; at < last; ++at) {
        if (field[at] < '0' || field[at] > '9')
            return false;
        value = value * 10 + (field[at] - '0');
    }
    return value == number;
}

} // namespace

QString describe(RecordDamage damage) {
    switch (damage) {
    case RecordDamage::None:
        return QStringLiteral("no damage");
    case RecordDamage::WrongLength:
        return QStringLiteral("short record");
    case RecordDamage::BadStatus:
        return QStringLiteral("bad status character");
    case RecordDamage::BadCalculator:
        return QStringLiteral("bad calculator digit");
    case RecordDamage::BadRecordNumber:
        return QStringLiteral("record number does not match its place");
    case RecordDamage::BadEncoding:
        return QStringLiteral("bytes outside Windows-1252");
    case RecordDamage::BadIllustrationDate:
        return QStringLiteral("illustration date is not a date");
    }
    return QString();
}

RecordDamage CheckRecord(const char *record, qsizetype size, int number) {
    if (size != IllustrationRecord::Length)
        return RecordDamage::WrongLength;
    if (!isActive(record) && !isDeleted(record))
        return RecordDamage::BadStatus;
    if (record[1] < '0' || record[1] > '3')
        return RecordDamage::BadCalculator;
    if (!holdsNumber(record, number))
        return RecordDamage::BadRecordNumber;
    if (!Windows1252::allDefined(record, size))
        return RecordDamage::BadEncoding;
    return RecordDamage::None;
}

QString RecordFingerprint(const QByteArray &record) {
    return QString::fromLatin1(
        QCryptographicHash::hash(record, QCryptographicHash::Sha256).toHex().left(16));
}

void RecordTally::add(const char *data, qint64 size) {
    const qsizetype length = IllustrationRecord::Length;
    if (!m_pending.isEmpty()) {
        const qint64 needed = std::min<qint64>(length - m_pending.size(), size);
        m_pending.append(data, needed);
        data += needed;
        size -= needed;
        if (m_pending.size() < length)
            return;
        check(m_pending.constData(), length);
        m_pending.clear();
    }
    for (; size >= length; data += length, size -= length)
        check(data, length);
    m_pending.append(data, size);
}

void RecordTally::finish() {
    if (!m_pending.isEmpty())
        check(m_pending.constData(), m_pending.size());
    m_pending.clear();
}

void RecordTally::check(const char *record, qsizetype size) {
    ++m_number;
    const RecordDamage damage = CheckRecord(record, size, m_number);
    if (damage != RecordDamage::None)
        m_damaged.append({m_number, damage});
    else if (isActive(record))
        ++m_active;
    else
        ++m_deleted;
}

Status CheckDatabaseFile(const RecordFile &records) {
    if (Status error = records.checkIsFile())
        return error;
    const qint64 whole = records.size() / RecordFile::RecordLength;
    if (whole == 0 && records.size() == 0)
        return std::nullopt;
    // The first and the last whole record: a database damaged at one end still has the other.
    for (const qint64 number : {qint64(1), whole}) {
        if (number < 1)
            continue;
        const Result<QByteArray> read = records.read(int(number));
        if (!read.ok())
            return read.error;
        const RecordDamage damage = CheckRecord(read.value, int(number));
        if (damage == RecordDamage::None || damage == RecordDamage::BadEncoding)
            return std::nullopt;
    }
    return StorageError{ErrorNumber::PermissionDenied,
                        QStringLiteral("%1 is not an illustration database; nothing was written "
                                       "to it")
                            .arg(QDir::toNativeSeparators(records.path()))};
}
