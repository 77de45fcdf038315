// Packs the support files into the password-protected support archive at build time:
//   packarchive OUTPUT.icf FILE...
// Entries carry the files' own names without folders, encrypted with the archive password.

#include "archivepassword.h"
#include "zipfile.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {

int fail(const QString &message) {
    std::fprintf(stderr, "packarchive: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3)
        return fail(QStringLiteral("usage: packarchive OUTPUT.icf FILE..."));
    const QString output = QString::fromLocal8Bit(argv[1]);
    QList<ZipFile::Member> members;
    QStringList names;
    for (int index = 2; index < argc; ++index) {
        const QString path = QString::fromLocal8Bit(argv[index]);
        const QString name = QFileInfo(path).fileName();
        if (names.contains(name, Qt::CaseInsensitive))
            return fail(QStringLiteral("two files are named %1").arg(name));
        names.append(name);
        members.append({path, name});
    }
    // The archive is written beside OUTPUT and put in its place whole, or not at all.
    const ZipResult packed = ZipFile::create(output, members, SupportArchivePassword);
    if (packed.member >= 0)
        return fail(QStringLiteral("cannot add %1: %2")
                        .arg(members.at(packed.member).source, packed.description));
    if (!packed.ok())
        return fail(QStringLiteral("cannot write %1: %2").arg(output, packed.description));
    return 0;
}
