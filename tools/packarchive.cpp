// Packs the support files into the password-protected support archive at build time:
//   packarchive OUTPUT.icf FILE...
// Entries carry the files' own names without folders, encrypted with the archive password.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <zip.h>

namespace {

constexpr const char *Password = "Marlow";

int fail(const QString &message) {
    std::fprintf(stderr, "packarchive: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3)
        return fail(QStringLiteral("usage: packarchive OUTPUT.icf FILE..."));
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QString partial = output + QStringLiteral(".part");
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(partial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return fail(QStringLiteral("cannot create %1 (libzip error %2)").arg(partial).arg(error));

    QStringList names;
    for (int index = 2; index < argc; ++index) {
        const QString path = QString::fromLocal8Bit(argv[index]);
        const QString name = QFileInfo(path).fileName();
        if (names.contains(name, Qt::CaseInsensitive)) {
            zip_discard(archive);
            return fail(QStringLiteral("two files are named %1").arg(name));
        }
        names.append(name);
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, -1);
        const zip_int64_t entry =
            source ? zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8)
                   : -1;
        if (entry < 0 || zip_file_set_encryption(archive, zip_uint64_t(entry), ZIP_EM_TRAD_PKWARE,
                                                 Password) != 0) {
            if (source && entry < 0)
                zip_source_free(source);
            const QString message = QString::fromLocal8Bit(zip_strerror(archive));
            zip_discard(archive);
            return fail(QStringLiteral("cannot add %1: %2").arg(path, message));
        }
    }
    if (zip_close(archive) != 0) {
        const QString message = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return fail(QStringLiteral("cannot write %1: %2").arg(partial, message));
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output))
        return fail(QStringLiteral("cannot move %1 to %2").arg(partial, output));
    return 0;
}
