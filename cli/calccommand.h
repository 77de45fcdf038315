#pragma once

#include <QStringList>

// rmdbatch calc --input ILL.json [--today MM/DD/YYYY] [--rep REP.json]
int RunCalc(const QStringList &arguments);
