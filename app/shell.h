#pragma once

// The program from start to end: the start-up window's load, the start-up window or the
// command line's switch, then the main window.

#include "programfiles.h"

#include <QCoreApplication>
#include <QObject>
#include <memory>
#include <optional>

class FatalHandler;
class MainWindow;
class Prompter;
class SplashWindow;
struct ShellContext;

// The application's names, its desktop entry and the icon compiled in.
void SetApplicationIdentity();

// The command line's options: --help and --version print and end the program, as does an
// unknown option with its error. The window's calculator switch (/0 to /3) is left to the shell.
void ProcessCommandLine(const QCoreApplication &application);

class Shell : public QObject {
    Q_OBJECT

public:
    Shell(ShellContext &context, Prompter &messages, FatalHandler &fatal);
    ~Shell() override;

    // The start-up window's load: false when a start-up error ended the program. With a
    // calculator switch on the command line the main window opens at once; otherwise the
    // start-up window is shown.
    bool start();

    SplashWindow *splashWindow() const { return m_splash.get(); }
    MainWindow *mainWindow() const { return m_main.get(); }

signals:
    // The program ends with this status.
    void ended(int status);

private:
    void openMainWindow(Calculator calculator);

    ShellContext &m_context;
    Prompter &m_messages;
    FatalHandler &m_fatal;
    StartupLoad m_load;
    std::optional<Calculator> m_switch;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<MainWindow> m_main;
};
