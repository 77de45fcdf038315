// libFuzzer entry: any bytes, taken as the support archive, must give each entry the report asks
// for, or a failure, without a crash, a hang, a sanitizer report or memory beyond the entry
// limit. Run with -detect_leaks=0, as the RTF fuzzer.

#include "supportarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

// A template, a logo with its placement file (a "Name.*" request) and a picture.
constexpr const char *Requests[] = {"Equal.rtf", "RMDLogo.*", "Wenpic.jpg"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // One folder for the whole run: the archive file is rewritten each time.
    static const QTemporaryDir folder;
    static const QString archivePath = QDir(folder.path()).filePath(QStringLiteral("rmdcalc.icf"));
    static const QString work = [] {
        const QString path = QDir(folder.path()).filePath(QStringLiteral("work"));
        QDir().mkpath(path);
        return path;
    }();
    QFile archive(archivePath);
    if (!archive.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    archive.write(reinterpret_cast<const char *>(data), qint64(size));
    archive.close();

    const SupportArchive support(archivePath);
    for (const char *request : Requests) {
        const ExtractResult result = support.extract(QLatin1String(request), work);
        for (const QString &file : result.files) {
            // Every copy is a plain file in the work folder, within the entry limit.
            const QFileInfo info(file);
            if (info.absolutePath() != QDir(work).absolutePath() ||
                info.size() > SupportArchive::MaximumEntrySize)
                std::abort();
            QFile::remove(file);
        }
    }
    return 0;
}
