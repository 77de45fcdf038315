// libFuzzer entry: any bytes, read as ILL.json and REP.json, must be refused with a clear error
// or computed, without a crash, a hang or a sanitizer report; a computed distribution is never
// negative, infinite or not a number.

#include "batchcalculation.h"
#include "batcherror.h"
#include "fatalerror.h"
#include "illustrationjson.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    // Lives until the process ends: the life and tax tables are resources of the program.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        ReadRepresentativeJson(json);
    } catch (const BatchError &) {
    }
    RecordingPrompter prompter;
    Illustration illustration(prompter);
    CalcContext context;
    context.today = QDate(2026, 12, 6);
    try {
        context.detailedMode = ReadIllustrationJson(json, illustration, context.today).detailedMode;
        const CalculatorRun run = RunCalculator(illustration, context);
        if (!run.validation.passed())
            return 0;
        const QString amount = illustration.fields().GetField(QStringLiteral("6-RMD_Amt"));
        if (amount.contains(QLatin1Char('-')) || amount.contains(QLatin1String("inf")) ||
            amount.contains(QLatin1String("nan")))
            std::abort();
    } catch (const BatchError &) {
    } catch (const FatalError &) {
    }
    return 0;
}
