#include "batchreport.h"

#include "batcherror.h"
#include "fatalerror.h"
#include "installation.h"
#include "stretchpreprocessing.h"
#include "substitution.h"

QCommandLineOption SupportArchiveOption() {
    return {QStringLiteral("support-archive"), QStringLiteral("The support archive."),
            QStringLiteral("PATH")};
}

SupportArchive SupportArchiveFor(const QCommandLineParser &parser) {
    if (parser.isSet(QStringLiteral("support-archive")))
        return SupportArchive(parser.value(QStringLiteral("support-archive")));
    return Installation::LocateSupportArchive();
}

QString MergedReport(BatchCalculation &calculation, const SupportArchive &archive,
                     const QString &workFolder) {
    const auto preprocess = [&calculation](const QString &path) {
        PreProcessRTF(calculation.stretchReport(), path, path);
    };
    try {
        return SubstituteRTF(calculation.illustration, archive, workFolder,
                             Installation::FileDescription(), preprocess);
    } catch (const FatalError &error) {
        if (error.isFileFailure())
            throw BatchError(ExitCode::IoFailure, error.description());
        throw;
    }
}

WorkFolder::WorkFolder() {
    if (!m_dir.isValid())
        throw BatchError(
            ExitCode::IoFailure,
            QStringLiteral("cannot create a work folder: %1").arg(m_dir.errorString()));
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
