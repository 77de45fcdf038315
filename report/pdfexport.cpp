#include "pdfexport.h"

#include "errornumber.h"
#include "numbertext.h"
#include "pdfpages.h"
#include "prompter.h"
#include "reportassembly.h"
#include "validation.h"

#include <QDir>
#include <QSaveFile>
#include <array>

namespace {

const QString Removed = QStringLiteral(" `@~#$%^&*()+-={}[]|\\/?><.:'\"");

constexpr std::array<const char *, 4> FileSuffixes{"RMD.pdf", "RMBD.pdf", "Equal.pdf",
                                                   "Stretch.pdf"};

const QString ReaderVendorAddress = QStringLiteral("www.adobe.com");
const QString MyDocuments = QStringLiteral("My Documents");

struct NameOf {
    QString operator()(std::monostate) const { return {}; }
    QString operator()(const RmdInputs &inputs) const { return inputs.fullName; }
    QString operator()(const RmbdInputs &inputs) const { return inputs.beneficiaryName; }
    QString operator()(const SeppInputs &inputs) const { return inputs.fullName; }
    QString operator()(const StretchInputs &inputs) const { return inputs.planholderName; }
};

PdfResult fileFailure(const QSaveFile &file) {
    const int number =
        file.error() == QFileDevice::NoError ? int(QFileDevice::WriteError) : int(file.error());
    return {number, file.errorString()};
}

} // namespace

QString CleanFileName(const QString &text) {
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (!Removed.contains(c))
            clean.append(c);
    }
    return clean;
}

QString ClientName(const WorkingVariables &variables) {
    return std::visit(NameOf{}, variables);
}

QString PdfFileName(Calculator calculator, const QString &clientName) {
    return CleanFileName(clientName) +
           QLatin1String(FileSuffixes[std::size_t(CalculatorNumber(calculator))]);
}

PdfResult WritePdf(const Report &report, const QString &path, PdfResources *kept) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileFailure(file);
    PdfResources own;
    const QString failure = WritePdfPages(report.document, report.name, file, kept ? *kept : own);
    if (!failure.isEmpty()) {
        file.cancelWriting();
        return {file.error() == QFileDevice::NoError ? int(QFileDevice::WriteError)
                                                     : int(file.error()),
                failure};
    }
    if (!file.commit())
        return fileFailure(file);
    return {};
}

QString ShownFolder(const QString &folder, const QString &documentsFolder) {
    const qsizetype at = folder.indexOf(MyDocuments);
    if (at >= 0)
        return folder.mid(at);
    const QString documents = QDir::cleanPath(documentsFolder);
    const QString cleaned = QDir::cleanPath(folder);
    if (!documentsFolder.isEmpty() &&
        (cleaned == documents || cleaned.startsWith(documents + QLatin1Char('/')))) {
        const QString name = QDir(documents).dirName();
        return QDir::toNativeSeparators(name + cleaned.mid(documents.size()));
    }
    return QDir::toNativeSeparators(folder);
}

QString PdfSavedMessage(const QString &fileName, const QString &shownFolder) {
    return JoinLines(
        {fileName,
         QStringLiteral("was saved in the ") + shownFolder + QStringLiteral(" file folder."),
         QString(), QStringLiteral("For more information about Adobe Acrobat files"),
         QStringLiteral("and to get a free Acrobat Reader Plug-in for your"),
         QStringLiteral("web browser visit their website at ") + ReaderVendorAddress +
             QStringLiteral(".")});
}

QString PdfNotSavedMessage(int errorNumber, const QString &cause) {
    QStringList lines{QStringLiteral("An error type") + NumberText::Str(errorNumber) +
                          QStringLiteral(" occurred "),
                      QStringLiteral("while creating the PDF file.")};
    if (!cause.isEmpty())
        lines << cause;
    lines << QStringLiteral("Please try again.");
    return JoinLines(lines);
}

QString ExportPdf(const Report &report, Calculator calculator, const WorkingVariables &variables,
                  const QString &pdfFolder, const QString &documentsFolder, Prompter &prompter) {
    const QString fileName = PdfFileName(calculator, ClientName(variables));
    const QString path = QDir(pdfFolder).filePath(fileName);
    const auto notSaved = [&prompter](int number, const QString &cause) {
        prompter.notice(QStringLiteral("Adobe Acrobat File Not Saved"),
                        PdfNotSavedMessage(number, cause), MessageIcon::Information);
        return QString();
    };
    // The user is told which folder failed and why, not only that something did.
    if (!QDir().mkpath(pdfFolder))
        return notSaved(ErrorNumber::PathFileAccess,
                        QStringLiteral("The folder %1 cannot be created.")
                            .arg(QDir::toNativeSeparators(pdfFolder)));
    const PdfResult result = WritePdf(report, path);
    if (!result.ok())
        return notSaved(
            result.errorNumber,
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), result.description));
    prompter.notice(QStringLiteral("Adobe Acrobat File Saved"),
                    PdfSavedMessage(fileName, ShownFolder(pdfFolder, documentsFolder)),
                    MessageIcon::Information);
    return path;
}
