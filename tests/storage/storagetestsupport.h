#pragma once

// Shared by the storage tests: stored records made from sample illustrations, whole-file reads
// and writes, and a file-size limit that makes the next growing write fail half-way.

#include "illustrationdatabase.h"
#include "testsupport.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The stored record of the RMD sample with this last name, numbered `number`.
QByteArray SampleRecord(int number, const QString &last, bool deleted = false);

// A database file of sample records "Name1", "Name2", ...; the numbers in `deleted` are marked
// deleted.
QByteArray SampleDatabase(int count, std::initializer_list<int> deleted = {});

// While it lives, a file of this process cannot grow past `bytes`: a write that would is cut
// short and fails (SIGXFSZ is ignored), as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    unsigned long long m_oldLimit;
};

// What a prompter asked and then what it showed, each as "caption: text", for comparing whole.
QStringList Prompts(const RecordingPrompter &prompter);

// A test with a temporary data folder and its database.
class DatabaseTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    IllustrationDatabase database{dir.path()};
    RecordingPrompter prompter;

    void writeDatabase(const QByteArray &bytes) { WriteWholeFile(database.path(), bytes); }
    QByteArray databaseBytes() const { return ReadWholeFile(database.path()); }
};
