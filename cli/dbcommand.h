#pragma once

#include <QStringList>

// rmdbatch db list | copy N | delete N | undelete | compact --yes | backup --to DIR |
//              restore --from DIR   [--data-folder DIR] [--today MM/DD/YYYY]
int RunDb(const QStringList &arguments);
