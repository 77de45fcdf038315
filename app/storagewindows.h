#pragma once

// The storage windows as the main window's hooks: the representative window (loaded anew from
// the representative file each time) and the saved-illustrations window.

#include "mainwindow.h"

WindowHooks StorageWindowHooks(MainWindow &window, ShellContext &context, FatalHandler &fatal);
