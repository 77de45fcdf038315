#pragma once

// The ILL.json and REP.json files of rmdbatch. Reading is strict: malformed JSON, a wrong type,
// an unknown tag, control or key, or a list entry the window's list does not hold, throws
// BatchError with one clear line; nothing is silently defaulted or dropped.

#include "orderedjson.h"
#include "representative.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class Illustration;

struct BatchRunOptions {
    bool detailedMode = false;
};

// Fills a fresh illustration: a new illustration's defaults first (with newRecordNumber as its
// record number), then the file's entries. With "saved": false the illustration counts as edited.
BatchRunOptions ReadIllustrationJson(const QByteArray &json, Illustration &illustration,
                                     const QDate &today, int newRecordNumber = 1);

// The ILL.json of an illustration: every input field in slot order and every control, so that
// ReadIllustrationJson gives the same illustration back.
QString WriteIllustrationJson(const Illustration &illustration, bool detailedMode = false);

// The REP.json object of the representative's details, every key in window order.
OrderedJson WriteRepresentativeJson(const RepresentativeDetails &details);

RepresentativeDetails ReadRepresentativeJson(const QByteArray &json);

// The whole content of a file named on the command line; BatchError when it cannot be read.
QByteArray ReadInputFile(const QString &path);
