#pragma once

// What each kind of input field accepts and how it shows its text, as plain functions of the
// kind digit and the text, so the window only has to call them from its field events.

#include <QChar>
#include <QString>

// The text without any blank, "$", "%" or ",".
QString CleanNumber(QString text);
// "$" followed by FormatAmount of the text.
QString FormatDollars(const QString &text);
// The text's leading number formatted "##,###,##0.00" when the text has a ".", else "##,###,##0".
QString FormatAmount(const QString &text);
// "mmmm d, yyyy" of a date text; a text that is not a date comes back unchanged.
QString FormatLongDate(const QString &dateText);

namespace FieldFormat {

constexpr char16_t Backspace = 8;

// Whether a typed character reaches a field of this kind holding currentText.
bool acceptsKey(int kind, QChar key, const QString &currentText);

// Whether a whole text can stand in a field of this kind. Amounts, rates and decimals may show
// the form focus-out gives them ("$1,000", "2.50%"); every other field keeps its text as typed,
// so each character must pass acceptsKey: digits alone in a year or whole-number field.
bool acceptsText(int kind, const QString &text);

struct FocusInResult {
    QString text;
    bool selectAll = false; // the whole text is selected when it is not empty
};

// What typing `typed` into a field of this kind gives, when the field holds `before` besides the
// selection it replaces: the characters the keystroke filter lets through, in order. Pasted and
// dropped text takes this way too, so it can never put into a field what typing could not.
// Control characters carry no text and are dropped.
QString typedText(int kind, const QString &before, const QString &typed);

// The text a field of this kind shows when it gains the focus.
FocusInResult focusIn(int kind, const QString &text);
// The text a field of this kind shows when it loses the focus.
QString focusOut(int kind, const QString &text);

} // namespace FieldFormat
