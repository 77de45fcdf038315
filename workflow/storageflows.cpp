#include "storageflows.h"

#include "illustration.h"
#include "slottable.h"

namespace {

void setRecordNumber(Illustration &illustration, int number) {
    illustration.fields().SetField(QString::number(number), SlotTable::RecordNumberTag);
}

} // namespace

SaveTarget SaveTargetFor(const Illustration &illustration) {
    return illustration.recordFingerprint().isEmpty() ? SaveTarget::NextFreeRecord
                                                      : SaveTarget::OwnRecord;
}

bool OfferToSave(const IllustrationDatabase &database, Illustration &illustration,
                 CalcContext &context) {
    const SaveOutcome outcome =
        SaveIllustration(database, illustration, true, context, SaveTargetFor(illustration));
    return outcome.kind != SaveOutcome::Kind::Invalid && outcome.kind != SaveOutcome::Kind::Failed;
}

void DetachFromRecord(const IllustrationDatabase &database, Illustration &illustration) {
    illustration.setRecordFingerprint(QString());
    setRecordNumber(illustration, NewRecordNumber(database.records()));
    illustration.setSaved(false);
}

CompactionOutcome CompactDatabase(const IllustrationDatabase &database, Illustration &illustration,
                                  const QDateTime &now) {
    const bool stored = !illustration.recordFingerprint().isEmpty();
    const int number =
        stored ? illustration.fields().GetField(SlotTable::RecordNumberTag).trimmed().toInt() : 0;
    const CompactionOutcome outcome = Compact(database, illustration.prompter(), now, {},
                                              {number, illustration.recordFingerprint()});
    if (outcome.kind != CompactionOutcome::Kind::Compacted)
        return outcome;
    if (!stored) {
        setRecordNumber(illustration, NewRecordNumber(database.records()));
    } else if (outcome.followedFingerprint.isEmpty()) {
        DetachFromRecord(database, illustration);
    } else {
        setRecordNumber(illustration, outcome.numbering.at(number - 1));
        illustration.setRecordFingerprint(outcome.followedFingerprint);
    }
    return outcome;
}

BackupOutcome RestoreDatabase(const IllustrationDatabase &database, BackupPlace source,
                              const QString &sourceFolder, Illustration &illustration,
                              const QDateTime &now) {
    const BackupOutcome outcome =
        Restore(database, source, sourceFolder, illustration.prompter(), now);
    if (outcome.kind == BackupOutcome::Kind::Done)
        DetachFromRecord(database, illustration);
    return outcome;
}
