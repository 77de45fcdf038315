#pragma once

// frmData, "N Saved Illustrations": the active illustrations of the database in the grid
// gridIllustrations, and the buttons that open, copy, delete, undelete or start one. The rows
// and the database operations are storage's (SavedIllustrationsModel, databaseoperations.h); a
// click on a column header sorts the grid, and every button acts on the row's record number.

#include "illustrationdatabase.h"
#include "illustrationlisting.h"
#include "illustrationrecord.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class FatalHandler;
class Illustration;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class SavedIllustrationsModel;

// What Open and New hand back to the main window.
struct SavedIllustrationsActions {
    std::function<void()> opened;          // a record was read into the illustration
    std::function<void()> newIllustration; // "&New"
};

class SavedIllustrationsWindow : public QDialog {
    Q_OBJECT

public:
    SavedIllustrationsWindow(IllustrationDatabase database, Illustration &illustration,
                             RecordLists lists, SavedIllustrationsActions actions,
                             FatalHandler &fatal, QWidget *parent = nullptr);

    QTableView *grid() const { return m_grid; }
    // The selected row as the grid shows it, or -1.
    int selectedRow() const;
    // The buffer of the type-ahead search; the timer empties it after a pause.
    const QString &typeAheadBuffer() const { return m_search.buffer(); }
    const QTimer &typeAheadTimer() const { return m_searchTimer; }

    // FillGrid: the grid, the title and the buttons from the database.
    void fillGrid();
    // The type-ahead timer's work: the buffer is emptied.
    void clearTypeAhead();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectRow(int row, bool toTop);
    int selectedRecord() const;
    int rowOfRecord(int record) const; // -1 when not listed
    QByteArray selectedBytes() const;
    void open();
    void copy();
    void remove();
    void undelete();
    void startNew();
    void typeAhead(QChar key);

    IllustrationDatabase m_database;
    Illustration &m_illustration;
    RecordLists m_lists;
    SavedIllustrationsActions m_actions;
    SavedIllustrationsModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTableView *m_grid = nullptr;
    std::array<QPushButton *, 7> m_buttons{};
    TypeAheadSearch m_search;
    QTimer m_searchTimer;
};
