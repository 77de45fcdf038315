#pragma once

// frmAbout: the program's title, version and legal notice, "OK" and "&System Info...".

#include <QDialog>
#include <functional>

class FatalHandler;
class Prompter;

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    // `startProgram` starts the system-information program found on the PATH; the prompter
    // says so when there is none.
    AboutWindow(Prompter &prompter, FatalHandler &fatal,
                std::function<bool(const QString &program)> startProgram,
                QWidget *parent = nullptr);

private:
    void showSystemInfo();

    Prompter &m_prompter;
    std::function<bool(const QString &)> m_startProgram;
};
