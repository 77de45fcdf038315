#pragma once

#include <QStringList>

// rmdbatch load N [--data-folder DIR] [--today MM/DD/YYYY]
int RunLoad(const QStringList &arguments);
