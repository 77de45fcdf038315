#pragma once

// A main window opened by its calculator switch over the installed support archive, with a
// sample illustration on screen, for the Report and Graph tab tests.

#include "windowtest.h"

#include <memory>

class ReportWindowTest : public WindowTest {
protected:
    void SetUp() override;
    // The window of the sample's calculator ("rmd", "rmbd", "sepp", "stretch") with the sample.
    MainWindow &open(const char *sample);
    // Posted work (a tab's rebuild, a menu item) runs.
    static void settle();
    void choose(MenuItem item);

    std::unique_ptr<Shell> shell;
};
