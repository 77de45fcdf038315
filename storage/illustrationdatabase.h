#pragma once

// Where the illustration database of one data folder lives, and the files that go with it: the
// lock beside it, the compaction's "Temp.flt" and the restore's dated copies. The data folder is
// handed in; nothing here looks a folder up.

#include "recordfile.h"

#include <QDateTime>
#include <QString>

class IllustrationDatabase {
public:
    // programName is the program file name, whose ".flt" file in the folder is the database.
    explicit IllustrationDatabase(QString dataFolder,
                                  QString programName = QStringLiteral("rmdcalc"));

    const QString &folder() const { return m_folder; }
    // The program file name, which dated copies of the database start with.
    const QString &stem() const { return m_programName; }
    // The archive member and file name: program name + ".flt".
    QString fileName() const { return m_programName + QStringLiteral(".flt"); }
    QString path() const;
    // "Temp.flt" beside the database: a compaction's new file until it replaces the old one.
    QString tempPath() const;

    RecordFile records() const { return RecordFile(path()); }

    // How long a write waits for another program's lock before it gives up.
    int lockTimeoutMs() const { return m_lockTimeoutMs; }
    void setLockTimeoutMs(int milliseconds) { m_lockTimeoutMs = milliseconds; }

private:
    QString m_folder;
    QString m_programName;
    int m_lockTimeoutMs = 1000;
};

// A free name in `folder` for a copy kept aside: "stem-YYYYMMDD-HHMMSS.flt", with "-2", "-3"
// added when that is taken.
QString DatedPath(const QString &folder, const QString &stem, const QDateTime &now);
