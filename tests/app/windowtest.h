#pragma once

// The shell's windows off screen: a program folder with its support archive, data and work
// folders, user settings in a file of their own, a fixed clock and scripted answers. Modal
// windows are driven as they open, without sleeps.

#include "fatalguard.h"
#include "mainwindow.h"
#include "reportfixture.h"
#include "representativerecord.h"
#include "shell.h"
#include "shellcontext.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <functional>

class RecordingFatalHandler final : public FatalHandler {
public:
    void fatal(const FatalError &error) override { errors.push_back(error); }
    std::vector<FatalError> errors;
};

// Hands each modal window, once it is shown, to the test's handler from the window's own loop.
class ModalDriver : public QObject {
public:
    std::function<void(QDialog *)> handler;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && event->type() == QEvent::Show && dialog->isModal() && handler)
            QTimer::singleShot(0, dialog, [this, dialog] { handler(dialog); });
        return false;
    }
};

// Clicks a window's button by its object name.
inline void Click(QWidget *window, const char *button) {
    auto *found = window->findChild<QAbstractButton *>(QLatin1String(button));
    ASSERT_TRUE(found) << button;
    found->click();
}

class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 3, 2)};
    RecordingPrompter prompter;
    RecordingFatalHandler fatal;
    ShellContext context;
    QList<QUrl> opened;

    // By default the saved-illustrations window starts a new illustration.
    ModalDriver modals;
    QStringList modalsShown;

    void SetUp() override {
        modals.handler = [this](QDialog *dialog) {
            modalsShown << dialog->objectName();
            if (dialog->objectName() == QLatin1String("frmData"))
                Click(dialog, "cmdNew");
        };
        qApp->installEventFilter(&modals);
        const QDir folder(dir.path());
        folder.mkdir(QStringLiteral("work"));
        folder.mkdir(QStringLiteral("data"));
        context.programFolder = dir.path();
        context.workFolder = folder.filePath(QStringLiteral("work"));
        context.dataFolder = folder.filePath(QStringLiteral("data"));
        context.home = dir.path();
        context.archive = SupportArchive(folder.filePath(QStringLiteral("rmdcalc.icf")));
        context.clock = &clock;
        context.openUrl = [this](const QUrl &url) {
            opened.append(url);
            return true;
        };
        context.startProgram = [](const QString &) { return false; };
        newUserSettings();
        writeArchive();
        // A representative with every required detail, so activation goes on to the
        // illustration.
        ASSERT_FALSE(RepWriteFlat(representativeFile(), SampleRepresentative()));
    }

    void TearDown() override { qApp->removeEventFilter(&modals); }

    QString representativeFile() const {
        return QDir(context.dataFolder).filePath(QStringLiteral("RepInfo.flt"));
    }

    // The user's settings as a new run of the program reads them.
    void newUserSettings() {
        context.userSettings = std::make_unique<SettingsStore>(SettingsStore::inIniFile(
            QDir(dir.path()).filePath(QStringLiteral("user.ini")), QStringLiteral("tester")));
    }

    void writeArchive(const QByteArray &features = {}) {
        WriteSupportArchive(context.archive.path(),
                            {{QStringLiteral("RMDSplash.bmp"), PictureBytes(120, 80)},
                             {QStringLiteral("URL_RMD_Support.txt"), "https://support.example\n"},
                             {QStringLiteral("RMDInvisible.txt"), features}});
    }

    std::unique_ptr<Shell> start(const char *commandLine) {
        context.commandLine = QLatin1String(commandLine);
        auto shell = std::make_unique<Shell>(context, prompter, fatal);
        EXPECT_TRUE(shell->start());
        return shell;
    }

    // The main window opened by a switch, active, its first activation done.
    std::unique_ptr<Shell> startActive(const char *commandLine) {
        auto shell = start(commandLine);
        MainWindow *window = shell->mainWindow();
        QApplication::setActiveWindow(window);
        QCoreApplication::processEvents(); // the first activation, with its modal windows
        // Once they have closed, the main window is the active one again.
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
        return shell;
    }

    // A menu item's work runs once the event loop takes it up.
    static void choose(MainWindow &window, MenuItem item) {
        window.action(item)->trigger();
        QCoreApplication::processEvents();
    }

    static QStringList visibleTabs(const MainWindow &window) {
        QStringList captions;
        for (int index = 0; index < window.tabs()->count(); ++index)
            captions << window.tabs()->tabText(index);
        return captions;
    }
};
