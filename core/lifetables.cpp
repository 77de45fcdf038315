#include "lifetables.h"

#include "errornumber.h"
#include "fatalerror.h"

#include <QByteArray>
#include <QFile>
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

enum class Edition { Final2002, Proposed2001 };

QString resourcePath(const TableSource &source) {
    return QStringLiteral(":/life_tables/") + QLatin1String(source.file);
}

// lineNumber 0 blames the file as a whole.
[[noreturn]] void malformed(const char *routine, const TableSource &source, int lineNumber,
                            const QString &what) {
    const QString where =
        lineNumber > 0 ? QStringLiteral(" at line %1").arg(lineNumber) : QString();
    throw FatalError(
        QLatin1String(routine), ErrorNumber::TypeMismatch,
        QStringLiteral("Life table %1 is damaged%2: %3").arg(resourcePath(source), where, what));
}

// A table's text and its data lines, header checked and removed. The lines are views into the
// text: the joint tables have over 13,000 lines, read without a copy each. Line numbers are
// 1-based as in an editor, so the data lines start at 2.
struct TableLines {
    QByteArray text;
    std::vector<QByteArrayView> lines;
};

TableLines readLines(const char *routine, const TableSource &source,
                     QByteArrayView expectedHeader) {
    static const bool registered = (registerLifeTableResources(), true);
    Q_UNUSED(registered);

    QFile file(resourcePath(source));
    if (!file.open(QIODevice::ReadOnly)) {
        throw FatalError(
            QLatin1String(routine), ErrorNumber::FileNotFound,
            QStringLiteral("Life table %1 is missing from this build").arg(resourcePath(source)));
    }
    TableLines table{file.readAll(), {}};
    const QByteArrayView text(table.text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        // A checkout with CRLF endings still carries the same numbers.
        if (line.endsWith('\r'))
            line.chop(1);
        table.lines.push_back(line);
        start = next;
    }
    if (table.lines.empty() || table.lines.front() != expectedHeader) {
        malformed(routine, source, 1,
                  QStringLiteral("header is not \"%1\"").arg(QLatin1String(expectedHeader)));
    }
    table.lines.erase(table.lines.begin());
    return table;
}

// A whole age: one to three digits, nothing else.
int parseAge(const char *routine, const TableSource &source, int lineNumber,
             QByteArrayView field) {
    if (field.isEmpty() || field.size() > 3)
        malformed(routine, source, lineNumber,
                  QStringLiteral("bad age \"%1\"").arg(QString::fromLatin1(field)));
    int age = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            malformed(routine, source, lineNumber,
                      QStringLiteral("bad age \"%1\"").arg(QString::fromLatin1(field)));
        age = age * 10 + (c - '0');
    }
    return age;
}

// A factor as printed, digits "." one digit, read as whole tenths without floating point.
int parseTenths(const char *routine, const TableSource &source, int lineNumber,
                QByteArrayView field) {
    const qsizetype dot = field.indexOf('.');
    const bool shaped = dot >= 1 && dot <= 4 && field.size() == dot + 2;
    int tenths = 0;
    for (qsizetype i = 0; shaped && i < field.size(); ++i) {
        if (i == dot)
            continue;
        const char c = field.at(i);
        if (c < '0' || c > '9')
            malformed(routine, source, lineNumber,
                      QStringLiteral("bad factor \"%1\"").arg(QString::fromLatin1(field)));
        tenths = tenths * 10 + (c - '0');
    }
    if (!shaped || tenths <= 0)
        malformed(routine, source, lineNumber,
                  QStringLiteral("bad factor \"%1\"").arg(QString::fromLatin1(field)));
    return tenths;
}

// The comma-separated fields of a line, which must number exactly N.
template <std::size_t N>
std::array<QByteArrayView, N> splitFields(const char *routine, const TableSource &source,
                                          int lineNumber, QByteArrayView line) {
    std::array<QByteArrayView, N> fields;
    std::size_t count = 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype comma = line.indexOf(',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        if (count < N)
            fields[count] = line.sliced(start, end - start);
        ++count;
        if (comma < 0)
            break;
        start = comma + 1;
    }
    if (count != N) {
        malformed(routine, source, lineNumber,
                  QStringLiteral("expected %1 fields, found %2").arg(N).arg(count));
    }
    return fields;
}

AgeTable loadAgeTable(const char *routine, const TableSource &source) {
    const TableLines text = readLines(routine, source, "age,factor");
    const std::vector<QByteArrayView> &lines = text.lines;
    AgeTable table;
    table.ages = {source.firstAge, source.lastAge};
    const int rows = source.lastAge - source.firstAge + 1;
    if (qsizetype(lines.size()) != rows) {
        malformed(routine, source, 0,
                  QStringLiteral("%1 ages instead of %2").arg(lines.size()).arg(rows));
    }
    table.tenths.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        const int lineNumber = i + 2;
        const auto fields = splitFields<2>(routine, source, lineNumber, lines[size_t(i)]);
        const int age = parseAge(routine, source, lineNumber, fields[0]);
        if (age != source.firstAge + i) {
            malformed(routine, source, lineNumber,
                      QStringLiteral("age %1 where %2 belongs").arg(age).arg(source.firstAge + i));
        }
        table.tenths.push_back(parseTenths(routine, source, lineNumber, fields[1]));
    }
    return table;
}

JointTable loadJointTable(const char *routine, const TableSource &source) {
    const TableLines text = readLines(routine, source, "owner_age,beneficiary_age,factor");
    const std::vector<QByteArrayView> &lines = text.lines;
    JointTable table;
    table.ages = {source.firstAge, source.lastAge};
    const int side = source.lastAge - source.firstAge + 1;
    table.tenths.assign(size_t(side) * size_t(side), 0);
    // The file order is not relied on; every cell must appear exactly once.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 2;
        const auto fields = splitFields<3>(routine, source, lineNumber, lines[i]);
        const int owner = parseAge(routine, source, lineNumber, fields[0]);
        const int beneficiary = parseAge(routine, source, lineNumber, fields[1]);
        if (owner < source.firstAge || owner > source.lastAge || beneficiary < source.firstAge ||
            beneficiary > source.lastAge) {
            malformed(routine, source, lineNumber,
                      QStringLiteral("ages %1/%2 outside %3-%4")
                          .arg(owner)
                          .arg(beneficiary)
                          .arg(source.firstAge)
                          .arg(source.lastAge));
        }
        int &cell = table.tenths[size_t(owner - source.firstAge) * size_t(side) +
                                 size_t(beneficiary - source.firstAge)];
        if (cell != 0) {
            malformed(routine, source, lineNumber,
                      QStringLiteral("ages %1/%2 given twice").arg(owner).arg(beneficiary));
        }
        cell = parseTenths(routine, source, lineNumber, fields[2]);
    }
    if (lines.size() != std::size_t(side) * std::size_t(side)) {
        malformed(routine, source, 0,
                  QStringLiteral("%1 cells instead of %2").arg(lines.size()).arg(side * side));
    }
    return table;
}

// Each table is built on first use and never changes afterwards; function-local statics make
// the first use thread-safe, and a load that throws is retried by the next call (whose routine
// name then goes into the message).
const AgeTable &singleTable(Edition edition, const char *routine) {
    if (edition == Edition::Final2002) {
        static const AgeTable table = loadAgeTable(routine, kSingle2002);
        return table;
    }
    static const AgeTable table = loadAgeTable(routine, kSingle2001);
    return table;
}

const AgeTable &uniformTable(Edition edition, const char *routine) {
    if (edition == Edition::Final2002) {
        static const AgeTable table = loadAgeTable(routine, kUniform2002);
        return table;
    }
    static const AgeTable table = loadAgeTable(routine, kUniform2001);
    return table;
}

const JointTable &jointTable(Edition edition, const char *routine) {
    if (edition == Edition::Final2002) {
        static const JointTable table = loadJointTable(routine, kJoint2002);
        return table;
    }
    static const JointTable table = loadJointTable(routine, kJoint2001);
    return table;
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

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && QDate::isLeapYear(year))
        return 29;
    return kDays[month - 1];
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
    const int day = std::min(birthday, daysInMonth(year, month));
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
