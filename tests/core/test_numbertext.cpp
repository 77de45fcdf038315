#include "numbertext.h"

#include <gtest/gtest.h>

#include <string>

using namespace NumberText;

namespace {

// gtest prints a double with all its digits, so a failure shows the exact input.
template <typename In> struct Case {
    In value;
    const char *expected;
};

template <typename In> struct PictureCase {
    In value;
    const char *picture, *expected;
};

struct TextCase {
    const char *text;
    double expected;
};

std::string text(const QString &s) {
    return s.toStdString();
}

template <typename In, std::size_t N> void expectStr(const Case<In> (&cases)[N]) {
    for (const auto &c : cases)
        EXPECT_EQ(text(Str(c.value)), c.expected)
            << "Str(" << testing::PrintToString(c.value) << ")";
}

template <typename In, std::size_t N> void expectFormat(const PictureCase<In> (&cases)[N]) {
    for (const auto &c : cases)
        EXPECT_EQ(text(Format(c.value, c.picture)), c.expected)
            << "Format(" << testing::PrintToString(c.value) << ", \"" << c.picture << "\")";
}

} // namespace

TEST(NumberText, StrOfDoubleKeepsSignPositionAndFifteenDigits) {
    const Case<double> cases[] = {{5.0, " 5"},
                                  {-3.0, "-3"},
                                  {0.0, " 0"},
                                  {-0.0, " 0"},
                                  {0.5, " .5"},
                                  {-0.5, "-.5"},
                                  {0.1 + 0.2, " .3"},
                                  {2027.0, " 2027"},
                                  {1234.5, " 1234.5"},
                                  {0.00125, " .00125"},
                                  {1e15, " 1E+15"},
                                  {-1.5e20, "-1.5E+20"},
                                  {2.0 / 3.0, " .666666666666667"},
                                  {999999999999999.0, " 999999999999999"}};
    expectStr(cases);
}

TEST(NumberText, StrOfFloatUsesSevenDigits) {
    const Case<float> cases[] = {{25.6f, " 25.6"},
                                 {float(123456.78), " 123456.8"},
                                 {0.1f, " .1"},
                                 {-1.9f, "-1.9"},
                                 {12345678.0f, " 12345680"}};
    expectStr(cases);
}

TEST(NumberText, ValReadsTheLeadingNumber) {
    const TextCase cases[] = {{"2027", 2027}, {" 12 34abc", 1234}, {"1\t2\n3", 123}, {"$100", 0},
                              {"1,234", 1},   {"-5.5x", -5.5},     {"", 0},          {".5", 0.5},
                              {"1e3", 1000},  {"2.5D2", 250},      {"5%", 5},        {"1.2.3", 1.2},
                              {"- 4", -4},    {"+7", 7},           {"--5", 0},       {"1e", 1},
                              {"1e+x", 1},    {"3.e-1", 0.3},      {".", 0},         {"7\r8", 7}};
    for (const auto &c : cases)
        EXPECT_EQ(Val(c.text), c.expected) << "Val(\"" << c.text << "\")";
}

TEST(NumberText, IsNumericAcceptsDollarAmounts) {
    const TextCase numeric[] = {
        {"$1,234.60", 1234.6}, {"100000", 100000}, {" 12 ", 12}, {"-5", -5},
        {"-$5", -5},           {"$-5", -5},        {".5", 0.5},  {"1e3", 1000}};
    for (const auto &c : numeric) {
        EXPECT_TRUE(IsNumeric(c.text)) << "IsNumeric(\"" << c.text << "\")";
        EXPECT_EQ(NumericValue(c.text), c.expected) << "NumericValue(\"" << c.text << "\")";
    }
    const char *notNumeric[] = {"",    "$",    "abc", "1.2.3", "1 2",  ",123",
                                "12,", "1,,2", "5$",  "--5",   "-$-5", "1e999"};
    for (const char *input : notNumeric) {
        EXPECT_FALSE(IsNumeric(input)) << "IsNumeric(\"" << input << "\")";
        EXPECT_EQ(NumericValue(input), 0.0) << "NumericValue(\"" << input << "\")";
    }
}

TEST(NumberText, FormatAppliesPictures) {
    const PictureCase<double> cases[] = {{5.0, "#0.00", "5.00"},
                                         {0.0, "#0.00", "0.00"},
                                         {1.005, "#0.00", "1.01"},
                                         {-0.001, "#0.00", "0.00"},
                                         {-1234.5, "##,##0.00", "-1,234.50"},
                                         {1234.0, "##,###,##0", "1,234"},
                                         {1234.567, "##,###,##0.00", "1,234.57"},
                                         {1234.6, "##,###,##0.00", "1,234.60"},
                                         {1234.6, "#########0", "1235"},
                                         {100000.0, "##,###,##0", "100,000"},
                                         {12345678.0, "##,###,##0", "12,345,678"},
                                         {1234567890.0, "##,##0", "1,234,567,890"},
                                         {999.995, "##,##0.00", "1,000.00"},
                                         {0.5, "##.0", ".5"},
                                         {0.04, "##.0", ".0"},
                                         {2.5, "####0", "3"},
                                         {-2.5, "####0", "-3"},
                                         {5.0, "###,##0.#######", "5"},
                                         {1234.5, "###,##0.#######", "1,234.5"},
                                         {0.1234567891, "###,##0.#######", "0.1234568"},
                                         {0.00000004, "###,##0.#######", "0"},
                                         {7.0, "000", "007"}};
    expectFormat(cases);
}

TEST(NumberText, FormatOfFloatRoundsItsSevenDigitForm) {
    const PictureCase<float> cases[] = {
        {25.6f, "##.0", "25.6"},
        {27.4f, "##.0", "27.4"},
        {1.9f, "##.0", "1.9"},
        {float(123456.78), "###,##0.00", "123,456.80"},
        // 2.675f is 2.67499995 in binary; its seven-digit form 2.675 rounds up.
        {2.675f, "#0.00", "2.68"}};
    expectFormat(cases);
}

TEST(NumberText, RoundHalfEvenJudgesTheDecimalForm) {
    struct Rounding {
        double value;
        int decimals;
        double expected;
    };
    const double third = 1.0 / 3.0;
    const Rounding cases[] = {{2.5, 0, 2},      {3.5, 0, 4},       {-2.5, 0, -2},
                              {-3.5, 0, -4},    {0.5, 0, 0},       {2.51, 0, 3},
                              {0.125, 2, 0.12}, {0.135, 2, 0.14},  {1234.565, 2, 1234.56},
                              {2.675, 2, 2.68}, {9.995, 2, 10},    {1250.0, -2, 1200},
                              {0.004, 2, 0},    {third, 20, third}};
    for (const auto &c : cases)
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.expected)
            << "RoundHalfEven(" << testing::PrintToString(c.value) << ", " << c.decimals << ")";
}
