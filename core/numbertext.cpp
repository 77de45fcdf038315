#include "numbertext.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

constexpr int doubleDigits = 15;
constexpr int floatDigits = 7;

// A finite number as a decimal digit string, so that rounding and printing work on the digits a
// person sees rather than on the binary value behind them (1.005 is 1.00499999... in binary).
struct Decimal {
    bool negative = false;
    QString digits;   // significant digits, no leading or trailing zeros; empty for zero
    int pointPos = 0; // digits before the decimal point; negative for zeros after it
};

void stripTrailingZeros(Decimal &d) {
    qsizetype size = d.digits.size();
    while (size > 0 && d.digits.at(size - 1) == u'0')
        --size;
    d.digits.truncate(size);
}

// value must be finite.
Decimal toDecimal(double value, int significantDigits) {
    Decimal d;
    if (value == 0)
        return d;
    d.negative = value < 0;
    // Exponent form always carries exactly the requested significant digits: "d.ddde+XX".
    const QString text = QString::number(std::fabs(value), 'e', significantDigits - 1);
    const qsizetype ePos = text.indexOf(u'e');
    d.digits = text.left(ePos).remove(u'.');
    d.pointPos = text.mid(ePos + 1).toInt() + 1;
    stripTrailingZeros(d);
    return d;
}

enum class Tie { AwayFromZero, ToEven };

// Rounds to `decimals` places after the point; returns false when no digit had to go.
bool roundTo(Decimal &d, int decimals, Tie tie) {
    const qsizetype keep = qsizetype(d.pointPos) + decimals;
    if (keep >= d.digits.size())
        return false;
    if (keep < 0) {
        d.digits.clear();
        return true;
    }
    const char16_t next = d.digits.at(keep).unicode();
    // Trailing zeros are stripped, so a "5" that is not the last digit lies above the half.
    const bool exactHalf = next == u'5' && keep + 1 == d.digits.size();
    bool up = next >= u'5';
    if (exactHalf && tie == Tie::ToEven)
        up = keep > 0 && (d.digits.at(keep - 1).unicode() - u'0') % 2 == 1;
    d.digits.truncate(keep);
    if (up) {
        qsizetype i = keep - 1;
        while (i >= 0 && d.digits.at(i) == u'9')
            d.digits[i--] = u'0';
        if (i < 0) {
            d.digits.prepend(u'1');
            ++d.pointPos;
        } else {
            d.digits[i] = QChar(d.digits.at(i).unicode() + 1);
        }
    }
    stripTrailingZeros(d);
    return true;
}

QString integerDigits(const Decimal &d) {
    if (d.digits.isEmpty() || d.pointPos <= 0)
        return {};
    if (d.pointPos <= d.digits.size())
        return d.digits.left(d.pointPos);
    return d.digits + QString(d.pointPos - d.digits.size(), u'0');
}

QString fractionDigits(const Decimal &d) {
    if (d.digits.isEmpty() || d.pointPos >= d.digits.size())
        return {};
    if (d.pointPos < 0)
        return QString(-d.pointPos, u'0') + d.digits;
    return d.digits.mid(d.pointPos);
}

double toDouble(const Decimal &d) {
    if (d.digits.isEmpty())
        return 0.0;
    const QString text = QStringLiteral("%1.%2e%3")
                             .arg(d.negative ? QStringLiteral("-0") : QStringLiteral("0"), d.digits)
                             .arg(d.pointPos);
    return QLocale::c().toDouble(text);
}

QString strOf(const Decimal &d) {
    if (d.digits.isEmpty())
        return QStringLiteral(" 0");
    QString text(1, d.negative ? u'-' : u' ');
    if (d.pointPos > doubleDigits) {
        // From 1E+15 on the digits no longer reach the point; VB switches to exponent form there.
        text += d.digits.at(0);
        if (d.digits.size() > 1)
            text += u'.' + d.digits.mid(1);
        return text + QStringLiteral("E+%1").arg(d.pointPos - 1, 2, 10, QChar(u'0'));
    }
    text += integerDigits(d); // no "0" before the point: VB prints 0.5 as " .5"
    const QString fraction = fractionDigits(d);
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return text;
}

struct Picture {
    int minIntegerDigits = 0; // placeholders from the leftmost "0" of the integer part on
    bool grouped = false;
    int minDecimals = 0; // decimal placeholders up to the last "0"
    int maxDecimals = 0;
};

// Characters other than "0", "#", "," and "." do not occur in the system's pictures and are
// ignored.
Picture parsePicture(const QString &picture) {
    Picture p;
    const qsizetype point = picture.indexOf(u'.');
    const QStringView integerPart = QStringView(picture).left(point < 0 ? picture.size() : point);
    int placeholders = 0;
    int beforeFirstZero = -1;
    for (const QChar c : integerPart) {
        if (c == u'0' && beforeFirstZero < 0)
            beforeFirstZero = placeholders;
        if (c == u'0' || c == u'#')
            ++placeholders;
        else if (c == u',')
            p.grouped = true;
    }
    if (beforeFirstZero >= 0)
        p.minIntegerDigits = placeholders - beforeFirstZero;
    if (point >= 0) {
        for (const QChar c : QStringView(picture).mid(point + 1)) {
            if (c == u'0' || c == u'#')
                ++p.maxDecimals;
            if (c == u'0')
                p.minDecimals = p.maxDecimals;
        }
    }
    return p;
}

QString formatDecimal(Decimal d, const Picture &p) {
    roundTo(d, p.maxDecimals, Tie::AwayFromZero);
    QString integer = integerDigits(d);
    if (integer.size() < p.minIntegerDigits)
        integer.prepend(QString(p.minIntegerDigits - integer.size(), u'0'));
    // The digit string may be longer than any integer type holds, so it is grouped as text.
    if (p.grouped) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, u',');
    }
    QString fraction = fractionDigits(d);
    if (fraction.size() < p.minDecimals)
        fraction.append(QString(p.minDecimals - fraction.size(), u'0'));
    QString text = integer;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    // A value that rounds to zero shows no sign: "-0.00" would only puzzle a reader.
    if (d.negative && !d.digits.isEmpty())
        text.prepend(u'-');
    return text;
}

// The value when the whole text is one finite number as IsNumeric reads it.
std::optional<double> numericValue(const QString &text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^(?:[+-]?\$?|\$[+-])(?:[0-9]+(?:,[0-9]+)*(?:\.[0-9]*)?|\.[0-9]+))"
                       R"((?:[EeDd][+-]?[0-9]+)?$)"));
    QString plain = text.trimmed();
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    plain.remove(u'$').remove(u',').replace(u'D', u'e').replace(u'd', u'e');
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

namespace NumberText {

QString Str(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    return strOf(toDecimal(value, doubleDigits));
}

QString Str(float value) {
    if (!std::isfinite(value))
        return QString::number(value);
    return strOf(toDecimal(value, floatDigits));
}

double Val(const QString &text) {
    static const QRegularExpression leadingNumber(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([EeDd][+-]?[0-9]+)?)"));
    QString compact = text;
    compact.remove(u' ').remove(u'\t').remove(u'\n');
    const QRegularExpressionMatch match = leadingNumber.match(compact);
    if (!match.hasMatch())
        return 0.0;
    QString number = match.captured(0);
    if (match.capturedLength(2) > 0)
        number[match.capturedStart(2)] = u'e';
    return QLocale::c().toDouble(number);
}

bool IsNumeric(const QString &text) {
    return numericValue(text).has_value();
}

double NumericValue(const QString &text) {
    return numericValue(text).value_or(0.0);
}

QString Format(double value, const QString &picture) {
    if (!std::isfinite(value))
        return QString::number(value);
    return formatDecimal(toDecimal(value, doubleDigits), parsePicture(picture));
}

QString Format(float value, const QString &picture) {
    if (!std::isfinite(value))
        return QString::number(value);
    return formatDecimal(toDecimal(value, floatDigits), parsePicture(picture));
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    Decimal d = toDecimal(value, doubleDigits);
    // Nothing to cut: keep the value itself rather than its 15-digit approximation.
    if (!roundTo(d, decimals, Tie::ToEven))
        return value;
    return toDouble(d);
}

double Int(double value) {
    return std::floor(value);
}

float Single(double value) {
    return static_cast<float>(value);
}

} // namespace NumberText
