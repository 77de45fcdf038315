// libFuzzer entry: any bytes, read as an illustration database and as a representative file,
// must be judged, tallied, listed and loaded without a crash, a hang or a sanitizer report.
// A record that passes the checks must load.

#include "illustration.h"
#include "illustrationlisting.h"
#include "illustrationrecord.h"
#include "recordcheck.h"
#include "recordingprompter.h"
#include "representativerecord.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // The tally is fed in uneven pieces, as an archive member arrives.
    RecordTally tally;
    for (qsizetype at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece * 3 % 1999)
        tally.add(bytes.constData() + at, std::min<qsizetype>(piece, bytes.size() - at));
    tally.finish();

    const RecordLists lists = RecordLists::window(true);
    int whole = 0;
    for (qsizetype at = 0; at < bytes.size(); at += IllustrationRecord::Length) {
        const QByteArray record = bytes.mid(at, IllustrationRecord::Length);
        const int number = int(at / IllustrationRecord::Length) + 1;
        if (CheckRecord(record, number) != RecordDamage::None)
            continue;
        ++whole;
        for (int column = 0; column < GridColumn::Count; ++column)
            GridCell(record.constData(), column);
        RecordingPrompter prompter;
        Illustration illustration(prompter);
        if (!LoadRecord(IllustrationRecord::decode(record), illustration, lists))
            std::abort();
    }
    if (whole != tally.active() + tally.deleted())
        std::abort();

    FillRepFields(bytes);
    return 0;
}
