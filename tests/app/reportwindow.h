#pragma once

// A main window opened by its calculator switch over the installed support archive, with a
// sample illustration on screen, for the Report and Graph tab tests.

#include "fatalguard.h"
#include "mainwindow.h"
#include "shell.h"
#include "shellcontext.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <memory>
#include <vector>

class RecordingFatalHandler final : public FatalHandler {
public:
    void fatal(const FatalError &error) override { errors.push_back(error); }
    std::vector<FatalError> errors;
};

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The window of the sample's calculator ("rmd", "rmbd", "sepp", "stretch") with the sample.
    MainWindow &open(const char *sample);
    // Posted work (a tab's rebuild, a menu item) runs.
    static void settle();
    void choose(MenuItem item);

    QTemporaryDir dir;
    FixedClock clock{QDate(2025, 12, 6)};
    RecordingPrompter prompter;
    RecordingFatalHandler fatal;
    ShellContext context;
    std::unique_ptr<Shell> shell;
};
