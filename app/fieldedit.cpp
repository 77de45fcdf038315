#include "fieldedit.h"

#include "fieldformat.h"
#include "illustration.h"
#include "shellrules.h"
#include "tablook.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

namespace {

bool editingCommand(const QKeyEvent *event) {
    for (const QKeySequence::StandardKey key :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll, QKeySequence::Undo,
          QKeySequence::Redo}) {
        if (event->matches(key))
            return true;
    }
    return false;
}

} // namespace

bool RealFocusMove(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

FieldEdit::FieldEdit(Illustration &illustration, int slot, QWidget *parent)
    : QLineEdit(parent), m_illustration(illustration), m_slot(slot) {
    const SlotDefinition *definition = SlotTable::slot(slot);
    setObjectName(QLatin1String(definition->tag));
    setAccessibleName(AccessibleName(QString::fromUtf8(definition->caption)));
    if (*definition->tooltip)
        setToolTip(QString::fromUtf8(definition->tooltip));
    // The width limits what is typed; a text the store holds (a formatted amount, a loaded
    // record) is shown whole.
    connect(&illustration, &Illustration::fieldChanged, this, [this](int changed) {
        if (changed == m_slot)
            showState();
    });
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_illustration.editField(m_slot, text); });
    showState();
}

void FieldEdit::setCaption(QLabel *caption) {
    m_caption = caption;
    caption->setBuddy(this);
    ShowColour(caption, QPalette::WindowText, m_illustration.fields().state(m_slot).captionColour);
}

int FieldEdit::kind() const {
    return SlotTable::kindDigit(QLatin1String(SlotTable::slot(m_slot)->tag));
}

int FieldEdit::room() const {
    return SlotTable::slot(m_slot)->width - int(text().size() - selectedText().size());
}

QSize FieldEdit::sizeHint() const {
    const QSize hint = QLineEdit::sizeHint();
    const int characters = std::clamp(SlotTable::slot(m_slot)->width, 4, 30) + 2;
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters, hint.height()};
}

void FieldEdit::showState() {
    const FieldState &state = m_illustration.fields().state(m_slot);
    if (text() != state.text)
        setText(state.text);
    setEnabled(state.enabled);
    ShowColour(this, QPalette::Base, state.background);
    if (m_caption)
        ShowColour(m_caption, QPalette::WindowText, state.captionColour);
}

void FieldEdit::keyPressEvent(QKeyEvent *event) {
    // Delete edits like Backspace but types no character.
    const QString typed = event->key() == Qt::Key_Delete ? QString() : event->text();
    bool accepted = true;
    for (const QChar key : typed)
        accepted = m_illustration.keyPress(m_slot, key) && accepted;
    if (event->matches(QKeySequence::Paste)) {
        pasteTyped();
        event->accept();
        return;
    }
    const bool character = !typed.isEmpty() && typed.front().category() != QChar::Other_Control;
    if (editingCommand(event) || (accepted && (!character || room() > 0))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept(); // refused: the key never reaches the text
}

void FieldEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    if (!RealFocusMove(event->reason()))
        return;
    const FieldFormat::FocusInResult shown =
        FieldFormat::focusIn(kind(), m_illustration.fields().text(m_slot));
    m_illustration.fields().setText(m_slot, shown.text);
    if (shown.selectAll)
        selectAll();
    emit focusEntered(m_slot);
}

void FieldEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (!RealFocusMove(event->reason()))
        return;
    m_illustration.fields().setText(
        m_slot, FieldFormat::focusOut(kind(), m_illustration.fields().text(m_slot)));
    emit focusLeft(m_slot);
}

void FieldEdit::insertTyped(const QString &text) {
    QString before = this->text();
    if (hasSelectedText())
        before.remove(selectionStart(), selectedText().size());
    const QString kept = FieldFormat::typedText(kind(), before, text).left(std::max(0, room()));
    if (kept.isEmpty())
        return;
    insert(kept);
    m_illustration.editField(m_slot, this->text());
}

void FieldEdit::pasteTyped() {
    insertTyped(QApplication::clipboard()->text());
}

void FieldEdit::dropEvent(QDropEvent *event) {
    if (event->source() == this || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertTyped(event->mimeData()->text());
    event->acceptProposedAction();
}

void FieldEdit::mouseReleaseEvent(QMouseEvent *event) {
    const QClipboard *clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        deselect();
        insertTyped(clipboard->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::inputMethodEvent(QInputMethodEvent *event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    for (const QChar key : event->commitString())
        m_illustration.keyPress(m_slot, key);
    QString before = text();
    if (hasSelectedText())
        before.remove(selectionStart(), selectedText().size());
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(
        FieldFormat::typedText(kind(), before, event->commitString()).left(std::max(0, room())),
        event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().startsWith(QLatin1String("&Paste"))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &FieldEdit::pasteTyped);
        }
    }
    menu->popup(event->globalPos());
}

void FieldEdit::changeEvent(QEvent *event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::StyleChange) {
        const FieldState &state = m_illustration.fields().state(m_slot);
        ShowColour(this, QPalette::Base, state.background, true);
        if (m_caption)
            ShowColour(m_caption, QPalette::WindowText, state.captionColour, true);
    }
}
