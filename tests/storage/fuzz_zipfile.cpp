// libFuzzer entry: any bytes, taken as a backup archive, must give the database member or a
// failure through ZipFile::extract, without a crash, a hang, a sanitizer report or more bytes than
// the limit. Run with -detect_leaks=0.

#include "zipfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const QTemporaryDir folder;
    static const QString path = QDir(folder.path()).filePath(QStringLiteral("RMDData.zip"));
    QFile archive(path);
    if (!archive.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    archive.write(reinterpret_cast<const char *>(data), qint64(size));
    archive.close();

    // What the member gives is counted, not kept, as a restore writes it to disk.
    for (const qint64 maximum : {qint64(1) << 30, qint64(4096)}) {
        qint64 written = 0;
        const ZipResult result = ZipFile::extract(path, QStringLiteral("rmdcalc.flt"), maximum,
                                                  [&](const char *, qint64 size) {
                                                      written += size;
                                                      return true;
                                                  });
        if (written > maximum || (result.tooLarge && result.ok()))
            std::abort();
    }
    return 0;
}
