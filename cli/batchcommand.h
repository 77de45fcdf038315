#pragma once

#include <QStringList>

// rmdbatch batch: year-end reports for every illustration of the database (or of a folder of
// ILL.json files) and a summary CSV. Exit 0 when every report was written, 2 when some
// illustration failed its checks or could not be read, 3 when the output could not be written.
int RunBatch(const QStringList &arguments);
