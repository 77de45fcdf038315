#include "substitution.h"

#include "calculators.h"
#include "datetext.h"
#include "errornumber.h"
#include "fatalerror.h"
#include "illustration.h"
#include "numbertext.h"
#include "prompter.h"
#include "rtftext.h"
#include "supportarchive.h"
#include "templatepreprocessor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MaximumPasses = 10;
const QString MissingTemplate = QStringLiteral("Output file is missing or damaged.");

const char *const Templates[] = {"RMDPartSpouse.rtf", "RMDPartNone.rtf", "RMDBene.rtf", "Equal.rtf",
                                 "Stretch.rtf"};

QString cutMarkedPassages(QString text, const QString &marker) {
    for (int pass = 0; pass < MaximumPasses; ++pass) {
        const qsizetype first = text.indexOf(marker);
        if (first < 0)
            break;
        const qsizetype second = text.indexOf(marker, first + marker.size());
        if (second < 0)
            break;
        text.remove(first, second + marker.size() - first);
    }
    return text;
}

QString fillPlaceholder(QString text, const QString &placeholder, const QString &value) {
    // Each search starts again at the first character, so a value holding its own placeholder
    // is filled again until the ten replacements are used up.
    for (int pass = 0; pass < MaximumPasses; ++pass) {
        const qsizetype at = text.indexOf(placeholder);
        if (at < 0)
            break;
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

// The passages a template gives each rule set ("$#if CurrentLaw" ... "$#else" ... "$#endif").
// The Stretch template's own preprocessing resolves its passages with the rest of its
// directives; the other templates have only these.
QString resolveRuleSetPassages(const QString &text, const Illustration &illustration,
                               const QString &templateName) {
    TemplatePreprocessor preprocessor;
    preprocessor.setTemplateText(text);
    const std::optional<CheckedTemplate> checked = preprocessor.Prepare();
    if (!checked)
        throw FatalError(QStringLiteral("SubstituteRTF"), ErrorNumber::TypeMismatch,
                         templateName + QStringLiteral(", ") + preprocessor.errorString());
    for (const QString &condition : RuleSetConditions(illustration))
        preprocessor.Define(condition, QString());
    return preprocessor.result(preprocessor.SecondPass(preprocessor.FirstPass(*checked)));
}

} // namespace

QString TemplateName(const Illustration &illustration) {
    switch (illustration.calculator()) {
    case Calculator::Rmd: {
        const QString spouse = illustration.fields().GetField(QStringLiteral("7-SpouseDOB"));
        return QLatin1String(DateText::IsDate(spouse) ? Templates[0] : Templates[1]);
    }
    case Calculator::Rmbd:
        return QLatin1String(Templates[2]);
    case Calculator::Sepp:
        return QLatin1String(Templates[3]);
    case Calculator::Stretch:
        break;
    }
    return QLatin1String(Templates[4]);
}

QString MergeFields(QString text, const Illustration &illustration) {
    const FieldStore &fields = illustration.fields();
    const auto reportSlots = SlotTable::reportSlots();
    for (const SlotDefinition &slot : reportSlots) {
        if (*slot.tag == '\0')
            break;
        const QString value = fields.text(slot.index);
        if (value.startsWith(QLatin1Char('~')))
            text = cutMarkedPassages(text, value);
    }
    // The template is Windows-1252 text read byte for byte; the fields go in the same way.
    for (const SlotDefinition &slot : reportSlots) {
        if (*slot.tag == '\0')
            break;
        text = fillPlaceholder(text, QLatin1String(slot.tag),
                               RtfText::toCodePage(fields.text(slot.index)));
    }
    return text;
}

QString ExtractTemplate(Illustration &illustration, const SupportArchive &archive,
                        const QString &workFolder, const QString &fileDescription) {
    const QString name = TemplateName(illustration);
    const ExtractResult extracted = archive.extract(name, workFolder);
    if (!extracted.ok()) {
        const QString archiveName = QFileInfo(archive.path()).fileName();
        illustration.prompter().notice(
            fileDescription,
            QStringLiteral("Critical Error Type") + NumberText::Str(extracted.number()) +
                QStringLiteral("\r\n\r\nThe required file ") + archiveName +
                QStringLiteral(" is damaged.\r\nPlease reinstall your software, then try again."),
            MessageIcon::Stop);
        throw FatalError(QStringLiteral("SubstituteRTF"), extracted.number(), extracted.description)
            .markShown()
            .markFileFailure();
    }
    return QDir(workFolder).filePath(name);
}

QString MergeTemplate(const QString &path, const Illustration &illustration,
                      const TemplatePreprocessing &preprocess) {
    if (preprocess && illustration.calculator() == Calculator::Stretch)
        preprocess(path);

    QFile file(path);
    if (!file.exists() || file.size() == 0) {
        file.remove();
        return MissingTemplate;
    }
    // Read errors leave the text empty and the report blank; the copy never stays on disk.
    QString text;
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromLatin1(file.readAll());
    file.close();
    file.remove();
    if (illustration.calculator() != Calculator::Stretch)
        text = resolveRuleSetPassages(text, illustration, QFileInfo(path).fileName());
    return MergeFields(text, illustration);
}

QString SubstituteRTF(Illustration &illustration, const SupportArchive &archive,
                      const QString &workFolder, const QString &fileDescription,
                      const TemplatePreprocessing &preprocess) {
    return MergeTemplate(ExtractTemplate(illustration, archive, workFolder, fileDescription),
                         illustration, preprocess);
}
