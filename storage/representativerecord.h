#pragma once

// The representative file "RepInfo.flt": one 1000-byte record of fourteen fixed-width fields
// (bytes 1 to 374), 15 reserved blanks, and zero bytes from 390 to 1000.

#include "representative.h"
#include "storageerror.h"

#include <QByteArray>

namespace RepresentativeRecord {
constexpr int Length = 1000;
constexpr int FilledLength = 389; // the fields and the reserved blanks
constexpr const char *FileName = "RepInfo.flt";
} // namespace RepresentativeRecord

// The record of the representative's details: each entry trimmed of blanks, left-justified,
// blank-padded or cut to its width; characters the code page lacks stored as "?".
QByteArray BuildRepRecord(const RepresentativeDetails &details);

// The details of a record, each field trimmed. A short record reads its missing fields empty.
RepresentativeDetails FillRepFields(const QByteArray &record);

// Writes the record of `details` as the whole content of `path` (nothing when `path` is
// empty). The file is replaced in one step under its lock: a failure leaves it as it was.
Status RepWriteFlat(const QString &path, const RepresentativeDetails &details,
                    int lockTimeoutMs = 1000);

// Reads record 1 of a representative file.
Result<RepresentativeDetails> ReadRepFile(const QString &path);
