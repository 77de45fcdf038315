// The saved-illustrations and representative windows, and the File and Options flows of the
// main window that open them, off screen with scripted answers.

#include "illustrationrecord.h"
#include "representativewindow.h"
#include "savedillustrationswindow.h"
#include "storagetestsupport.h"
#include "windowtest.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

namespace {

// Records 1 "Adams", 2 "Baker" (deleted), 3 "Brown", 4 "Clark".
QByteArray ClientDatabase() {
    return SampleRecord(1, QStringLiteral("Adams")) +
           SampleRecord(2, QStringLiteral("Baker"), true) +
           SampleRecord(3, QStringLiteral("Brown")) + SampleRecord(4, QStringLiteral("Clark"));
}

class StorageWindowTest : public WindowTest {
protected:
    IllustrationDatabase database() const { return context.database(); }
    Illustration illustration{prompter};
    int opened = 0;
    int started = 0;

    std::unique_ptr<SavedIllustrationsWindow> dataWindow() {
        return std::make_unique<SavedIllustrationsWindow>(
            database(), illustration, RecordLists::window(false),
            SavedIllustrationsActions{[this] { ++opened; }, [this] { ++started; }}, fatal);
    }
    static QString name(const SavedIllustrationsWindow &window, int row) {
        return window.grid()->model()->index(row, GridColumn::Name).data().toString();
    }
    static QString selectedName(const SavedIllustrationsWindow &window) {
        return window.selectedRow() < 0 ? QString() : name(window, window.selectedRow());
    }
    static bool enabled(const SavedIllustrationsWindow &window, const char *button) {
        return window.findChild<QPushButton *>(QLatin1String(button))->isEnabled();
    }
};

// The listing decides which buttons apply; here that the window's buttons follow it.
TEST_F(StorageWindowTest, ButtonsFollowTheListing) {
    WriteWholeFile(database().path(), SampleDatabase(2, {1, 2}));
    auto window = dataWindow();
    EXPECT_EQ(window->selectedRow(), -1);
    for (const char *button : {"cmdOK", "cmdCopy", "cmdDelete"})
        EXPECT_FALSE(enabled(*window, button)) << button;
    EXPECT_TRUE(enabled(*window, "cmdUndelete"));
}

TEST_F(StorageWindowTest, CopyDeleteAndUndeleteKeepASensibleSelection) {
    WriteWholeFile(database().path(), ClientDatabase());
    auto window = dataWindow();
    QTableView *grid = window->grid();
    grid->selectRow(1); // Brown
    Click(window.get(), "cmdCopy");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("4 Saved Illustrations"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Brown, Jane Q"));

    grid->selectRow(3); // the last row
    Click(window.get(), "cmdDelete");
    EXPECT_EQ(window->selectedRow(), 2) << "the row above the deleted last row";
    grid->selectRow(0);
    Click(window.get(), "cmdDelete");
    EXPECT_EQ(window->selectedRow(), 0) << "the same row number";
    EXPECT_EQ(selectedName(*window), QStringLiteral("Brown, Jane Q"));

    Click(window.get(), "cmdUndelete");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("5 Saved Illustrations"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Brown, Jane Q")) << "the same illustration";
    EXPECT_FALSE(enabled(*window, "cmdUndelete"));
}

TEST_F(StorageWindowTest, TypeAheadSortingAndOpen) {
    WriteWholeFile(database().path(), ClientDatabase());
    auto window = dataWindow();
    window->show();
    QTableView *grid = window->grid();
    QTest::keyClicks(grid, QStringLiteral("b"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Brown, Jane Q")) << "Baker is deleted";
    EXPECT_TRUE(window->typeAheadTimer().isActive());
    QTest::keyClicks(grid, QStringLiteral("x"));
    EXPECT_EQ(window->typeAheadBuffer(), QStringLiteral("BX"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Brown, Jane Q")) << "no match: stays";
    window->clearTypeAhead(); // the pause has passed
    QTest::keyClicks(grid, QStringLiteral("CL"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Clark, Jane Q"));

    // Sorted by record number, descending: Open still reads the selected row's record.
    QHeaderView *header = grid->horizontalHeader();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(GridColumn::Record) + 5, 5));
    EXPECT_EQ(name(*window, 0), QStringLiteral("Clark, Jane Q"));
    EXPECT_EQ(selectedName(*window), QStringLiteral("Clark, Jane Q")) << "kept over the sort";
    grid->selectRow(1);
    QSignalSpy accepted(window.get(), &QDialog::accepted);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(accepted.size(), 1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(illustration.fields().GetField(QStringLiteral("8-PartLast")),
              QStringLiteral("Brown"));
    EXPECT_TRUE(illustration.isSaved());
}

TEST_F(StorageWindowTest, RepresentativeWindowChecksAndWrites) {
    QFile::remove(representativeFile());
    RepresentativeWindow window({}, representativeFile(), clock, prompter, fatal);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.entry(0)->setText(QStringLiteral("Rita"));
    Click(&window, "cmdOK");
    EXPECT_EQ(prompter.messages().size(), 1); // its text is the representative model's test
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window.entry(2)) << "the first missing entry, Last";

    // Lower-case letters typed into the state list appear in upper case; an unknown code is
    // refused when the list loses the focus.
    window.stateList()->setFocus();
    window.stateList()->lineEdit()->clear();
    QTest::keyClicks(window.stateList(), QStringLiteral("zz"));
    EXPECT_EQ(window.stateList()->currentText(), QStringLiteral("ZZ"));
    window.entry(0)->setFocus();
    EXPECT_EQ(prompter.messages().size(), 2) << "the state code refused";
    window.stateList()->lineEdit()->setText(QStringLiteral("CA"));

    // Cancel with a required entry empty: incomplete.
    RepresentativeWindow cancelled({}, representativeFile(), clock, prompter, fatal);
    Click(&cancelled, "cmdCancel");
    EXPECT_TRUE(cancelled.outcome().incomplete);
    RepresentativeWindow closed({}, representativeFile(), clock, prompter, fatal);
    closed.show();
    closed.close();
    EXPECT_FALSE(closed.outcome().incomplete) << "the title bar skips the check";

    for (const int index : {2, 9, 10, 11})
        window.entry(index)->setText(QStringLiteral("x"));
    Click(&window, "cmdOK");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.outcome().details.state, QStringLiteral("CA"));
    EXPECT_EQ(window.outcome().details.runDate, QStringLiteral("03/02/2026 12:00:00"));
    EXPECT_EQ(ReadWholeFile(representativeFile()).size(), 1000);
}

TEST_F(StorageWindowTest, AFirstRunWithoutTheDetailsEnds) {
    QFile::remove(representativeFile());
    modals.handler = [this](QDialog *dialog) {
        modalsShown << dialog->objectName();
        Click(dialog, "cmdCancel");
    };
    const auto shell = start("/0");
    QSignalSpy ended(shell->mainWindow(), &MainWindow::ended);
    QApplication::setActiveWindow(shell->mainWindow());
    QCoreApplication::processEvents();
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("frmRepInfo")});
    ASSERT_FALSE(prompter.messages().isEmpty());
    EXPECT_EQ(prompter.messages().constLast().caption,
              QStringLiteral("Incomplete Financial Representative Info"));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].toInt(), 1);
}

// New, Open and Exit offer to save an edited illustration and go on unless the edit would be
// lost.
TEST_F(StorageWindowTest, NewOpenAndExitNeverLoseAnEdit) {
    using I = MenuItem;
    const struct {
        const char *name;
        MenuItem item;
        Answer answer;
        bool invalid;
        bool goesOn;
    } cases[] = {
        {"New, No", I::mnuFileNew, Answer::No, false, true},
        {"New, Yes, invalid", I::mnuFileNew, Answer::Yes, true, false},
        {"Open, No", I::mnuFileLoad, Answer::No, false, true},
        {"Open, Yes, invalid", I::mnuFileLoad, Answer::Yes, true, false},
        {"Exit, No", I::mnuFileExit, Answer::No, false, true},
        {"Exit, Yes, invalid", I::mnuFileExit, Answer::Yes, true, false},
    };
    for (const auto &c : cases) {
        const auto shell = startActive("/0");
        MainWindow &window = *shell->mainWindow();
        QSignalSpy ended(&window, &MainWindow::ended);
        MakeRmdSample(window.illustration(), clock.today());
        window.illustration().editField(2, QStringLiteral("Edited"));
        if (c.invalid)
            SetFields(window.illustration(), {{"7-PartDOB", "not a date"}});
        modalsShown.clear();
        prompter.clear();
        if (c.item == I::mnuFileExit)
            prompter.queueAnswer(Answer::Yes); // "Are you sure you want to exit?"
        prompter.queueAnswer(c.answer);
        choose(window, c.item);

        EXPECT_EQ(prompter.fieldErrors().size(), c.invalid ? 1 : 0) << c.name;
        const QString last = window.illustration().fields().GetField(QStringLiteral("8-PartLast"));
        const bool wentOn = c.item == I::mnuFileExit   ? ended.size() == 1
                            : c.item == I::mnuFileLoad ? modalsShown.contains("frmData")
                                                       : last.isEmpty();
        EXPECT_EQ(wentOn, c.goesOn) << c.name;
        if (!c.goesOn) {
            EXPECT_EQ(last, QStringLiteral("Edited")) << c.name;
        }
    }
}

// Compact needs a record, Backup a record and a removable disk, Restore the disk alone.
TEST_F(StorageWindowTest, OptionsItemsFollowTheDatabaseAndTheRemovableDisk) {
    QTemporaryDir media;
    QDir(media.path()).mkdir(QStringLiteral("stick"));
    const struct {
        const char *name;
        int records;
        bool disk;
        bool compact, backup, restore;
    } cases[] = {
        {"no database, a disk", 0, true, false, false, true},
        {"one record, no disk", 1, false, true, false, false},
        {"one record and a disk", 1, true, true, true, true},
    };
    for (const auto &c : cases) {
        QFile::remove(database().path());
        if (c.records > 0)
            WriteWholeFile(database().path(), SampleDatabase(c.records));
        context.mediaRoots = c.disk ? QStringList{media.path()} : QStringList{};
        const auto shell = start("/0");
        MainWindow &window = *shell->mainWindow();
        emit window.findChild<QMenu *>(QStringLiteral("mnuOptions"))->aboutToShow();
        EXPECT_EQ(window.action(MenuItem::mnuOptionsCompact)->isEnabled(), c.compact) << c.name;
        EXPECT_EQ(window.action(MenuItem::mnuOptionsBackup)->isEnabled(), c.backup) << c.name;
        EXPECT_EQ(window.action(MenuItem::mnuOptionsRestore)->isEnabled(), c.restore) << c.name;
        EXPECT_TRUE(window.action(MenuItem::mnuOptionsInternetBackup)->isEnabled()) << c.name;
    }
}

// The menu's compaction renumbers the illustration on screen, whose next save then writes its
// own record.
TEST_F(StorageWindowTest, CompactionFromTheMenuRenumbersTheIllustrationOnScreen) {
    WriteWholeFile(database().path(), SampleDatabase(5, {2, 4}));
    modals.handler = [](QDialog *dialog) {
        if (dialog->objectName() == QLatin1String("frmData")) {
            qobject_cast<SavedIllustrationsWindow *>(dialog)->grid()->selectRow(2);
            Click(dialog, "cmdOK");
        }
    };
    const auto shell = startActive("/2");
    MainWindow &window = *shell->mainWindow();
    EXPECT_EQ(window.currentTab(), Tab::Planholder) << "the record's calculator";
    EXPECT_TRUE(window.illustration().isSaved());
    prompter.queueAnswer(Answer::Yes);
    choose(window, MenuItem::mnuOptionsCompact);
    window.illustration().editField(2, QStringLiteral("Renamed"));
    choose(window, MenuItem::mnuFileSave);
    EXPECT_EQ(database().records().count(), 3);
    EXPECT_TRUE(GridCell(ReadWholeFile(database().path()).mid(2000).constData(), GridColumn::Name)
                    .startsWith(QStringLiteral("Renamed")));
}

} // namespace
