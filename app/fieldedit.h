#pragma once

// txtInput: one input slot of the field store on screen. The edit shows the slot's text, enabled
// state and background as the illustration holds them and writes every edit back at once; the
// kind digit of the slot's tag filters what is typed, pasted or dropped and formats the text as
// the focus enters and leaves.

#include <QLineEdit>
#include <QPointer>

class Illustration;
class QLabel;

class FieldEdit : public QLineEdit {
    Q_OBJECT

public:
    FieldEdit(Illustration &illustration, int slot, QWidget *parent = nullptr);

    int slot() const { return m_slot; }
    // The slot's caption (lblInput): its colour follows the store too.
    void setCaption(QLabel *caption);

    QSize sizeHint() const override;

signals:
    // After the focus-in or focus-out formatting of a real focus move (not the window losing
    // activation to a message box, nor a popup opening).
    void focusEntered(int slot);
    void focusLeft(int slot);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int kind() const;
    // How many more characters typing may add (the slot's width less the text kept).
    int room() const;
    void showState();
    // Inserts at the cursor what typing `text` would give.
    void insertTyped(const QString &text);
    void pasteTyped();

    Illustration &m_illustration;
    const int m_slot;
    QPointer<QLabel> m_caption;
};

// Whether a focus change is one the user made within the window.
bool RealFocusMove(Qt::FocusReason reason);
