#include "programfiles.h"

#include "datalocations.h"
#include "durablefile.h"
#include "installation.h"
#include "prompter.h"
#include "shelltexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString SplashPictures[] = {QStringLiteral("RMDSplash.bmp"), QStringLiteral("RMDSplash.jpg")};
const QString FeatureListName = QStringLiteral("RMDInvisible.txt");
const QString SupportLinkName = QStringLiteral("URL_RMD_Support.txt");

void show(Prompter &prompter, const Notice &notice) {
    prompter.notice(notice.caption, notice.text, MessageIcon::Stop);
}

// The first of the names that exists in the folder, or an empty text.
QString existing(const QString &folder, const QStringList &names) {
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

// The picture, or an error code: the last extraction's, or "damaged" for a file that is no
// picture.
std::variant<QImage, int> readPicture(const SupportArchive &archive, const QString &workFolder) {
    int code = 0;
    for (const QString &name : SplashPictures) {
        const ExtractResult extracted = archive.extract(name, workFolder);
        code = extracted.number();
        if (!extracted.ok())
            continue;
        const QString path = extracted.files.constFirst();
        QImage picture(path);
        QFile::remove(path);
        if (!picture.isNull())
            return picture;
        code = int(ArchiveCode::ArchiveDamaged);
    }
    return code;
}

QStringList readLines(const QString &path) {
    QStringList lines;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream stream(&file);
        while (!stream.atEnd())
            lines.append(stream.readLine());
    }
    return lines;
}

} // namespace

StartupLoad LoadStartup(const SupportArchive &archive, const QString &workFolder,
                        const QString &programFolder, SystemVersion system, Prompter &prompter) {
    StartupLoad load;
    const QString archiveName = QFileInfo(archive.path()).fileName();
    if (!QFileInfo(archive.path()).isFile()) {
        show(prompter, ShellText::ArchiveMissing(archiveName));
        load.ended = true;
        return load;
    }

    const auto picture = readPicture(archive, workFolder);
    if (const int *code = std::get_if<int>(&picture)) {
        show(prompter, ShellText::ArchiveDamaged(*code, archiveName));
        load.ended = true;
        return load;
    }
    load.picture = std::get<QImage>(picture);

    load.iconFile = existing(programFolder, {Installation::ProgramName() + QStringLiteral(".ico")});

    // Read, not opened: Help, Support opens it later.
    load.supportLink =
        OpenWebLink(archive, SupportLinkName, workFolder, [](const QUrl &) { return true; });
    if (load.supportLink.isEmpty())
        load.choice.menus[MenuItem::mnuHelpSupport].visible = false;

    const ExtractResult features = archive.extract(FeatureListName, workFolder);
    if (!features.ok()) {
        show(prompter, ShellText::FeatureListUnreadable(features.number()));
        load.ended = true;
        return load;
    }
    for (const QString &file : features.files) {
        ApplyFeatureList(load.choice, readLines(file));
        QFile::remove(file);
    }
    ApplyOutdatedSystem(load.choice, system);
    return load;
}

bool SiblingProgramInstalled(const QString &programFolder) {
    return !existing(programFolder, {QStringLiteral("Harnet"), QStringLiteral("Harnet.exe")})
                .isEmpty();
}

void RemoveReloadProgram(const QString &programFolder) {
    for (const char *name : {"reload", "reload.exe"})
        QFile::remove(QDir(programFolder).filePath(QLatin1String(name)));
}

Status MoveOldDatabase(const QString &programFolder, const IllustrationDatabase &database,
                       const QDateTime &now, Prompter &prompter) {
    const QString old = QDir(programFolder).filePath(database.fileName());
    if (!FileExists(old) || QFileInfo(old) == QFileInfo(database.path()))
        return std::nullopt;
    const bool keptAside = QFileInfo::exists(database.path());
    const QString target =
        keptAside ? DatedPath(database.folder(), database.stem(), now) : database.path();
    QFile source(old);
    if (const QString reason = DurableFile::copy(old, target); !reason.isEmpty())
        return StorageError{
            ErrorNumber::PathFileAccess,
            QStringLiteral("%1 could not be moved to %2: %3")
                .arg(QDir::toNativeSeparators(old), QDir::toNativeSeparators(target), reason)};
    if (!source.remove())
        return fileError(source, QStringLiteral("Error Moving the Database"));
    if (keptAside)
        prompter.notice(QStringLiteral("Illustration Data"),
                        QStringLiteral("An older database was found in the program folder. Your "
                                       "database was not changed; the older one was moved "
                                       "beside it as\r\n\"%1\".")
                            .arg(QDir::toNativeSeparators(target)),
                        MessageIcon::Information);
    return std::nullopt;
}
