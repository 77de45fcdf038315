#include "lifetables.h"

#include "csvtable.h"
#include "errornumber.h"
#include "fatalerror.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <vector>

// Q_INIT_RESOURCE has to be expanded at global namespace scope. core is a static library, so
// without this reference the linker would drop the compiled-in tables.
static void registerLifeTableResources() {
    Q_INIT_RESOURCE(lifetables);
}

namespace {

// Where a table lives and which ages it must cover. A file that covers anything else is as
// broken as a missing one: a silently shorter table would clamp at the wrong age.
struct TableSource {
    const char *file;
    int firstAge;
    int lastAge;
};

// Pub 590 Table I; 1.72-9 Table V (no ages 0-4 in that table).
constexpr TableSource kSingle2002{"single_life_2002.csv", 0, 111};
constexpr TableSource kSingle2001{"single_life_2001.csv", 5, 115};
// Pub 590 Table III; 2001 proposed Uniform Table.
constexpr TableSource kUniform2002{"uniform_lifetime_2002.csv", 70, 115};
constexpr TableSource kUniform2001{"uniform_lifetime_2001.csv", 70, 115};
// Pub 590 Table II; 1.72-9 Table VI. Full squares, both orders of every pair.
constexpr TableSource kJoint2002{"joint_last_survivor_2002.csv", 0, 115};
constexpr TableSource kJoint2001{"joint_last_survivor_2001.csv", 5, 115};
// T.D. 9930: Treas. Reg. 1.401(a)(9)-9(b), (c) and (d) as amended, "120" meaning 120 and over.
constexpr TableSource kSingle2022{"single_life_2022.csv", 0, 120};
constexpr TableSource kUniform2022{"uniform_lifetime_2022.csv", 72, 120};
constexpr TableSource kJoint2022{"joint_last_survivor_2022.csv", 0, 120};

struct AgeRange {
    int firstAge = 0;
    int lastAge = -1;

    // Ages before the first row take the first row, ages past the last row (the printed
    // "and over" row) take the last.
    size_t index(long long age) const {
        return size_t(std::clamp<long long>(age, firstAge, lastAge) - firstAge);
    }
    size_t size() const { return size_t(lastAge - firstAge + 1); }
};

// Factors are held in tenths so that "27.4" stays exactly 274 from the file to the result.
struct AgeTable {
    AgeRange ages;
    std::vector<int> tenths;

    int at(long long age) const { return tenths[ages.index(age)]; }
};

struct JointTable {
    AgeRange ages;
    std::vector<int> tenths; // row = owner age, column = beneficiary age

    // Each age is clamped on its own: (120, 60) reads the 115+ row at 60.
    int at(long long ownerAge, long long beneficiaryAge) const {
        return tenths[ages.index(ownerAge) * ages.size() + ages.index(beneficiaryAge)];
    }
};

using Edition = LifeTableEdition;

QString resourcePath(const TableSource &source) {
    return QStringLiteral(":/life_tables/") + QLatin1String(source.file);
}

// Reads a table and checks its header.
CsvTable readTable(const char *routine, const TableSource &source, QByteArrayView header) {
    static const bool registered = (registerLifeTableResources(), true);
    Q_UNUSED(registered);
    return CsvTable(resourcePath(source), QStringLiteral("Life table"), QLatin1String(routine),
                    header);
}

// A whole age: one to three digits, nothing else.
int parseAge(const CsvTable &table, int lineNumber, QByteArrayView field) {
    if (field.isEmpty() || field.size() > 3)
        table.damaged(lineNumber, QStringLiteral("bad age \"%1\"").arg(QString::fromLatin1(field)));
    int age = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            table.damaged(lineNumber,
                          QStringLiteral("bad age \"%1\"").arg(QString::fromLatin1(field)));
        age = age * 10 + (c - '0');
    }
    return age;
}

// A factor as printed, digits "." one digit, read as whole tenths without floating point.
int parseTenths(const CsvTable &table, int lineNumber, QByteArrayView field) {
    const qsizetype dot = field.indexOf('.');
    const bool shaped = dot >= 1 && dot <= 4 && field.size() == dot + 2;
    int tenths = 0;
    for (qsizetype i = 0; shaped && i < field.size(); ++i) {
        if (i == dot)
            continue;
        const char c = field.at(i);
        if (c < '0' || c > '9')
            table.damaged(lineNumber,
                          QStringLiteral("bad factor \"%1\"").arg(QString::fromLatin1(field)));
        tenths = tenths * 10 + (c - '0');
    }
    if (!shaped || tenths <= 0)
        table.damaged(lineNumber,
                      QStringLiteral("bad factor \"%1\"").arg(QString::fromLatin1(field)));
    return tenths;
}

AgeTable loadAgeTable(const char *routine, const TableSource &source) {
    const CsvTable csv = readTable(routine, source, "age,factor");
    AgeTable table;
    table.ages = {source.firstAge, source.lastAge};
    const int rows = source.lastAge - source.firstAge + 1;
    if (csv.size() != rows) {
        csv.damaged(0, QStringLiteral("%1 ages instead of %2").arg(csv.size()).arg(rows));
    }
    table.tenths.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        const int lineNumber = CsvTable::lineNumber(i);
        const auto &fields = csv.fields(i, 2);
        const int age = parseAge(csv, lineNumber, fields[0]);
        if (age != source.firstAge + i) {
            csv.damaged(
                lineNumber,
                QStringLiteral("age %1 where %2 belongs").arg(age).arg(source.firstAge + i));
        }
        table.tenths.push_back(parseTenths(csv, lineNumber, fields[1]));
    }
    return table;
}

JointTable loadJointTable(const char *routine, const TableSource &source) {
    const CsvTable csv = readTable(routine, source, "owner_age,beneficiary_age,factor");
    JointTable table;
    table.ages = {source.firstAge, source.lastAge};
    const int side = source.lastAge - source.firstAge + 1;
    table.tenths.assign(size_t(side) * size_t(side), 0);
    // The file order is not relied on; every cell must appear exactly once.
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const int lineNumber = CsvTable::lineNumber(i);
        const auto &fields = csv.fields(i, 3);
        const int owner = parseAge(csv, lineNumber, fields[0]);
        const int beneficiary = parseAge(csv, lineNumber, fields[1]);
        if (owner < source.firstAge || owner > source.lastAge || beneficiary < source.firstAge ||
            beneficiary > source.lastAge) {
            csv.damaged(lineNumber, QStringLiteral("ages %1/%2 outside %3-%4")
                                        .arg(owner)
                                        .arg(beneficiary)
                                        .arg(source.firstAge)
                                        .arg(source.lastAge));
        }
        int &cell = table.tenths[size_t(owner - source.firstAge) * size_t(side) +
                                 size_t(beneficiary - source.firstAge)];
        if (cell != 0) {
            csv.damaged(lineNumber,
                        QStringLiteral("ages %1/%2 given twice").arg(owner).arg(beneficiary));
        }
        cell = parseTenths(csv, lineNumber, fields[2]);
    }
    if (csv.size() != qsizetype(side) * side) {
        csv.damaged(0, QStringLiteral("%1 cells instead of %2").arg(csv.size()).arg(side * side));
    }
    return table;
}

// Each table is built on first use and never changes afterwards; function-local statics make
// the first use thread-safe, and a load that throws is retried by the next call (whose routine
// name then goes into the message).
const AgeTable &singleTable(Edition edition, const char *routine) {
    switch (edition) {
    case Edition::Proposed2001: {
        static const AgeTable table = loadAgeTable(routine, kSingle2001);
        return table;
    }
    case Edition::Final2002: {
        static const AgeTable table = loadAgeTable(routine, kSingle2002);
        return table;
    }
    case Edition::Final2022:
        break;
    }
    static const AgeTable table = loadAgeTable(routine, kSingle2022);
    return table;
}

const AgeTable &uniformTable(Edition edition, const char *routine) {
    switch (edition) {
    case Edition::Proposed2001: {
        static const AgeTable table = loadAgeTable(routine, kUniform2001);
        return table;
    }
    case Edition::Final2002: {
        static const AgeTable table = loadAgeTable(routine, kUniform2002);
        return table;
    }
    case Edition::Final2022:
        break;
    }
    static const AgeTable table = loadAgeTable(routine, kUniform2022);
    return table;
}

const JointTable &jointTable(Edition edition, const char *routine) {
    switch (edition) {
    case Edition::Proposed2001: {
        static const JointTable table = loadJointTable(routine, kJoint2001);
        return table;
    }
    case Edition::Final2002: {
        static const JointTable table = loadJointTable(routine, kJoint2002);
        return table;
    }
    case Edition::Final2022:
        break;
    }
    static const JointTable table = loadJointTable(routine, kJoint2022);
    return table;
}

// Six decimals as printed, each a probability.
std::vector<double> loadMortalityRates(const char *routine) {
    const TableSource source{"mortality_rates_2022.csv", 0, 120};
    const CsvTable csv = readTable(routine, source, "age,qx");
    const int rows = source.lastAge - source.firstAge + 1;
    if (csv.size() != rows)
        csv.damaged(0, QStringLiteral("%1 ages instead of %2").arg(csv.size()).arg(rows));
    std::vector<double> rates;
    for (int i = 0; i < rows; ++i) {
        const int lineNumber = CsvTable::lineNumber(i);
        const auto &fields = csv.fields(i, 2);
        if (parseAge(csv, lineNumber, fields[0]) != i)
            csv.damaged(lineNumber, QStringLiteral("age out of order"));
        bool ok = false;
        const double rate = QByteArray(fields[1].data(), fields[1].size()).toDouble(&ok);
        if (!ok || rate <= 0 || rate > 1)
            csv.damaged(lineNumber,
                        QStringLiteral("bad rate \"%1\"").arg(QString::fromLatin1(fields[1])));
        rates.push_back(rate);
    }
    return rates;
}

float fromTenths(long long tenths) {
    return float(double(tenths) / 10.0);
}

int uniformTenths(Edition edition, const char *routine, long long ownerAge) {
    const AgeTable &uniform = uniformTable(edition, routine);
    // Below the table the distribution period is the joint expectancy with a beneficiary ten
    // years younger, the construction of the table itself (Rev. Rul. 2002-62 Appendix A).
    if (ownerAge < uniform.ages.firstAge)
        return jointTable(edition, routine).at(ownerAge, ownerAge - 10);
    return uniform.at(ownerAge);
}

float singleFactor(Edition edition, const char *routine, int firstAge, int currentAge) {
    // Fixed term: the first year's expectancy less one per year elapsed, in exact tenths.
    const long long elapsed = std::max(0LL, (long long)currentAge - firstAge);
    return fromTenths(singleTable(edition, routine).at(firstAge) - 10 * elapsed);
}

float jointFactor(Edition edition, const char *routine, int ownerAge, int beneficiaryAge,
                  int flag) {
    switch (flag) {
    case 0:
        return fromTenths(uniformTenths(edition, routine, ownerAge));
    case -1:
        // Only a spouse more than ten years younger earns the joint table; exactly ten years
        // younger is already what the Uniform Lifetime Table assumes.
        if ((long long)ownerAge - beneficiaryAge > 10)
            return fromTenths(jointTable(edition, routine).at(ownerAge, beneficiaryAge));
        return fromTenths(uniformTenths(edition, routine, ownerAge));
    case 2:
        return fromTenths(jointTable(edition, routine).at(ownerAge, beneficiaryAge));
    default:
        throw FatalError(
            QLatin1String(routine), ErrorNumber::InvalidProcedureCall,
            QStringLiteral("Unknown life table selection %1 (0, -1 or 2 expected)").arg(flag));
    }
}

// The birthday's day in a given year: February 29 is kept on February 28 in a common year.
int birthdayDay(const QDate &birth, int year) {
    if (birth.month() == 2 && birth.day() == 29 && !QDate::isLeapYear(year))
        return 28;
    return birth.day();
}

} // namespace

int CALCULATEAGE(const QDate &birth, const QDate &asOf, int /*unused*/) {
    // Nothing to measure; 0 is what callers put in place of an unusable age anyway.
    if (!birth.isValid() || !asOf.isValid())
        return 0;
    // Whole years elapsed, counted down from the birthday: the day before birth is -1.
    int years = asOf.year() - birth.year();
    const int birthdayThisYear = birthdayDay(birth, asOf.year());
    if (asOf.month() < birth.month() ||
        (asOf.month() == birth.month() && asOf.day() < birthdayThisYear)) {
        --years;
    }
    return years;
}

QString CALCDATEHALFAGE(const QDate &birth, int age) {
    if (!birth.isValid())
        return QString();
    int year = birth.year() + age;
    const int birthday = birthdayDay(birth, year);
    int month = birth.month() + 6;
    if (month > 12) {
        month -= 12;
        ++year;
    }
    const int day = std::min(birthday, QDate(year, month, 1).daysInMonth());
    return QStringLiteral("%1/%2/%3")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

float RMDSINGLEFACTOR(int /*unused*/, int firstAge, int currentAge) {
    return singleFactor(Edition::Final2002, "RMDSINGLEFACTOR", firstAge, currentAge);
}

float RMDSINGLEFACTOR2001(int /*unused*/, int firstAge, int currentAge) {
    return singleFactor(Edition::Proposed2001, "RMDSINGLEFACTOR2001", firstAge, currentAge);
}

float RMDJOINTFACTOR(int ownerAge, int beneficiaryAge, int flag) {
    return jointFactor(Edition::Final2002, "RMDJOINTFACTOR", ownerAge, beneficiaryAge, flag);
}

float RMDJOINTFACTOR2001(int ownerAge, int beneficiaryAge, int flag) {
    return jointFactor(Edition::Proposed2001, "RMDJOINTFACTOR2001", ownerAge, beneficiaryAge, flag);
}

float SingleFactor(LifeTableEdition edition, int firstAge, int currentAge) {
    return singleFactor(edition, "SingleFactor", firstAge, currentAge);
}

float JointFactor(LifeTableEdition edition, int ownerAge, int beneficiaryAge, int flag) {
    return jointFactor(edition, "JointFactor", ownerAge, beneficiaryAge, flag);
}

const std::vector<double> &MortalityRates2022() {
    static const std::vector<double> rates = loadMortalityRates("MortalityRates2022");
    return rates;
}
