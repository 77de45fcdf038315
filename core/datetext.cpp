#include "datetext.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

constexpr int firstYear = 100;
constexpr int lastYear = 9999;

// Two-digit years fall in 1930-2029; longer ones are taken as written.
int yearOf(QStringView text) {
    const int year = text.toInt();
    if (text.size() == 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

// 1-12 for an English month name, full or in three letters, any case; 0 otherwise. The C locale
// holds the English names whatever the user's locale is.
int monthOf(QStringView name) {
    const QLocale c = QLocale::c();
    for (int month = 1; month <= 12; ++month) {
        if (name.compare(c.monthName(month, QLocale::LongFormat), Qt::CaseInsensitive) == 0 ||
            name.compare(c.monthName(month, QLocale::ShortFormat), Qt::CaseInsensitive) == 0)
            return month;
    }
    return 0;
}

std::optional<QDate> dateOf(int year, int month, int day) {
    if (year < firstYear || year > lastYear)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

namespace DateText {

std::optional<QDate> ParseDate(const QString &text) {
    static const QRegularExpression monthDayYear(
        QStringLiteral(R"(^([0-9]{1,2})([/.-])([0-9]{1,2})\2([0-9]{2,4})$)"));
    static const QRegularExpression yearMonthDay(
        QStringLiteral(R"(^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$)"));
    static const QRegularExpression dayNameYear(
        QStringLiteral(R"(^([0-9]{1,2})\s+([A-Za-z]+)\s+([0-9]{2,4})$)"));
    static const QRegularExpression nameDayYear(
        QStringLiteral(R"(^([A-Za-z]+)\s+([0-9]{1,2})(?:\s*,\s*|\s+)([0-9]{2,4})$)"));

    const QString trimmed = text.trimmed();
    QRegularExpressionMatch m = monthDayYear.match(trimmed);
    if (m.hasMatch())
        return dateOf(yearOf(m.capturedView(4)), m.capturedView(1).toInt(),
                      m.capturedView(3).toInt());
    m = yearMonthDay.match(trimmed);
    if (m.hasMatch())
        return dateOf(m.capturedView(1).toInt(), m.capturedView(2).toInt(),
                      m.capturedView(3).toInt());
    m = dayNameYear.match(trimmed);
    if (m.hasMatch())
        return dateOf(yearOf(m.capturedView(3)), monthOf(m.capturedView(2)),
                      m.capturedView(1).toInt());
    m = nameDayYear.match(trimmed);
    if (m.hasMatch())
        return dateOf(yearOf(m.capturedView(3)), monthOf(m.capturedView(1)),
                      m.capturedView(2).toInt());
    return std::nullopt;
}

bool IsDate(const QString &text) {
    return ParseDate(text).has_value();
}

QString ShortDate(const QDate &date) {
    return date.toString(u"MM/dd/yyyy");
}

QString LongDate(const QDate &date) {
    return QLocale::c().toString(date, u"MMMM d, yyyy");
}

} // namespace DateText
