// Times the illustration database's operations on a large file beside the plain file operations
// they are judged against: listing the grid against one sequential read of the file, compaction
// against one copy of it. Prints the figures and the ratios.
//
//   storagebench [ILLUSTRATIONS] [FOLDER]     (100000 illustrations in a temporary folder)

#include "compaction.h"
#include "databaseoperations.h"
#include "durablefile.h"
#include "illustration.h"
#include "illustrationlisting.h"
#include "illustrationrecord.h"
#include "recordingprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

// Every tenth illustration is deleted, so compaction has work to do.
QByteArray makeDatabase(int count) {
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    illustration.resetToNew(1, QDate(2024, 1, 15), QStringLiteral("IRA"));
    illustration.fields().SetField(QStringLiteral("Planholder"), QStringLiteral("8-PartFirst"));
    illustration.fields().SetField(QStringLiteral("01/15/1950"), QStringLiteral("7-PartDOB"));
    illustration.fields().SetField(QStringLiteral("$250,000"), QStringLiteral("6-AcctValue0"));
    const QByteArray base = IllustrationRecord::encode(BuildRecord(illustration));
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 1000);
    for (int number = 1; number <= count; ++number) {
        QByteArray record = base;
        record.replace(62, 12,
                       (QByteArray("Client") + QByteArray::number(number)).leftJustified(12));
        IllustrationRecord::setRecordNumber(record, number);
        if (number % 10 == 0)
            record[0] = '0';
        bytes += record;
    }
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The best of `runs` timings in milliseconds; `prepare` runs untimed before each.
double best(
    int runs, const std::function<void()> &work, const std::function<void()> &prepare = [] {}) {
    double fastest = 1e300;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const IllustrationDatabase database(folder);
    const QByteArray image = makeDatabase(count);
    writeFile(database.path(), image);
    const QString copyPath = QDir(folder).filePath(QStringLiteral("copy.flt"));
    RecordingPrompter prompter;
    prompter.setDefaultAnswer(Answer::Yes);

    // Every timing reads a file the system has cached, the plain read as much as the listing.
    qint64 sink = 0;
    const double read = best(5, [&] {
        QFile file(database.path());
        file.open(QIODevice::ReadOnly);
        sink += file.readAll().size();
    });
    const double copy = best(
        5, [&] { QFile::copy(database.path(), copyPath); }, [&] { QFile::remove(copyPath); });
    const double durableCopy = best(
        5,
        [&] {
            QFile::copy(database.path(), copyPath);
            QFile copied(copyPath);
            copied.open(QIODevice::ReadWrite);
            DurableFile::syncToDisk(copied);
        },
        [&] { QFile::remove(copyPath); });
    QFile::remove(copyPath);

    int rows = 0;
    const double listing =
        best(5, [&] { rows = IllustrationListing::read(database.records()).value.rowCount(); });
    const double listingCells = best(3, [&] {
        const IllustrationListing list = IllustrationListing::read(database.records()).value;
        for (int row = 0; row < list.rowCount(); ++row) {
            for (int column = 0; column < GridColumn::Count; ++column)
                sink += list.cell(row, column).size();
        }
    });
    const double copyOne = best(5, [&] { CopyRecord(database, count / 2 + 1, prompter); });
    const double deleteOne = best(
        5, [&] { DeleteRecord(database, count / 2 + 1, prompter); },
        [&] { UndeleteAll(database, prompter); });
    CompactionCounts counts;
    const double compaction = best(
        3, [&] { counts = Compact(database, prompter, QDateTime::currentDateTime()).counts; },
        [&] { writeFile(database.path(), image); });

    std::printf("illustration database: %d records (%lld bytes), %d listed\n", count,
                static_cast<long long>(image.size()), rows);
    std::printf("  read the file once          %9.2f ms\n", read);
    std::printf("  copy the file once          %9.2f ms\n", copy);
    std::printf("  copy it and sync to disk    %9.2f ms\n", durableCopy);
    std::printf("  list the rows               %9.2f ms\n", listing);
    std::printf("  list with every cell's text %9.2f ms\n", listingCells);
    std::printf("  copy one illustration       %9.2f ms\n", copyOne);
    std::printf("  delete one illustration     %9.2f ms\n", deleteOne);
    std::printf("  compact (%d kept, %d deleted) %7.2f ms\n", counts.illustrations, counts.deleted,
                compaction);
    std::printf("ratios (targets: listing within 3x of a read, compaction within 3x of a copy)\n");
    std::printf("  listing / read               %6.2f\n", listing / read);
    std::printf("  listing with cells / read    %6.2f\n", listingCells / read);
    std::printf("  compaction / copy            %6.2f\n", compaction / copy);
    std::printf("  compaction / synced copy     %6.2f\n", compaction / durableCopy);
    return sink > 0 ? 0 : 1;
}
