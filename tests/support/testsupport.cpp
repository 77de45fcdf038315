#include "testsupport.h"

#include "stretchtab.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

using namespace Qt::StringLiterals;

int InputSlot(const char *tag) {
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag != '\0' && QLatin1String(tag) == QLatin1String(slot.tag))
            return slot.index;
    }
    return -1;
}

void SetFields(Illustration &illustration, FieldValues values) {
    for (const auto &[tag, text] : values) {
        const int slot = InputSlot(tag);
        ASSERT_GE(slot, 0) << "no input slot for " << tag;
        illustration.fields().setText(slot, QString::fromUtf8(text));
    }
}

void SetFields(Illustration &illustration, std::initializer_list<const char *> entries) {
    for (const char *entry : entries) {
        const char *equals = std::strchr(entry, '=');
        ASSERT_NE(equals, nullptr) << "no \"=\" in " << entry;
        const std::string tag(entry, equals);
        const int slot = InputSlot(tag.c_str());
        ASSERT_GE(slot, 0) << "no input slot for " << tag;
        illustration.fields().setText(slot, QString::fromUtf8(equals + 1));
    }
}

void MakeRmdSample(Illustration &illustration, const QDate &today) {
    illustration.setCalculator(Calculator::Rmd);
    illustration.resetToNew(1, today, QStringLiteral("IRA"));
    SetFields(illustration, {"8-PartFirst=Jane", "8-PartMiddle=Q", "8-PartLast=Sample",
                             "7-PartDOB=01/15/1950", "3-Year0=2022", "6-AcctValue0=$100,000"});
    illustration.setPosition(Control::optUseJoint, 1);
}

QString ExpectedDateHelp() {
    return QStringLiteral("Please enter a valid date in one\r\n"
                          " of the following date formats:\r\n"
                          "\r\n"
                          "  01/01/1930\r\n"
                          "  1/1/1930\r\n"
                          "  1 Jan 1930\r\n"
                          "  January 1, 1930");
}

void ExpectFailure(const Validation &validation, const RecordingPrompter &prompter,
                   const ExpectedFailure &expected, const std::string &name) {
    ASSERT_FALSE(validation.passed()) << name;
    EXPECT_EQ(validation.failure->tag, expected.tag) << name;
    EXPECT_EQ(validation.failure->message, expected.message) << name;
    EXPECT_EQ(validation.failure->title, expected.title) << name;
    EXPECT_EQ(validation.failure->replacement, expected.replacement) << name;
    ASSERT_EQ(prompter.fieldErrors().size(), 1) << name;
    EXPECT_EQ(prompter.fieldErrors()[0].message, expected.message) << name;
}

Validation RunCalculation(Illustration &illustration, CalcContext &context) {
    Validation validation = DefineVariables(illustration, context);
    if (validation.passed())
        CalculateValues(illustration, validation.variables, context);
    return validation;
}

void MakeSeppSample(Illustration &illustration, const QDate &today) {
    illustration.setCalculator(Calculator::Sepp);
    illustration.resetToNew(1, today, QStringLiteral("IRA"));
    SetFields(illustration,
              {"8-EqualFirst=Bob", "8-EqualLast=Sample", "7-EqualDOB=03/15/1976",
               "8-EqualPlanName=Bob's IRA", "7-EqualDate=01/15/2026", "6-EqualAcctValue1=$400,000",
               "6-EqualAcctValue2=$400,000", "1-EqualROR=2.98%"});
    illustration.setChecked(Control::chkRMDOnce, false);
    illustration.setPosition(Control::optEqualPmt, 0);
}

void MakeStretchSample(Illustration &illustration, const QDate &today) {
    illustration.setCalculator(Calculator::Stretch);
    illustration.resetToNew(1, today, QStringLiteral("IRA"));
    SetFields(illustration,
              {"8-StretchPFirst=Robert", "8-StretchPMiddle=J", "8-StretchPLast=Sample",
               "7-StretchPDOB=03/15/1950", "2-StretchPLEO=15", "8-StretchSFirst=Mary",
               "8-StretchSLast=Sample", "7-StretchSDOB=09/20/1955", "2-StretchSLEO=25",
               "8-StretchBFirst=Jack", "8-StretchBLast=Sample", "7-StretchBDOB=05/01/1985",
               "8-StretchPlanName=Rollover IRA", "6-StretchAcctValue=$500,000",
               "6-StretchAcctCont=$0", "2-StretchContYrs=0", "1-StretchROR=6.00%"});
}

void MakeStretchPlanholderAlone(Illustration &illustration, const QDate &today) {
    MakeStretchSample(illustration, today);
    SetSkipSpouse(illustration, true);
    SetFields(illustration,
              {"2-StretchPLEO=3", "7-StretchBDOB=07/01/1980", "6-StretchAcctValue=100000",
               "1-StretchROR=5.00%", "6-IllustrationDate=01/15/2021"});
    illustration.setSaved(true);
}

RepresentativeDetails SampleRepresentative() {
    return {.first = u"Pat"_s,
            .initial = u"Q"_s,
            .last = u"Advisor"_s,
            .repNumber = u"R-17"_s,
            .agency = u"Example Financial"_s,
            .work = u"(217) 555-0100"_s,
            .home = u"(217) 555-0101"_s,
            .fax = u"(217) 555-0102"_s,
            .email = u"pat@example.com"_s,
            .address = u"100 Main Street"_s,
            .city = u"Springfield"_s,
            .zip = u"62701-1234"_s,
            .runDate = u"12/06/2026 09:30:15"_s,
            .state = u"IL"_s};
}

QByteArray DeclaringUnpackedSize(QByteArray zip, quint32 size) {
    const auto at = [&zip](qsizetype offset) {
        return offset >= 0 && offset + 4 <= zip.size() ? zip.data() + offset : nullptr;
    };
    // The end record is the last 22 bytes; it gives the entry count and the directory's offset.
    const qsizetype end = zip.size() - 22;
    if (!at(end) || qFromLittleEndian<quint32>(at(end)) != 0x06054b50) {
        ADD_FAILURE() << "not a zip without comment";
        return zip;
    }
    const int entries = qFromLittleEndian<quint16>(at(end + 10));
    qsizetype header = qFromLittleEndian<quint32>(at(end + 16));
    for (int entry = 0; entry < entries; ++entry) {
        if (!at(header + 46) || qFromLittleEndian<quint32>(at(header)) != 0x02014b50) {
            ADD_FAILURE() << "central directory entry " << entry << " not found";
            return zip;
        }
        qToLittleEndian(size, at(header + 24));
        const qsizetype local = qFromLittleEndian<quint32>(at(header + 42));
        if (at(local + 22))
            qToLittleEndian(size, at(local + 22));
        header += 46 + qFromLittleEndian<quint16>(at(header + 28)) +
                  qFromLittleEndian<quint16>(at(header + 30)) +
                  qFromLittleEndian<quint16>(at(header + 32));
    }
    return zip;
}

QByteArray ReadWholeFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void WriteWholeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
