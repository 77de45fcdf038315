// Times the illustration database's operations on a large file beside the plain file operations
// they are judged against: listing the grid against one sequential read of the file, compaction
// against one copy of it, and "rmdbatch db list" (run beside this program, its JSON written to a
// file) against rmdbatch starting and reading the file, in time and in peak memory. Prints the
// figures and the ratios.
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
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

struct ProcessRun {
    double milliseconds = 0;
    double peakMegabytes = 0;
    int exitCode = -1;
};

// Runs a program with its standard output going to `output`, as a script would; the wall time
// and the peak resident memory the system counted for it.
ProcessRun runProcess(const QStringList &arguments, const QString &output) {
    std::vector<QByteArray> words;
    for (const QString &argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray outputPath = QFile::encodeName(output);

    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        const int file = open(outputPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file < 0 || dup2(file, STDOUT_FILENO) < 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        qFatal("cannot run %s", argv[0]);
    return {timer.nsecsElapsed() / 1e6, usage.ru_maxrss / 1024.0,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The fastest of `runs`, with its peak memory.
ProcessRun bestRun(int runs, const QStringList &arguments, const QString &output) {
    ProcessRun fastest{1e300, 0, 0};
    for (int run = 0; run < runs; ++run) {
        const ProcessRun next = runProcess(arguments, output);
        if (next.exitCode != 0)
            qFatal("%s exited with %d", qPrintable(arguments.join(QLatin1Char(' '))),
                   next.exitCode);
        if (next.milliseconds < fastest.milliseconds)
            fastest = next;
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
    // The database is kept on disk only: a child process's peak memory counts what it inherits
    // from this one before it starts its program.
    const QString pristine = QDir(folder).filePath(QStringLiteral("pristine.flt"));
    qint64 databaseSize = 0;
    {
        const QByteArray image = makeDatabase(count);
        writeFile(database.path(), image);
        writeFile(pristine, image);
        databaseSize = image.size();
    }

    // rmdbatch as a script runs it: its start-up alone, then the listing with its JSON written.
    const QString rmdbatch =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rmdbatch"));
    const QString json = QDir(folder).filePath(QStringLiteral("list.json"));
    const ProcessRun start = bestRun(5, {rmdbatch, QStringLiteral("--version")}, json);
    const ProcessRun dbList = bestRun(5,
                                      {rmdbatch, QStringLiteral("db"), QStringLiteral("list"),
                                       QStringLiteral("--data-folder"), folder},
                                      json);
    const qint64 jsonSize = QFileInfo(json).size();
    QFile::remove(json);

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
        [&] {
            QFile::remove(database.path());
            QFile::copy(pristine, database.path());
        });
    QFile::remove(pristine);

    std::printf("illustration database: %d records (%lld bytes), %d listed\n", count,
                static_cast<long long>(databaseSize), rows);
    std::printf("  read the file once          %9.2f ms\n", read);
    std::printf("  copy the file once          %9.2f ms\n", copy);
    std::printf("  copy it and sync to disk    %9.2f ms\n", durableCopy);
    std::printf("  list the rows               %9.2f ms\n", listing);
    std::printf("  list with every cell's text %9.2f ms\n", listingCells);
    std::printf("  rmdbatch start-up           %9.2f ms %7.1f MB peak\n", start.milliseconds,
                start.peakMegabytes);
    std::printf("  rmdbatch db list, end to end %8.2f ms %7.1f MB peak (%lld bytes of JSON)\n",
                dbList.milliseconds, dbList.peakMegabytes, static_cast<long long>(jsonSize));
    std::printf("  copy one illustration       %9.2f ms\n", copyOne);
    std::printf("  delete one illustration     %9.2f ms\n", deleteOne);
    std::printf("  compact (%d kept, %d deleted) %7.2f ms\n", counts.illustrations, counts.deleted,
                compaction);
    std::printf("ratios (targets: listing within 3x of a read, compaction within 3x of a copy)\n");
    std::printf("  listing / read               %6.2f\n", listing / read);
    std::printf("  listing with cells / read    %6.2f\n", listingCells / read);
    std::printf("  db list / (start-up + read)  %6.2f   (target: below 1 s in all)\n",
                dbList.milliseconds / (start.milliseconds + read));
    std::printf("  db list peak / start-up peak %6.2f   (target: below 150 MB in all)\n",
                dbList.peakMegabytes / start.peakMegabytes);
    std::printf("  compaction / copy            %6.2f\n", compaction / copy);
    std::printf("  compaction / synced copy     %6.2f\n", compaction / durableCopy);
    return sink > 0 ? 0 : 1;
}
