#include "stretchpreprocessing.h"

#include "errornumber.h"
#include "fatalerror.h"
#include "rtftext.h"
#include "templatepreprocessor.h"

void PreProcessRTF(const StretchReportData &data, const QString &inputFile,
                   const QString &outputFile, bool outdatedSystem) {
    if (outdatedSystem)
        return;
    const QString routine = QStringLiteral("PreProcessRTF");
    TemplatePreprocessor preprocessor;
    preprocessor.IfKeyword = QStringLiteral("$#if");
    preprocessor.ElseKeyword = QStringLiteral("$#else");
    preprocessor.EndIfKeyword = QStringLiteral("$#endif");
    preprocessor.TableKeyword = QStringLiteral("$#table");
    preprocessor.EndTableKeyword = QStringLiteral("$#endtable");
    preprocessor.EntryKeyword = QStringLiteral("$#entry");
    preprocessor.EndEntryKeyword = QStringLiteral("$#endentry");
    if (!preprocessor.LoadTemplate(inputFile))
        throw FatalError(routine, ErrorNumber::FileNotFound, preprocessor.errorString());
    const std::optional<CheckedTemplate> checked = preprocessor.Prepare();
    if (!checked)
        throw FatalError(routine, ErrorNumber::TypeMismatch,
                         QStringLiteral("Stretch.rtf, ") + preprocessor.errorString());

    for (const ReportValue &value : data.values)
        preprocessor.Define(value.name, RtfText::toCodePage(value.value));
    for (const QString &condition : data.conditions)
        preprocessor.Define(condition, QString());
    FilledTemplate filled = preprocessor.SecondPass(preprocessor.FirstPass(*checked));
    for (const LedgerTable &table : data.tables)
        preprocessor.EmitTable(filled, table.name, table.entries);
    if (!preprocessor.SaveResult(filled, outputFile))
        throw FatalError(routine, ErrorNumber::FileNotFound,
                         QStringLiteral("cannot write %1").arg(outputFile));
}
