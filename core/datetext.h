#pragma once

// Dates are carried as texts ("MM/DD/YYYY") in the field store and in stored records; these
// helpers parse what a representative types and produce the short and long forms the reports use.

#include <QDate>
#include <QString>
#include <optional>

namespace DateText {

// Parses a typed date. Accepted forms (blanks around the text ignored, month names in English,
// full or abbreviated to three letters, any case):
//   M/D/YYYY and MM/DD/YYYY, also with "-" or "." as separator     01/01/1930, 1-1-1930
//   D Mon YYYY, D Month YYYY                                        1 Jan 1930
//   Month D, YYYY and Mon D, YYYY (comma optional)                  January 1, 1930
//   YYYY-MM-DD                                                      1930-01-01
// A two-digit year is taken as 1930-2029 (00-29 give 20xx, 30-99 give 19xx). Years must lie in
// 100..9999. Impossible days (02/30/1930) are refused.
std::optional<QDate> ParseDate(const QString &text);
bool IsDate(const QString &text);

// "MM/DD/YYYY". An invalid date gives an empty text, as does LongDate.
QString ShortDate(const QDate &date);

// "mmmm d, yyyy" in English whatever the locale: "January 1, 1930".
QString LongDate(const QDate &date);

} // namespace DateText
