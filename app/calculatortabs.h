#pragma once

// The four calculator tabs in the main window: their pages in the frame, and the field locator
// through which a failed check reaches its field.

class FatalHandler;
class MainWindow;
struct ShellContext;

void InstallCalculatorTabs(MainWindow &window, ShellContext &context, FatalHandler &fatal);
