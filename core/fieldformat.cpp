#include "fieldformat.h"

#include "datetext.h"
#include "numbertext.h"

using NumberText::Format;

QString CleanNumber(QString text) {
    for (const QChar unwanted :
         {QLatin1Char(' '), QLatin1Char('$'), QLatin1Char('%'), QLatin1Char(',')})
        text.remove(unwanted);
    return text;
}

QString FormatDollars(const QString &text) {
    return QLatin1Char('$') + FormatAmount(text);
}

QString FormatAmount(const QString &text) {
    const double value = NumberText::Val(text);
    return Format(value, text.contains(QLatin1Char('.')) ? QStringLiteral("##,###,##0.00")
                                                         : QStringLiteral("##,###,##0"));
}

QString FormatLongDate(const QString &dateText) {
    const auto date = DateText::ParseDate(dateText);
    return date ? DateText::LongDate(*date) : dateText;
}

namespace FieldFormat {

namespace {

bool isDigitKey(QChar key) {
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

// A picture applied to a text: numbers are formatted, anything else is left as it is.
QString formatText(const QString &text, const QString &picture) {
    if (!NumberText::IsNumeric(text))
        return text;
    return Format(NumberText::NumericValue(text), picture);
}

} // namespace

bool acceptsKey(int kind, QChar key, const QString &currentText) {
    switch (kind) {
    case 2:
    case 3:
    case 6:
        return isDigitKey(key) || key == QChar(Backspace);
    case 1:
    case 4:
    case 5:
    case 9:
        return isDigitKey(key) || key == QChar(Backspace) ||
               (key == QLatin1Char('.') && !currentText.contains(QLatin1Char('.')));
    default:
        return true;
    }
}

bool acceptsText(int kind, const QString &text) {
    const bool reformatted = kind == 1 || kind == 4 || kind == 5 || kind == 6 || kind == 9;
    if (reformatted)
        return true;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar key = text.at(index);
        if (key == QChar(Backspace) || !acceptsKey(kind, key, text.left(index)))
            return false;
    }
    return true;
}

QString typedText(int kind, const QString &before, const QString &typed) {
    QString kept;
    for (const QChar key : typed) {
        if (key.category() != QChar::Other_Control && acceptsKey(kind, key, before + kept))
            kept += key;
    }
    return kept;
}

FocusInResult focusIn(int kind, const QString &text) {
    QString shown = text;
    if (kind == 1) {
        if (shown.endsWith(QLatin1Char('%')))
            shown.chop(1);
        shown = Format(NumberText::Val(shown), QStringLiteral("#0.00"));
    } else if (kind == 6 && NumberText::IsNumeric(shown)) {
        shown = Format(NumberText::NumericValue(shown), QStringLiteral("#########0"));
    }
    return {shown, !shown.isEmpty()};
}

QString focusOut(int kind, const QString &text) {
    switch (kind) {
    case 1:
        return formatText(text, QStringLiteral("#0.00")) + QLatin1Char('%');
    case 4:
    case 5:
        return formatText(text, QStringLiteral("###,##0.#######"));
    case 6:
    case 9:
        return FormatDollars(CleanNumber(text));
    default:
        return text;
    }
}

} // namespace FieldFormat
