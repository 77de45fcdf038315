#include "filelock.h"
#include "recordfile.h"
#include "storagetestsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QByteArray filled(char c) {
    return QByteArray(RecordFile::RecordLength, c);
}

TEST(RecordFileTest, CountRoundsHalvesToEven) {
    const struct {
        qint64 size;
        int count;
    } cases[] = {{0, 0},    {499, 0},  {500, 0},  {501, 1},  {1000, 1}, {1500, 2},
                 {2500, 2}, {2501, 3}, {3000, 3}, {3499, 3}, {3500, 4}};
    for (const auto &c : cases)
        EXPECT_EQ(RecordFile::countForSize(c.size), c.count) << c.size;
}

TEST(RecordFileTest, ReadsAndWritesWholeRecords) {
    QTemporaryDir dir;
    RecordFile file(dir.filePath(QStringLiteral("x.flt")));
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.read(1).ok());

    ASSERT_FALSE(file.write(1, filled('a')));
    ASSERT_FALSE(file.write(2, filled('b')));
    ASSERT_FALSE(file.write(1, filled('c')));
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.read(1).value, filled('c'));
    EXPECT_EQ(file.read(2).value, filled('b'));
    EXPECT_EQ(file.readAll().value, filled('c') + filled('b'));
    for (const int outside : {0, -1, 3}) {
        const Result<QByteArray> read = file.read(outside);
        ASSERT_FALSE(read.ok()) << outside;
        EXPECT_EQ(read.error->number, ErrorNumber::BadRecordNumber);
    }
}

TEST(RecordFileTest, FailedWriteLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    RecordFile file(dir.filePath(QStringLiteral("x.flt")));
    ASSERT_FALSE(file.write(1, filled('a')));
    ASSERT_FALSE(file.write(2, filled('b')));
    const QByteArray before = ReadWholeFile(file.path());

    Status appended;
    {
        // The system takes half the new record, then refuses: the half must not stay.
        FileSizeLimit limit(2500);
        appended = file.write(3, filled('c'));
    }
    ASSERT_TRUE(appended.has_value());
    EXPECT_EQ(appended->number, ErrorNumber::DiskFull) << appended->description.toStdString();
    EXPECT_EQ(ReadWholeFile(file.path()), before);

    // A batch stops at the failing record; those before it are written whole.
    Status batch;
    {
        FileSizeLimit limit(3500);
        batch = file.write({{1, filled('d')}, {3, filled('e')}, {4, filled('f')}});
    }
    ASSERT_TRUE(batch.has_value());
    EXPECT_EQ(ReadWholeFile(file.path()), filled('d') + filled('b') + filled('e'));
}

TEST(RecordFileTest, FailedFirstWriteCreatesNoFile) {
    QTemporaryDir dir;
    RecordFile file(dir.filePath(QStringLiteral("x.flt")));
    {
        FileSizeLimit limit(100);
        EXPECT_TRUE(file.write(1, filled('a')).has_value());
    }
    EXPECT_FALSE(QFileInfo::exists(file.path()));

    // A folder where the file should be is an I/O failure that says so, not a bad number.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("y.flt")));
    const RecordFile folder(dir.filePath(QStringLiteral("y.flt")));
    for (const Status &error :
         {RecordFile(folder).write(1, filled('a')), folder.read(1).error, folder.readAll().error}) {
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number, ErrorNumber::PathFileAccess);
        EXPECT_EQ(error->description, folder.path() + QStringLiteral(": Is a directory"));
    }
}

TEST(RecordFileTest, RefusesWritesThatWouldForgeOrOverflowARecord) {
    const struct {
        qint64 size; // of the file before
        int number;
        bool written;
    } cases[] = {
        {2000, 3, true},    // whole records: appended
        {2400, 3, false},   // over the short record 3
        {2600, 4, false},   // the gap would make record 3 whole
        {2600, 2, true},    // inside the whole records
        {0, 999999, true},  // the last number the field holds
        {0, 1000000, false} // no room in the six digits
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        RecordFile file(dir.filePath(QStringLiteral("x.flt")));
        if (c.size > 0)
            WriteWholeFile(file.path(), QByteArray(c.size, 'z'));
        const QByteArray before = ReadWholeFile(file.path());
        const Status error = file.write(c.number, filled('n'));
        EXPECT_EQ(!error, c.written) << c.size << " " << c.number;
        if (error) {
            EXPECT_EQ(ReadWholeFile(file.path()), before) << c.size << " " << c.number;
        }
    }
}

TEST(FileLockTest, SecondHolderIsRefusedAndTold) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.flt"));
    FileLock first(path);
    ASSERT_FALSE(first.acquire(0));
    EXPECT_TRUE(QFileInfo::exists(FileLock::lockPath(path)));

    FileLock second(path);
    const Status refused = second.acquire(50);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->number, ErrorNumber::PermissionDenied);
    EXPECT_TRUE(refused->description.contains(QStringLiteral("in use by another program")));
    EXPECT_TRUE(refused->description.contains(QString::number(QCoreApplication::applicationPid())))
        << refused->description.toStdString();
}

} // namespace
