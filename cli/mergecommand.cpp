#include "mergecommand.h"

#include "batchcalculation.h"
#include "batcherror.h"
#include "batchoptions.h"
#include "batchreport.h"

#include <cstdio>

int RunMerge(const QStringList &arguments) {
    QCommandLineParser parser;
    ParseOptions(parser, arguments, CalculationOptions() << SupportArchiveOption());
    const SupportArchive archive = SupportArchiveFor(parser);
    BatchCalculation calculation(parser);
    if (!calculation.passed()) {
        PrintJson(ValidationFailureJson(*calculation.run.validation.failure));
        return int(ExitCode::ValidationFailed);
    }
    const WorkFolder work;
    // RTF is 8-bit text: the merged report goes out byte for byte.
    const QByteArray rtf = MergedReport(calculation, archive, work.path()).toLatin1();
    std::fwrite(rtf.constData(), 1, std::size_t(rtf.size()), stdout);
    std::fflush(stdout);
    return int(ExitCode::Ok);
}
