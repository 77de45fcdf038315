#include "currentlawrmbd.h"
#include "lawtables.h"
#include "rmdcalculator.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QDate date(const char *text) {
    return QDate::fromString(QLatin1String(text), u"MM/dd/yyyy");
}

TEST(ApplicableAge, FollowsTheBirthDateBoundaries) {
    const struct {
        const char *born;
        const char *age;
        const char *reached;
    } cases[] = {
        {"06/30/1949", "70 1/2", "12/30/2019"}, {"07/01/1949", "72", "07/01/2021"},
        {"12/31/1950", "72", "12/31/2022"},     {"01/01/1951", "73", "01/01/2024"},
        {"12/31/1959", "73", "12/31/2032"},     {"01/01/1960", "75", "01/01/2035"},
        {"02/29/1952", "73", "02/28/2025"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ApplicableAgeFor(RuleSet::CurrentLaw, date(c.born)).text(), QLatin1String(c.age))
            << c.born;
        EXPECT_EQ(ApplicableAgeDate(RuleSet::CurrentLaw, date(c.born)), QLatin1String(c.reached))
            << c.born;
        EXPECT_EQ(ApplicableAgeFor(RuleSet::Regulations2002, date(c.born)).text(), u"70 1/2");
    }
}

TEST(LawTables, WaiversExciseAndTablesByYear) {
    using enum RuleSet;
    const struct {
        RuleSet rules;
        int year;
        bool waived;
        int excise;
        LifeTableEdition edition;
    } cases[] = {{Regulations2002, 2001, false, 50, LifeTableEdition::Proposed2001},
                 {Regulations2002, 2009, true, 50, LifeTableEdition::Final2002},
                 {Regulations2002, 2020, false, 50, LifeTableEdition::Final2002},
                 {Regulations2002, 2024, false, 50, LifeTableEdition::Final2002},
                 {CurrentLaw, 2009, true, 50, LifeTableEdition::Final2002},
                 {CurrentLaw, 2020, true, 50, LifeTableEdition::Final2002},
                 {CurrentLaw, 2021, false, 50, LifeTableEdition::Final2002},
                 {CurrentLaw, 2022, false, 50, LifeTableEdition::Final2022},
                 {CurrentLaw, 2023, false, 25, LifeTableEdition::Final2022}};
    for (const auto &c : cases) {
        EXPECT_EQ(WaivedYearNote(c.rules, c.year).has_value(), c.waived) << c.year;
        EXPECT_EQ(ExcisePercent(c.rules, c.year), c.excise) << c.year;
        EXPECT_EQ(EditionForYear(c.rules, c.year), c.edition) << c.year;
    }
    EXPECT_EQ(ExciseTax(3774, 25), 944); // 943.5 rounds up
}

// Below 72 the 2022 uniform factor is Joint(age, age - 10); Notice 2022-6 Appendix A prints it.
TEST(LawTables, UniformBelow72IsTheNoticeTable) {
    QFile file(QStringLiteral(":/life_tables/uniform_lifetime_2022_notice_2022_6.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.readLine();
    int rows = 0;
    while (!file.atEnd()) {
        const QList<QByteArray> row = file.readLine().trimmed().split(',');
        const int age = row[0].toInt();
        EXPECT_FLOAT_EQ(JointFactor(LifeTableEdition::Final2022, age, age, -1), row[1].toFloat())
            << age;
        ++rows;
    }
    EXPECT_EQ(rows, 111);
}

TEST(CurrentLawRmd, ApplicableAgeTablesAndWaivers) {
    using enum RuleSet;
    const struct {
        RuleSet rules;
        const char *born;
        const char *year;
        int firstYear;
        float factor;
        qint64 rmd, penalty;
    } cases[] = {
        {CurrentLaw, "06/30/1949", "2020", 2019, 0, 0, 0},
        {CurrentLaw, "06/30/1949", "2021", 2019, 25.6f, 3907, 1954},
        {CurrentLaw, "07/01/1949", "2021", 2021, 25.6f, 3907, 1954},
        {CurrentLaw, "12/31/1950", "2022", 2022, 27.4f, 3650, 1825},
        {CurrentLaw, "01/01/1951", "2023", 2024, 0, 0, 0},
        {CurrentLaw, "01/01/1951", "2024", 2024, 26.5f, 3774, 944},
        {CurrentLaw, "12/31/1959", "2032", 2032, 26.5f, 3774, 944},
        {CurrentLaw, "01/01/1960", "2034", 2035, 0, 0, 0},
        {CurrentLaw, "01/01/1960", "2035", 2035, 24.6f, 4066, 1017},
        {Regulations2002, "01/01/1951", "2023", 2021, 25.6f, 3907, 1954},
        {Regulations2002, "01/01/1940", "2020", 2010, 18.7f, 5348, 2674},
    };
    for (const auto &c : cases) {
        RmdInputs inputs;
        inputs.dateOfBirth = QLatin1String(c.born);
        inputs.calculationYear = QLatin1String(c.year);
        inputs.accountValue = QStringLiteral("100000");
        inputs.planType = QStringLiteral("IRA");
        inputs.rules = c.rules;
        const RmdResult result = ComputeRmd(inputs, QString());
        const QString name = QLatin1String(c.born) + u' ' + QLatin1String(c.year);
        EXPECT_EQ(result.firstDistributionYear, c.firstYear) << name.toStdString();
        EXPECT_FLOAT_EQ(result.factor, c.factor) << name.toStdString();
        EXPECT_EQ(result.rmd, c.rmd) << name.toStdString();
        EXPECT_EQ(result.penalty, c.penalty) << name.toStdString();
        EXPECT_EQ(result.noteYear1.contains(u"tables of 2022"),
                  c.rules == CurrentLaw && QLatin1String(c.year).toInt() >= 2022)
            << "the note names the tables";
    }
}

TEST(CurrentLawRmbd, EachBeneficiaryClassBeforeAndAfterTheRbd) {
    const struct {
        const char *name;
        const char *ownerBorn, *died, *beneficiaryBorn;
        int beneficiaryClass;
        int spouse; // 0 none, 1 surviving spouse, 2 a spouse electing to be the owner
        const char *planType, *year;
        float factor;
        qint64 rmd;
        int finalYear;
        bool ownersAge;
    } cases[] = {
        // IRS Pub 590-B (2020, revised May 2021): brother died in 2020 at 74, beneficiary 65 in
        // 2021, Table I 21.0, $100,000 gives $4,762.
        {"Pub 590-B brother", "03/01/1946", "06/01/2020", "03/01/1956", 0, 0, "IRA", "2021", 21.0f,
         4762, 2041, false},
        // The 2022 tables reset a fixed term: the first year's age in the new table less the
        // years since.
        {"death 2015, 2021", "01/01/1940", "05/01/2015", "01/15/1960", 0, 0, "IRA", "2021", 23.7f,
         4220, 2044, false},
        {"death 2015, 2022", "01/01/1940", "05/01/2015", "01/15/1960", 0, 0, "IRA", "2022", 24.6f,
         4066, 2046, false},
        {"10-year before RBD", "01/01/1960", "03/01/2021", "01/01/1990", 0, 0, "IRA", "2025", 0, 0,
         2031, false},
        {"10-year deadline", "01/01/1960", "03/01/2021", "01/01/1990", 0, 0, "IRA", "2031", 1,
         100000, 2031, false},
        {"10-year after RBD waived", "01/01/1940", "03/01/2021", "01/01/1990", 0, 0, "IRA", "2024",
         0, 0, 2031, false},
        {"10-year after RBD", "01/01/1940", "03/01/2021", "01/01/1990", 0, 0, "IRA", "2025", 50.4f,
         1985, 2031, false},
        {"Roth owner never past RBD", "01/01/1940", "03/01/2021", "01/01/1990", 0, 0, "Roth IRA",
         "2025", 0, 0, 2031, false},
        {"minor child turning 21", "01/01/1960", "03/01/2021", "06/01/2012", 1, 0, "IRA", "2033",
         63.9f, 1565, 2043, false},
        {"minor child's tenth year", "01/01/1960", "03/01/2021", "06/01/2012", 1, 0, "IRA", "2043",
         1, 100000, 2043, false},
        {"child already 21", "01/01/1960", "03/01/2021", "01/01/1995", 1, 0, "IRA", "2025", 0, 0,
         2031, false},
        {"disabled", "01/01/1960", "03/01/2021", "01/01/1990", 2, 0, "IRA", "2025", 50.4f, 1985,
         2075, false},
        {"estate before RBD, 2020 not counted", "01/01/1960", "03/01/2018", "01/01/1990", 3, 0,
         "IRA", "2023", 0, 0, 2024, false},
        {"estate's fifth year", "01/01/1960", "03/01/2021", "01/01/1990", 3, 0, "IRA", "2026", 1,
         100000, 2026, false},
        {"estate after RBD", "01/01/1940", "03/01/2021", "01/01/1990", 3, 0, "IRA", "2025", 6.5f,
         15385, 2031, true},
        // The spouse's own Single Life factor (2022 table, age 73: 16.4); elected from 2024, the
        // Uniform Lifetime factor of the same age (26.5); the election does not reach 2023.
        {"spouse", "01/01/1950", "03/01/2021", "01/01/1952", 0, 1, "IRA", "2025", 16.4f, 6098, 0,
         false},
        {"spouse elects", "01/01/1950", "03/01/2021", "01/01/1952", 0, 2, "IRA", "2025", 26.5f,
         3774, 0, false},
        {"spouse elects, 2023", "01/01/1950", "03/01/2021", "01/01/1952", 0, 2, "IRA", "2023",
         18.0f, 5556, 0, false},
    };
    for (const auto &c : cases) {
        RmbdInputs inputs;
        inputs.beneficiaryName = QStringLiteral("Sally Sample");
        inputs.dateOfBirth = QLatin1String(c.beneficiaryBorn);
        inputs.dateOfDeath = QLatin1String(c.died);
        inputs.calculationYear = QLatin1String(c.year);
        inputs.accountValue = QStringLiteral("100000");
        inputs.planType = QLatin1String(c.planType);
        inputs.rules = RuleSet::CurrentLaw;
        inputs.beneficiaryClass = c.beneficiaryClass;
        inputs.spouseElection = c.spouse == 2;
        const RmbdResult result = ComputeRmbd(inputs, c.spouse > 0, QLatin1String(c.ownerBorn));
        EXPECT_FLOAT_EQ(result.factor, c.factor) << c.name;
        EXPECT_EQ(result.rmd, c.rmd) << c.name;
        EXPECT_EQ(result.finalYear, c.finalYear) << c.name;
        EXPECT_EQ(result.deceasedFlag, c.ownersAge) << c.name;
        EXPECT_TRUE(result.payoutNote.contains(u"current law")) << c.name;
    }
}

} // namespace
