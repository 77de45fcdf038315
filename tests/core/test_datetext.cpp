#include "datetext.h"

#include <gtest/gtest.h>

#include <string>

using namespace DateText;

namespace {

std::string text(const QString &s) {
    return s.toStdString();
}

std::string text(const std::optional<QDate> &date) {
    return date ? date->toString(Qt::ISODate).toStdString() : std::string("(none)");
}

} // namespace

TEST(DateText, ParseDateAcceptsTypedForms) {
    struct Case {
        const char *input;
        QDate expected;
    };
    const Case cases[] = {
        {"01/01/1930", {1930, 1, 1}},       {"1/1/1930", {1930, 1, 1}},
        {" 12/31/1999 ", {1999, 12, 31}},   {"1-1-1930", {1930, 1, 1}},
        {"3.15.1950", {1950, 3, 15}},       {"1930-01-01", {1930, 1, 1}},
        {"1 Jan 1930", {1930, 1, 1}},       {"1 January 1930", {1930, 1, 1}},
        {"January 1, 1930", {1930, 1, 1}},  {"jan 1 1930", {1930, 1, 1}},
        {"SEPTEMBER 9,1951", {1951, 9, 9}}, {"2/29/1952", {1952, 2, 29}},
        {"1/1/30", {1930, 1, 1}},           {"1/1/29", {2029, 1, 1}},
        {"12/31/99", {1999, 12, 31}},       {"6/1/00", {2000, 6, 1}},
        {"5 Dec 45", {1945, 12, 5}},        {"1/1/100", {100, 1, 1}},
        {"12/31/9999", {9999, 12, 31}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(text(ParseDate(c.input)), text(c.expected)) << "ParseDate(\"" << c.input << "\")";
}

TEST(DateText, ParseDateRefusesOtherTexts) {
    const char *cases[] = {
        "2/29/1951",  "13/1/1930",   "02/30/1930",   "",          "abc",          "1/1",
        "00/10/1930", "1/0/1930",    "1/1/0099",     "1/1/10000", "1/1/5",        "1/1-1930",
        "1930/01/01", "1 Janu 1930", "Sept 1, 1930", "1/1/1930x", "January 1930", "1, Jan 1930",
    };
    for (const char *input : cases) {
        EXPECT_EQ(text(ParseDate(input)), "(none)") << "ParseDate(\"" << input << "\")";
        EXPECT_FALSE(IsDate(input)) << "IsDate(\"" << input << "\")";
    }
}

TEST(DateText, EveryDayRoundTripsThroughBothForms) {
    for (QDate date(1900, 1, 1); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        const QString shortForm = ShortDate(date);
        const QString longForm = LongDate(date);
        ASSERT_EQ(text(ParseDate(shortForm)), text(date)) << "short form " << text(shortForm);
        ASSERT_EQ(text(ParseDate(longForm)), text(date)) << "long form " << text(longForm);
    }
}
