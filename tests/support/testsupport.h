#pragma once

// Shared by the tests: readable QString failures and a builder of sample illustrations.

#include "calculators.h"
#include "illustration.h"
#include "recordingprompter.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <utility>

inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QLatin1String &text, std::ostream *out) {
    *out << '"' << std::string(text.data(), std::size_t(text.size())) << '"';
}

using FieldValues = std::initializer_list<std::pair<const char *, const char *>>;

// The input slot of a tag, or -1.
int InputSlot(const char *tag);

// Sets input fields by tag; an unknown tag fails the test.
void SetFields(Illustration &illustration, FieldValues values);

// A new RMD illustration of a valid single planholder: Jane Q Sample, born 01/15/1950,
// calculation year 2022, $100,000 in an IRA, no spouse beneficiary.
void MakeRmdSample(Illustration &illustration, const QDate &today);

// The date-format help appended to every date message, typed out once for all calculators.
QString ExpectedDateHelp();

// One row of a calculator's validation table.
struct ExpectedFailure {
    QString tag;
    QString message;
    QString title;
    QString replacement;
};

// Checks that the validation failed as the row says and was shown once, on its field.
void ExpectFailure(const Validation &validation, const RecordingPrompter &prompter,
                   const ExpectedFailure &expected, const std::string &name);

// DefineVariables, then CalculateValues when it passed, as every report rebuild runs them.
Validation RunCalculation(Illustration &illustration, CalcContext &context);

// The IRS SEPP FAQ's example on the SEPP tab: Bob, 50 at the end of 2026, $400,000 for every
// method, 2.98%, calculated on 01/15/2026; single life RMD method selected.
void MakeSeppSample(Illustration &illustration, const QDate &today);

// A test with its own prompter and illustration.
class IllustrationTest : public ::testing::Test {
protected:
    RecordingPrompter prompter;
    Illustration illustration{prompter};
};
