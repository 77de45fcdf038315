#pragma once

#include <QStringList>

// rmdbatch rep show | set --input REP.json   [--data-folder DIR] [--today MM/DD/YYYY]
int RunRep(const QStringList &arguments);
