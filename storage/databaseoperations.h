#pragma once

// The buttons of the saved-illustrations window that change the database: Copy, Delete and
// Undelete, and the grid refresh. Each write holds the database's lock; a failure is shown
// through the prompter with the handler's caption ("CmdCopy: Error Writing to Database") and
// returned.

#include "illustrationdatabase.h"
#include "illustrationlisting.h"

class Prompter;
class SavedIllustrationsModel;

// FillGrid: rebuilds the model from the database. A read failure shows "Error in FillGrid" and
// leaves the model empty.
Status FillGrid(const IllustrationDatabase &database, SavedIllustrationsModel &model,
                Prompter &prompter);

// Appends a copy of active record n as the next record, its "3-DatabaseIndex" set to its new
// number. `listed`, when given, is the record as the grid listed it: a record that another
// program changed since is not copied. Returns the new record number.
Result<int> CopyRecord(const IllustrationDatabase &database, int number, Prompter &prompter,
                       const QByteArray &listed = QByteArray());

// Marks active record n deleted; nothing else in it changes.
Status DeleteRecord(const IllustrationDatabase &database, int number, Prompter &prompter,
                    const QByteArray &listed = QByteArray());

// Marks every deleted record active again. Returns how many.
Result<int> UndeleteAll(const IllustrationDatabase &database, Prompter &prompter);
