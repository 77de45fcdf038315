#pragma once

#include <QStringList>

// rmdbatch save --input ILL.json [--data-folder DIR] [--today MM/DD/YYYY]
int RunSave(const QStringList &arguments);
