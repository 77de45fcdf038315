#pragma once

// rmdbatch run as a user's script runs it, for the command-line tests (RMDBATCH_PATH and
// SAMPLES_DIR come from the build).

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <sys/resource.h>

struct BatchRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    // The printed object's entry under a key.
    QJsonValue at(const char *key) const { return json()[QLatin1String(key)]; }
    QString text(const char *key) const { return at(key).toString(); }
};

// Run as a cron job runs it: without a session's runtime folder. With a file-size limit, a
// write that would grow a file past it fails as on a full disk.
inline BatchRun RunBatch(const QStringList &arguments, qint64 fileSizeLimit = 0) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    process.setProcessEnvironment(environment);
    if (fileSizeLimit > 0)
        process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
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

// A refused command line or input: exit code 1, nothing printed, one line on standard error that
// names `says`.
inline void ExpectRefused(const BatchRun &run, const char *says, const std::string &name) {
    EXPECT_EQ(run.exitCode, 1) << name;
    EXPECT_TRUE(run.out.isEmpty()) << name << ": " << run.out.toStdString();
    EXPECT_TRUE(run.err.startsWith("rmdbatch: ")) << name;
    EXPECT_TRUE(run.err.contains(says)) << name << ": " << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << name << ": " << run.err.toStdString();
}

// A printed object's text under a key.
inline QString entry(const QJsonValue &object, const char *key) {
    return object[QLatin1String(key)].toString();
}

// A sample illustration with one entry of a section ("fields", "controls") changed.
inline QByteArray SampleWith(const char *sample, const char *key, const QJsonValue &value,
                             const char *section = "fields") {
    QFile file(QStringLiteral(SAMPLES_DIR "/") + QLatin1String(sample));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << sample;
    QJsonObject illustration = QJsonDocument::fromJson(file.readAll()).object();
    QJsonObject entries = illustration[QLatin1String(section)].toObject();
    entries[QLatin1String(key)] = value;
    illustration[QLatin1String(section)] = entries;
    return QJsonDocument(illustration).toJson();
}
