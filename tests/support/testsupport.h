#pragma once

// Shared by the tests: readable QString failures and a builder of sample illustrations.

#include "calculators.h"
#include "illustration.h"
#include "recordingprompter.h"
#include "representative.h"

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

inline void PrintTo(Calculator calculator, std::ostream *out) {
    *out << "calculator " << CalculatorNumber(calculator);
}

using FieldValues = std::initializer_list<std::pair<const char *, const char *>>;

// The input slot of a tag, or -1.
int InputSlot(const char *tag);

// Sets input fields by tag; an unknown tag fails the test.
void SetFields(Illustration &illustration, FieldValues values);

// The same with "tag=text" entries.
void SetFields(Illustration &illustration, std::initializer_list<const char *> entries);

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

// A new Stretch illustration: Robert J Sample, born 03/15/1950, 15 years of life expectancy;
// Mary Sample, born 09/20/1955, 25 years; Jack Sample, born 05/01/1985; "Rollover IRA" with
// $500,000 at 6%, no contributions.
void MakeStretchSample(Illustration &illustration, const QDate &today);

// The Stretch sample's planholder alone (spouse skipped), as saved on 01/15/2021: three years of
// life expectancy from 2021, $100,000 at 5%, Jack born 07/01/1980. Its first projection years are
// worked by hand from the published tables in test_stretchcalculator.
void MakeStretchPlanholderAlone(Illustration &illustration, const QDate &today);

// Pat Q. Advisor of Example Financial, Springfield IL, with every entry filled.
RepresentativeDetails SampleRepresentative();

// A zip file whose entries all declare `size` as their unpacked size, in the central directory
// and in their local headers, whatever their data unpacks to (a zip without comment or zip64).
QByteArray DeclaringUnpackedSize(QByteArray zip, quint32 size);

// A file's bytes (empty when it cannot be read), and a file written whole or the test fails.
QByteArray ReadWholeFile(const QString &path);
void WriteWholeFile(const QString &path, const QByteArray &bytes);

// A test with its own prompter and illustration.
class IllustrationTest : public ::testing::Test {
protected:
    RecordingPrompter prompter;
    Illustration illustration{prompter};

    QString field(const char *tag) const {
        return illustration.fields().GetField(QLatin1String(tag));
    }

    // Expects each field, found by its tag, to hold its text.
    void expectFields(FieldValues expected, const std::string &name = {}) const {
        for (const auto &[tag, text] : expected)
            EXPECT_EQ(field(tag), QString::fromUtf8(text))
                << name << (name.empty() ? "" : ": ") << tag;
    }

    // The same with "tag=text" entries.
    void expectFields(std::initializer_list<const char *> expected) const {
        for (const char *entry : expected) {
            const QString tagAndText = QString::fromUtf8(entry);
            const qsizetype equals = tagAndText.indexOf(QLatin1Char('='));
            EXPECT_EQ(illustration.fields().GetField(tagAndText.left(equals)),
                      tagAndText.mid(equals + 1))
                << entry;
        }
    }
};
