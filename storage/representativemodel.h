#pragma once

// The representative's details as the representative window edits them: loaded from
// "RepInfo.flt", else from the distributor settings file "KVR.ini"; the required check; the
// state list's lookup; and "&Ok", which stamps the time and writes the file. File paths are
// handed in.

#include "representative.h"
#include "storageerror.h"

#include <QStringList>
#include <array>
#include <optional>

class Clock;
class Prompter;

struct RepresentativeEntry {
    const char *caption; // "*" marks a required entry
    int width;
};

// Captions and widths by entry index, 0 "&First Name*" to 13 "S&tate*" (the state list); the
// keys are those of representativeKeys() in the same order.
const std::array<RepresentativeEntry, 14> &RepresentativeEntries();

// The state list's lookup, codes compared in upper case: a code's index as text, or "99".
QString StateLookup(const QString &code);
// The code of index 0 to 51; "XX" for any other index.
QString StateCode(int index);
// A character typed into the state list: lower-case letters become upper case.
QChar StateKey(QChar typed);
// The state list losing the focus: an unknown code shows "Invalid State Code." ("Entry Error").
bool CheckStateEntry(const QString &text, Prompter &prompter);

// Defaults from section "Agent Information" of a settings file, one key per entry (values cut to
// 64 characters, trimmed); a state the list does not hold becomes empty. A missing file gives
// empty entries.
RepresentativeDetails RepresentativeDefaults(const QString &settingsFile);

// Load: the representative file when it exists, else the defaults of the first settings file
// of `settingsFiles` that exists (empty entries without one).
Result<RepresentativeDetails> LoadRepresentative(const QString &representativeFile,
                                                 const QStringList &settingsFiles);

// The first required entry (index 0 to 11) that is empty after trimming blanks.
std::optional<int> MissingRequiredEntry(const RepresentativeDetails &details);

// The required check with its message: "Please fill in all required fields." ("Missing
// Required Information"). The window then focuses MissingRequiredEntry.
bool RequiredCheck(const RepresentativeDetails &details, Prompter &prompter);

enum class RepresentativeSave { Saved, Incomplete, Failed };

// "&Ok": the required check with its message; when it passes, the time stamp "MM/DD/YYYY
// HH:MM:SS" goes into the details and the representative file is written.
RepresentativeSave ConfirmRepresentative(RepresentativeDetails &details,
                                         const QString &representativeFile, const Clock &clock,
                                         Prompter &prompter, StorageError *error = nullptr);

// "Cancel": whether the details are incomplete (the main window then ends the program).
bool CancelRepresentative(const RepresentativeDetails &details);
