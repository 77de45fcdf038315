#include "recordcheck.h"

#include "illustrationrecord.h"
#include "windows1252.h"

namespace {

const FieldPlace RecordNumberPlace = *IllustrationRecord::place(QStringLiteral("3-DatabaseIndex"));

// The digits of the record-number field, blanks around them allowed.
bool holdsNumber(const char *record, int number) {
    const char *field = record + RecordNumberPlace.start - 1;
    int first = 0;
    int last = RecordNumberPlace.width;
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
