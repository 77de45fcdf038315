#pragma once

// Saving the illustration on screen: the File menu's Save and the offer to save before New,
// Open and exit. The storage layer writes the record; this decides what the user is asked and
// shown.

#include "calculation.h"
#include "illustrationstore.h"

#include <optional>

struct SaveOutcome {
    enum class Kind {
        Unchanged, // the saved flag was set: nothing to write
        Declined,  // the user answered No
        Invalid,   // the validation failed and showed its message
        Saved,
        Failed // "Record not saved." was shown; the saved flag stays cleared
    };
    Kind kind = Kind::Unchanged;
    int record = 0;
    std::optional<ValidationFailure> failure;
    std::optional<StorageError> error;
};

// Writes the illustration to its record when it has unsaved changes; with `ask` the user is
// asked first ("Illustration Data"). The validation runs again before the write; a write that
// fails shows "Record not saved." ("Data Writing Error") with the cause.
SaveOutcome SaveIllustration(const IllustrationDatabase &database, Illustration &illustration,
                             bool ask, CalcContext &context,
                             SaveTarget target = SaveTarget::OwnRecord);

// Save of the File menu: the calculation sequence (refreshing "6-RMD_Amt"), then
// SaveIllustration without asking.
SaveOutcome SaveFromMenu(const IllustrationDatabase &database, Illustration &illustration,
                         CalcContext &context, SaveTarget target = SaveTarget::OwnRecord);
