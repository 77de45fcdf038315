#include "savedillustrationswindow.h"

#include "databaseoperations.h"
#include "fatalguard.h"
#include "illustration.h"
#include "illustrationstore.h"
#include "savedillustrationsmodel.h"
#include "shellrules.h"

#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int TypeAheadPauseMs = 1000;

struct ButtonEntry {
    const char *name;
    const char *caption;
    const char *tooltip;
};

enum ButtonIndex { OpenButton, CopyButton, DeleteButton, UndeleteButton, NewButton, CancelButton };

constexpr std::array<ButtonEntry, 7> ButtonTable{{
    {"cmdOK", "&Open", "Open selected illustration"},
    {"cmdCopy", "Co&py", "Make a duplicate of selected illustration"},
    {"cmdDelete", "&Delete", "Delete selected illustration"},
    {"cmdUndelete", "&Undelete", "Restore all deleted illustrations"},
    {"cmdNew", "&New", "Create new illustration"},
    {"cmdCancel", "&Cancel", "Close this window"},
    {"cmdHelp", "&Help", "Display help"},
}};

// Record numbers and dates sort by value, the other columns as text without regard to case.
class GridSorting final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override {
        switch (left.column()) {
        case GridColumn::Record:
            return left.data(SavedIllustrationsModel::RecordRole).toInt() <
                   right.data(SavedIllustrationsModel::RecordRole).toInt();
        case GridColumn::IllustrationDate: {
            const auto date = [](const QModelIndex &index) {
                return QDate::fromString(index.data().toString(), QStringLiteral("MM/dd/yyyy"));
            };
            return date(left) < date(right);
        }
        default:
            return left.data().toString().compare(right.data().toString(), Qt::CaseInsensitive) < 0;
        }
    }
};

} // namespace

SavedIllustrationsWindow::SavedIllustrationsWindow(IllustrationDatabase database,
                                                   Illustration &illustration, RecordLists lists,
                                                   SavedIllustrationsActions actions,
                                                   FatalHandler &fatal, QWidget *parent)
    : QDialog(parent), m_database(std::move(database)), m_illustration(illustration),
      m_lists(std::move(lists)), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("frmData"));
    setWindowTitle(QStringLiteral("Saved Illustrations"));
    setModal(true);

    m_model = new SavedIllustrationsModel(this);
    m_sorted = new GridSorting(this);
    m_sorted->setSourceModel(m_model);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("gridIllustrations"));
    m_grid->setAccessibleName(QStringLiteral("Select an Illustration"));
    m_grid->setModel(m_sorted);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->verticalHeader()->hide();
    // The columns fit their texts; the last takes what the grid's width leaves.
    QHeaderView *header = m_grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    // Record order until a header is clicked; each click on the same header turns the order.
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            Guarded(fatal, "gridIllustrations_Click", [this](int column, Qt::SortOrder order) {
                const int record = selectedRecord();
                m_sorted->sort(column, order);
                selectRow(rowOfRecord(record), false);
            }));
    m_grid->installEventFilter(this);
    connect(m_grid, &QAbstractItemView::doubleClicked, this,
            Guarded(fatal, "gridIllustrations_DblClick", [this] { open(); }));

    auto *frame = new QGroupBox(QStringLiteral("Select an Illustration"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_grid);

    auto *buttons = new QVBoxLayout;
    for (std::size_t index = 0; index < ButtonTable.size(); ++index) {
        const ButtonEntry &entry = ButtonTable[index];
        auto *button = new QPushButton(QLatin1String(entry.caption), this);
        button->setObjectName(QLatin1String(entry.name));
        button->setToolTip(QLatin1String(entry.tooltip));
        button->setAccessibleName(AccessibleName(button->text()));
        button->setAccessibleDescription(button->toolTip());
        button->setAutoDefault(false);
        buttons->addWidget(button);
        m_buttons[index] = button;
    }
    buttons->addStretch(1);
    m_buttons[OpenButton]->setDefault(true);
    const auto on = [this, &fatal](ButtonIndex index, const char *routine, auto work) {
        connect(m_buttons[std::size_t(index)], &QPushButton::clicked, this,
                Guarded(fatal, routine, work));
    };
    on(OpenButton, "cmdOK_Click", [this] { open(); });
    on(CopyButton, "cmdCopy_Click", [this] { copy(); });
    on(DeleteButton, "cmdDelete_Click", [this] { remove(); });
    on(UndeleteButton, "cmdUndelete_Click", [this] { undelete(); });
    on(NewButton, "cmdNew_Click", [this] { startNew(); });
    on(CancelButton, "cmdCancel_Click", [this] { reject(); });
    // "&Help" has no action of its own.

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(TypeAheadPauseMs);
    connect(&m_searchTimer, &QTimer::timeout, this,
            Guarded(fatal, "tmrSearch_Timer", [this] { clearTypeAhead(); }));

    fillGrid();
    // Wide enough for every column of the listed rows, as far as the screen allows.
    const int columns = header->length() + 2 * m_grid->frameWidth() +
                        m_grid->verticalScrollBar()->sizeHint().width();
    m_grid->setMinimumWidth(screen() ? std::min(columns, screen()->availableSize().width() * 3 / 4)
                                     : columns);
    if (m_sorted->rowCount() > 0)
        selectRow(0, true);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void SavedIllustrationsWindow::fillGrid() {
    FillGrid(m_database, *m_model, m_illustration.prompter());
    const IllustrationListing &listing = m_model->listing();
    setWindowTitle(listing.title());
    setAccessibleName(windowTitle());
    const GridButtons enabled = listing.buttons();
    m_buttons[OpenButton]->setEnabled(enabled.open);
    m_buttons[CopyButton]->setEnabled(enabled.copy);
    m_buttons[DeleteButton]->setEnabled(enabled.remove);
    m_buttons[UndeleteButton]->setEnabled(enabled.undelete);
    m_buttons[CancelButton]->setEnabled(enabled.cancel);
}

void SavedIllustrationsWindow::clearTypeAhead() {
    m_search.clear();
    m_searchTimer.stop();
}

int SavedIllustrationsWindow::selectedRow() const {
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int SavedIllustrationsWindow::selectedRecord() const {
    const int row = selectedRow();
    return row < 0 ? 0
                   : m_sorted->index(row, GridColumn::Record)
                         .data(SavedIllustrationsModel::RecordRole)
                         .toInt();
}

QByteArray SavedIllustrationsWindow::selectedBytes() const {
    const int row = selectedRow();
    return row < 0 ? QByteArray()
                   : m_model->listing().recordBytes(
                         m_sorted->mapToSource(m_sorted->index(row, 0)).row());
}

int SavedIllustrationsWindow::rowOfRecord(int record) const {
    return m_sorted->mapFromSource(m_model->index(m_model->listing().rowOf(record), 0)).row();
}

void SavedIllustrationsWindow::selectRow(int row, bool toTop) {
    if (row < 0 || row >= m_sorted->rowCount())
        return;
    const QModelIndex index = m_sorted->index(row, 0);
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_grid->scrollTo(index,
                     toTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

void SavedIllustrationsWindow::open() {
    const int record = selectedRecord();
    if (record < 1)
        return;
    if (OpenRecord(m_database, record, m_illustration, m_lists))
        return;
    if (m_actions.opened)
        m_actions.opened();
    accept();
}

void SavedIllustrationsWindow::copy() {
    const int record = selectedRecord();
    const int row = selectedRow();
    if (record < 1)
        return;
    CopyRecord(m_database, record, m_illustration.prompter(), selectedBytes());
    fillGrid();
    // Copy and Undelete keep the same illustration selected; its record number stays.
    const int again = rowOfRecord(record);
    selectRow(again >= 0 ? again : std::min(row, m_sorted->rowCount() - 1), false);
}

void SavedIllustrationsWindow::remove() {
    const int record = selectedRecord();
    const int row = selectedRow();
    if (record < 1)
        return;
    DeleteRecord(m_database, record, m_illustration.prompter(), selectedBytes());
    fillGrid();
    selectRow(RowAfterDelete(row, m_sorted->rowCount()), false);
}

void SavedIllustrationsWindow::undelete() {
    const int record = selectedRecord();
    const int row = selectedRow();
    UndeleteAll(m_database, m_illustration.prompter());
    fillGrid();
    const int again = rowOfRecord(record);
    selectRow(again >= 0 ? again : std::max(row, 0), false);
}

void SavedIllustrationsWindow::startNew() {
    if (m_actions.newIllustration)
        m_actions.newIllustration();
    accept();
}

void SavedIllustrationsWindow::typeAhead(QChar key) {
    const int row = m_search.type(key, m_sorted->rowCount(), [this](int at) {
        return m_sorted->index(at, GridColumn::Name).data().toString();
    });
    m_searchTimer.start();
    selectRow(row, true);
}

bool SavedIllustrationsWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool command =
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!command && text.size() == 1 && text.at(0).isPrint()) {
            typeAhead(text.at(0));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
