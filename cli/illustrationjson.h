#pragma once

// The ILL.json and REP.json files of rmdbatch. Reading is strict: malformed JSON, a wrong type,
// an unknown tag, control or key, or a list entry the window's list does not hold, throws
// BatchError with one clear line; nothing is silently defaulted or dropped.

#include "representative.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class Illustration;

struct BatchRunOptions {
    bool detailedMode = false;
};

// Fills a fresh illustration: a new illustration's defaults first, then the file's entries.
// With "saved": false the illustration counts as edited.
BatchRunOptions ReadIllustrationJson(const QByteArray &json, Illustration &illustration,
                                     const QDate &today);

RepresentativeDetails ReadRepresentativeJson(const QByteArray &json);

// The whole content of a file named on the command line; BatchError when it cannot be read.
QByteArray ReadInputFile(const QString &path);
