#include "shelltexts.h"

#include "installation.h"
#include "numbertext.h"

namespace ShellText {

using NumberText::Str;

Notice ArchiveMissing(const QString &archiveName) {
    return {Installation::FileDescription(),
            QStringLiteral("Critical Error.\r\n\r\nThe required file ") + archiveName +
                QStringLiteral(" is missing.\r\nPlease install your software again.")};
}

Notice ArchiveDamaged(int code, const QString &archiveName) {
    return {Installation::FileDescription(),
            QStringLiteral("Critical Error Type") + Str(code) +
                QStringLiteral("\r\n\r\nThe required file ") + archiveName +
                QStringLiteral(" is damaged.\r\nPlease reinstall your software, then try again.")};
}

Notice FeatureListUnreadable(int code) {
    return {QStringLiteral("Error Reading RMDInvisible.txt"),
            QStringLiteral("Error Code: ") + Str(code) + QStringLiteral("\r\nPlease try again.")};
}

Notice ExitQuestion() {
    return {QStringLiteral("Software Exit"), QStringLiteral("Are you sure you want to exit?")};
}

Notice OutdatedSystem() {
    return {QStringLiteral("Outdated Windows System Detected"),
            QStringLiteral("The Stretch Retirement Concept does not\r\nrun on Windows 95.")};
}

Notice DetailedMode(bool on) {
    return {QStringLiteral("Detailed Calculations"),
            on ? QStringLiteral("Detailed Calculation Mode on.")
               : QStringLiteral("Detailed Calculation Mode off.")};
}

Notice IncompleteRepresentative() {
    return {QStringLiteral("Incomplete Financial Representative Info"),
            QStringLiteral("The ") + Installation::FileDescription() +
                QStringLiteral(" software cannot continue\r\nwith incomplete Financial "
                               "Representative Information.\r\n\r\nPress OK to exit this "
                               "software.")};
}

Notice LoadError(int number, const QString &description) {
    return {QStringLiteral("Error in frmMain Form_Load"),
            QStringLiteral("Error Number:") + Str(number) + QStringLiteral("\r\n") + description};
}

Notice TabViewsError(int number, const QString &description) {
    return {QStringLiteral("Critical Error in TabViews"),
            QStringLiteral("Error Type") + Str(number) + QStringLiteral("\r\n") + description};
}

QString AboutCaption() {
    return QStringLiteral("About ") + Installation::FileDescription();
}

QString VersionText(const ProgramVersion &version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

Notice SystemInfoUnavailable() {
    return {Installation::FileDescription(),
            QStringLiteral("System Information Is Unavailable At This Time")};
}

QString LegalNotice() {
    return QStringLiteral(RMD_LEGAL_NOTICE);
}

Notice HelpMissing() {
    return {Installation::FileDescription(),
            QStringLiteral("The help pages are missing: no \"help\" folder with \"index.html\" "
                           "was found beside the program or in its data folder.\r\nPlease "
                           "install your software again.")};
}

} // namespace ShellText
