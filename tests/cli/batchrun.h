#pragma once

// rmdbatch run as a user's script runs it, for the command-line tests (RMDBATCH_PATH and
// SAMPLES_DIR come from the build).

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct BatchRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    // The printed object's entry under a key.
    QJsonValue at(const char *key) const { return json()[QLatin1String(key)]; }
    QString text(const char *key) const { return at(key).toString(); }
};

inline BatchRun RunBatch(const QStringList &arguments) {
    QProcess process;
    process.start(QStringLiteral(RMDBATCH_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The words of a command line; "SAMPLES/" stands for the samples folder.
inline QStringList Words(const char *line) {
    QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.replaceInStrings(QStringLiteral("SAMPLES/"), QStringLiteral(SAMPLES_DIR "/"));
    return words;
}
