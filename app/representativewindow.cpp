#include "representativewindow.h"

#include "controllists.h"
#include "fatalguard.h"
#include "prompter.h"
#include "representativemodel.h"
#include "shellrules.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int PersonalEntries = 9; // entries 0 to 8 stand in "Personal", 9 to 11 in the address
constexpr int StateIndex = 13;

QString RepresentativeDetails::*memberOf(int index) {
    return representativeKeys()[std::size_t(index)].member;
}

} // namespace

RepresentativeWindow::RepresentativeWindow(const RepresentativeDetails &details, QString file,
                                           const Clock &clock, Prompter &prompter,
                                           FatalHandler &fatal, QWidget *parent)
    : QDialog(parent), m_file(std::move(file)), m_clock(clock),
      m_prompter(prompter), m_result{details, false}, m_runDate(details.runDate) {
    setObjectName(QStringLiteral("frmRepInfo"));
    setWindowTitle(QStringLiteral("Financial Representative Information"));
    setAccessibleName(windowTitle());

    auto *personal = new QGroupBox(QStringLiteral("Personal"), this);
    auto *address = new QGroupBox(QStringLiteral("Mailing Address"), this);
    auto *personalForm = new QFormLayout(personal);
    auto *addressForm = new QFormLayout(address);
    for (int index = 0; index < int(m_entries.size()); ++index) {
        const RepresentativeEntry &row = RepresentativeEntries()[std::size_t(index)];
        auto *edit = new QLineEdit(details.*memberOf(index), this);
        edit->setObjectName(QStringLiteral("txtInput%1").arg(index));
        edit->setMaxLength(row.width);
        edit->setAccessibleName(AccessibleName(QLatin1String(row.caption)));
        edit->installEventFilter(this);
        auto *caption = new QLabel(QLatin1String(row.caption), this);
        caption->setBuddy(edit);
        (index < PersonalEntries ? personalForm : addressForm)->addRow(caption, edit);
        m_entries[std::size_t(index)] = edit;
    }

    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("cmboState"));
    m_state->setEditable(true);
    m_state->setInsertPolicy(QComboBox::NoInsert);
    m_state->addItems(ControlLists::stateCodes());
    m_state->setCurrentText(details.state);
    m_state->lineEdit()->setMaxLength(RepresentativeEntries()[StateIndex].width);
    const QString stateCaption = QLatin1String(RepresentativeEntries()[StateIndex].caption);
    m_state->setAccessibleName(AccessibleName(stateCaption));
    m_state->installEventFilter(this);
    m_state->lineEdit()->installEventFilter(this);
    auto *stateLabel = new QLabel(stateCaption, this);
    stateLabel->setBuddy(m_state);
    addressForm->addRow(stateLabel, m_state);

    auto *note = new QLabel(QStringLiteral("* Required fields"), this);
    note->setAccessibleName(note->text());

    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setAccessibleName(AccessibleName(ok->text()));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAccessibleName(cancel->text());
    connect(ok, &QPushButton::clicked, this, Guarded(fatal, "cmdOK_Click", [this] { confirm(); }));
    connect(cancel, &QPushButton::clicked, this,
            Guarded(fatal, "cmdCancel_Click", [this] { reject(); }));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *frames = new QHBoxLayout;
    frames->addWidget(personal, 1);
    frames->addWidget(address, 1, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
    setModal(true);
}

RepresentativeDetails RepresentativeWindow::entered() const {
    RepresentativeDetails details;
    for (int index = 0; index < int(m_entries.size()); ++index)
        details.*memberOf(index) = m_entries[std::size_t(index)]->text();
    details.runDate = m_runDate;
    details.state = m_state->currentText();
    return details;
}

void RepresentativeWindow::confirm() {
    RepresentativeDetails details = entered();
    StorageError error;
    switch (ConfirmRepresentative(details, m_file, m_clock, m_prompter, &error)) {
    case RepresentativeSave::Saved:
        m_result = {details, false};
        accept();
        break;
    case RepresentativeSave::Incomplete:
        if (const std::optional<int> missing = MissingRequiredEntry(details))
            entry(*missing)->setFocus(Qt::OtherFocusReason);
        break;
    case RepresentativeSave::Failed:
        // The window stays open with what was typed, so nothing is lost.
        m_prompter.notice(windowTitle(), ErrorOccurredText(error), MessageIcon::Stop);
        break;
    }
}

void RepresentativeWindow::reject() {
    if (!m_closingByTitleBar)
        m_result.incomplete = CancelRepresentative(entered());
    QDialog::reject();
}

void RepresentativeWindow::closeEvent(QCloseEvent *event) {
    m_closingByTitleBar = true;
    QDialog::closeEvent(event);
    m_closingByTitleBar = false;
}

bool RepresentativeWindow::eventFilter(QObject *watched, QEvent *event) {
    if (!m_state) // still being built
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Focus on an entry selects its text, so typing replaces it.
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && !edit->text().isEmpty())
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if ((watched == m_state || watched == m_state->lineEdit()) &&
               event->type() == QEvent::KeyPress) {
        // The list hands keys to its line edit directly, past the line edit's filters.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().size() == 1 && StateKey(key->text().at(0)) != key->text().at(0)) {
            m_state->lineEdit()->insert(StateKey(key->text().at(0)));
            return true;
        }
    } else if (watched == m_state && event->type() == QEvent::FocusOut &&
               !m_state->currentText().trimmed().isEmpty() && result() == 0 && isVisible()) {
        // An empty state is allowed: it is not a required entry.
        if (!CheckStateEntry(m_state->currentText().trimmed(), m_prompter)) {
            QApplication::beep();
            QTimer::singleShot(0, m_state, [this] { m_state->setFocus(Qt::OtherFocusReason); });
        }
    }
    return QDialog::eventFilter(watched, event);
}
