#pragma once

// Writing the illustration on screen to its record, starting a new one, and opening a stored
// one.

#include "illustrationdatabase.h"
#include "illustrationrecord.h"
#include "storageerror.h"

#include <QDate>

class Illustration;

// Where a save puts the illustration.
enum class SaveTarget {
    // Its "3-DatabaseIndex" record; a text that is no number of at least 1, or a number past
    // the last record, takes the next free number (a file never gets a gap of missing records).
    OwnRecord,
    // The next free number whatever the field holds: the first save of a new illustration,
    // whose number was not reserved and may meanwhile have been taken by a copy.
    NextFreeRecord
};

struct WriteOutcome {
    int record = 0; // the record written
    std::optional<StorageError> error;
    bool ok() const { return !error.has_value(); }
};

// Writes the illustration, which the caller has validated, to its record and sets its saved
// flag. An existing record is replaced only when it is the one the illustration was read from
// (its fingerprint), or, without a fingerprint, holds the same client's name. Every record is
// written whole under the database's lock; when the write fails the record file stays as it
// was, the saved flag stays cleared and the illustration keeps its record number.
WriteOutcome WriteIllustration(const IllustrationDatabase &database, Illustration &illustration,
                               SaveTarget target = SaveTarget::OwnRecord);

// The record number a new illustration gets: the database length / 1000 + 1, rounded halves
// to even, or 1 without a database. Nothing is reserved.
int NewRecordNumber(const RecordFile &records);

// A blank illustration with defaults and a fresh record number, for the current calculator.
// Nothing is written.
void NewIllustration(const IllustrationDatabase &database, Illustration &illustration,
                     const QDate &today, const QString &firstPlanType);

// Open of the saved-illustrations window: reads record n into the illustration and sets its
// saved flag. A failure shows "CmdOK: Error Reading Database" and leaves the illustration as it
// was; so does a deleted or damaged record.
Status OpenRecord(const IllustrationDatabase &database, int number, Illustration &illustration,
                  const RecordLists &lists);
