// libFuzzer entry: any bytes, taken as a backup archive, must give the database member or a
// failure through ZipFile::extract, without a crash, a hang, a sanitizer report or more bytes than
// the limit. Run with -detect_leaks=0.

#include "zipfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

// Counts what the member gives without keeping it, as a restore writes it to disk.
class CountingSink : public QIODevice {
public:
    CountingSink() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override {
        written += length;
        return length;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const QTemporaryDir folder;
    static const QString path = QDir(folder.path()).filePath(QStringLiteral("RMDData.zip"));
    QFile archive(path);
    if (!archive.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    archive.write(reinterpret_cast<const char *>(data), qint64(size));
    archive.close();

    for (const qint64 maximum : {ZipFile::DefaultMaximumSize, qint64(4096)}) {
        CountingSink sink;
        const ZipResult result =
            ZipFile::extract(path, QStringLiteral("rmdcalc.flt"), sink, maximum);
        if (sink.written > maximum || (result.tooLarge && result.ok()))
            std::abort();
    }
    return 0;
}
