#include "taxtables.h"

#include "csvtable.h"
#include "errornumber.h"
#include "fatalerror.h"

#include <QHash>
#include <QMap>
#include <QStringList>

// Q_INIT_RESOURCE has to be expanded at global namespace scope. planning is a static library,
// so without this reference the linker would drop the compiled-in tables.
static void registerTaxTableResources() {
    Q_INIT_RESOURCE(taxtables);
}

namespace {

constexpr const char *kRoutine = "CalcTax";
constexpr int kStateYear = 2013;

QString resourcePath(const char *file) {
    return QStringLiteral(":/tax/") + QLatin1String(file);
}

[[noreturn]] void malformed(const char *file, int lineNumber, const QString &what) {
    CsvTable::damaged(QStringLiteral("Tax table"), resourcePath(file), QLatin1String(kRoutine),
                      lineNumber, what);
}

// A table's records after its header, which must read exactly as expected. Element i is the
// record on line i + 2.
QList<QStringList> readTable(const char *file, const char *header) {
    static const bool registered = (registerTaxTableResources(), true);
    Q_UNUSED(registered);

    const CsvTable table(resourcePath(file), QStringLiteral("Tax table"), QLatin1String(kRoutine),
                         header);
    const auto columns = std::size_t(QByteArrayView(header).count(',') + 1);
    QList<QStringList> records;
    records.reserve(table.size());
    for (qsizetype i = 0; i < table.size(); ++i) {
        QStringList &record = records.emplace_back();
        for (const QByteArrayView field : table.fields(i, columns))
            record.append(QString::fromUtf8(field));
    }
    return records;
}

double number(const char *file, int lineNumber, const QString &text, bool emptyIsZero = false) {
    if (emptyIsZero && text.isEmpty())
        return 0;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value < 0)
        malformed(file, lineNumber, QStringLiteral("bad amount \"%1\"").arg(text));
    return value;
}

int statusIndex(const QString &name) {
    if (name == QLatin1String("single"))
        return 0;
    if (name == QLatin1String("mfj"))
        return 1;
    if (name == QLatin1String("mfs"))
        return 2;
    return name == QLatin1String("hoh") ? -1 : -2;
}

// Adds one bracket row; rows must come in order 1, 2, 3... with rising thresholds and the
// first at 0.
void addBracket(RateSchedule &schedule, const char *file, int lineNumber,
                const QString &bracketNumber, double threshold, double rate) {
    const int expected = int(schedule.brackets.size()) + 1;
    if (bracketNumber != QString::number(expected))
        malformed(file, lineNumber,
                  QStringLiteral("bracket %1 where %2 belongs").arg(bracketNumber).arg(expected));
    if (expected > TaxTables::MaximumBrackets)
        malformed(file, lineNumber, QStringLiteral("more than 14 brackets"));
    if (expected == 1 && threshold != 0)
        malformed(file, lineNumber, QStringLiteral("first bracket does not start at 0"));
    if (expected > 1 && threshold <= schedule.brackets.back().threshold)
        malformed(file, lineNumber, QStringLiteral("thresholds do not rise"));
    Bracket bracket{threshold, rate, 0};
    if (expected > 1) {
        const Bracket &below = schedule.brackets.back();
        bracket.base = below.base + (threshold - below.threshold) * below.rate / 100;
    }
    schedule.brackets.push_back(bracket);
}

struct TaxData {
    QMap<int, std::array<RateSchedule, 3>> federal;
    QMap<int, double> exemptions;
    QHash<QString, StateRule> states;
    QHash<QString, QString> names;
};

void loadFederal(TaxData &data) {
    const char *file = "federal_brackets.csv";
    const auto records =
        readTable(file, "year,filing_status,bracket_no,lower_threshold,rate_percent");
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList &r = records.at(i);
        const int line = int(i) + 2;
        const int year = int(number(file, line, r.at(0)));
        const int status = statusIndex(r.at(1));
        if (status == -2)
            malformed(file, line, QStringLiteral("unknown filing status \"%1\"").arg(r.at(1)));
        if (status < 0)
            continue;
        addBracket(data.federal[year][std::size_t(status)], file, line, r.at(2),
                   number(file, line, r.at(3)), number(file, line, r.at(4)));
    }
    for (auto it = data.federal.cbegin(); it != data.federal.cend(); ++it) {
        for (const RateSchedule &schedule : it.value()) {
            if (schedule.brackets.empty())
                malformed(file, 0,
                          QStringLiteral("a filing status of %1 is missing").arg(it.key()));
        }
    }

    const char *exemptions = "federal_exemptions.csv";
    const auto amounts = readTable(exemptions, "year,amount");
    for (qsizetype i = 0; i < amounts.size(); ++i)
        data.exemptions.insert(int(number(exemptions, int(i) + 2, amounts.at(i).at(0))),
                               number(exemptions, int(i) + 2, amounts.at(i).at(1)));
}

FederalTaxDeduction deduction(const char *file, int line, const QString &text) {
    if (text == QLatin1String("yes"))
        return FederalTaxDeduction::Full;
    if (text == QLatin1String("capped"))
        return FederalTaxDeduction::Capped;
    if (text == QLatin1String("no"))
        return FederalTaxDeduction::None;
    malformed(file, line, QStringLiteral("federal_tax_deductible \"%1\"").arg(text));
}

void loadStates(TaxData &data) {
    const char *rulesFile = "state_rules.csv";
    const auto rules = readTable(
        rulesFile, "year,state,personal_exemption_single,personal_exemption_joint,"
                   "exemption_per_dependent,personal_credit_single,personal_credit_joint,"
                   "standard_deduction_single,standard_deduction_joint,federal_tax_deductible,"
                   "notes");
    for (qsizetype i = 0; i < rules.size(); ++i) {
        const QStringList &r = rules.at(i);
        const int line = int(i) + 2;
        if (r.at(0) != QString::number(kStateYear))
            malformed(rulesFile, line, QStringLiteral("year %1 is not 2013").arg(r.at(0)));
        StateRule rule;
        rule.code = r.at(1);
        rule.exemptionSingle = number(rulesFile, line, r.at(2));
        rule.exemptionJoint = number(rulesFile, line, r.at(3));
        rule.perDependent = number(rulesFile, line, r.at(4));
        rule.creditSingle = number(rulesFile, line, r.at(5));
        rule.creditJoint = number(rulesFile, line, r.at(6));
        // Wisconsin's 2013 standard deduction table was not found; its cells are empty.
        rule.standardSingle = number(rulesFile, line, r.at(7), true);
        rule.standardJoint = number(rulesFile, line, r.at(8), true);
        rule.federalDeduction = deduction(rulesFile, line, r.at(9));
        if (data.states.contains(rule.code))
            malformed(rulesFile, line, QStringLiteral("%1 given twice").arg(rule.code));
        data.states.insert(rule.code, rule);
    }

    const char *capsFile = "state_federal_tax_caps.csv";
    const auto caps = readTable(capsFile, "year,state,cap_single,cap_joint,cap_separate,"
                                          "phaseout_start_single,phaseout_end_single,"
                                          "phaseout_start_joint,phaseout_end_joint");
    for (qsizetype i = 0; i < caps.size(); ++i) {
        const QStringList &r = caps.at(i);
        const int line = int(i) + 2;
        const auto rule = data.states.find(r.at(1));
        if (rule == data.states.end() || rule->federalDeduction != FederalTaxDeduction::Capped)
            malformed(capsFile, line, QStringLiteral("%1 has no capped deduction").arg(r.at(1)));
        for (int k = 0; k < 3; ++k)
            rule->cap[std::size_t(k)] = number(capsFile, line, r.at(2 + k));
        rule->phaseOutSingle = {number(capsFile, line, r.at(5)), number(capsFile, line, r.at(6))};
        rule->phaseOutJoint = {number(capsFile, line, r.at(7)), number(capsFile, line, r.at(8))};
    }

    const char *bracketsFile = "state_brackets.csv";
    const auto brackets =
        readTable(bracketsFile, "year,state,filing_status,bracket_no,lower_threshold,rate_percent");
    for (qsizetype i = 0; i < brackets.size(); ++i) {
        const QStringList &r = brackets.at(i);
        const int line = int(i) + 2;
        const auto rule = data.states.find(r.at(1));
        if (rule == data.states.end())
            malformed(bracketsFile, line, QStringLiteral("%1 has no rules").arg(r.at(1)));
        const int status = statusIndex(r.at(2));
        if (status == -2)
            malformed(bracketsFile, line,
                      QStringLiteral("unknown filing status \"%1\"").arg(r.at(2)));
        if (status < 0)
            continue;
        addBracket(rule->schedules[std::size_t(status)], bracketsFile, line, r.at(3),
                   number(bracketsFile, line, r.at(4)), number(bracketsFile, line, r.at(5)));
    }
    for (const StateRule &rule : std::as_const(data.states)) {
        for (const RateSchedule &schedule : rule.schedules) {
            if (schedule.brackets.empty())
                malformed(bracketsFile, 0, QStringLiteral("%1 lacks a schedule").arg(rule.code));
        }
        if (rule.federalDeduction == FederalTaxDeduction::Capped && rule.cap[0] == 0)
            malformed(capsFile, 0, QStringLiteral("%1 has no limit").arg(rule.code));
    }

    const char *namesFile = "state_names.csv";
    const auto names = readTable(namesFile, "code,name");
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!data.states.contains(names.at(i).at(0)))
            malformed(namesFile, int(i) + 2,
                      QStringLiteral("%1 has no rules").arg(names.at(i).at(0)));
        data.names.insert(names.at(i).at(0), names.at(i).at(1));
    }
    if (data.names.size() != data.states.size())
        malformed(
            namesFile, 0,
            QStringLiteral("%1 names for %2 codes").arg(data.names.size()).arg(data.states.size()));
}

// Built on first use and never changed afterwards.
const TaxData &taxData() {
    static const TaxData data = [] {
        TaxData loaded;
        loadFederal(loaded);
        loadStates(loaded);
        return loaded;
    }();
    return data;
}

} // namespace

namespace TaxTables {

const RateSchedule &federalSchedule(int year, FilingStatus status) {
    const auto &federal = taxData().federal;
    const auto it = federal.constFind(year);
    const int index = int(status) - 1;
    if (it == federal.cend() || index < 0 || index > 2)
        throw FatalError(QLatin1String(kRoutine), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("No federal schedule for %1, filing status %2")
                             .arg(year)
                             .arg(int(status)));
    return it.value()[std::size_t(index)];
}

double federalExemption(int year) {
    const auto &exemptions = taxData().exemptions;
    const auto it = exemptions.constFind(year);
    if (it == exemptions.cend())
        throw FatalError(QLatin1String(kRoutine), ErrorNumber::InvalidProcedureCall,
                         QStringLiteral("No federal exemption amount for %1").arg(year));
    return it.value();
}

const StateRule *stateRule(const QString &code) {
    const auto &states = taxData().states;
    const auto it = states.constFind(code);
    return it == states.cend() ? nullptr : &it.value();
}

QString stateName(const QString &code) {
    return taxData().names.value(code);
}

} // namespace TaxTables
