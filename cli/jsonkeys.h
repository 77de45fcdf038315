#pragma once

// QJsonDocument keeps only the last of two equal keys in one object. An input file that names
// an entry twice is ambiguous, so the raw text is scanned for that before it is read.

#include <QByteArray>
#include <QString>
#include <optional>

struct RepeatedKey {
    QString key;
    QString object; // the key the object stands under; empty for the top level
};

// The first key that appears twice in one object of a well-formed JSON text, keys compared
// after their escapes are decoded ("\u0041" is "A").
std::optional<RepeatedKey> FindRepeatedKey(const QByteArray &json);
