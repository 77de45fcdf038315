#include "stretchreport.h"

#include "fieldformat.h"
#include "illustration.h"
#include "numbertext.h"
#include "rtftext.h"
#include "stretchtaxes.h"
#include "taxtables.h"

#include <cmath>

using namespace Projection;

namespace {

constexpr int LastLedgerRow = 119;

QString dollars(double wholeDollars) {
    return FormatDollars(QString::number(qint64(std::nearbyint(wholeDollars))));
}

// A rate or percentage to two decimals, halves to the even neighbour, digits as a number
// prints without its sign blank: 25, 6.85, 31.5. The rounding looks at the exact binary value
// (value x 100 is exact in long double), so a computed 20.865000000000002 goes up rather than
// being taken for a tie.
QString percent(double value) {
    const long double cents = std::nearbyint(static_cast<long double>(value) * 100);
    return NumberText::Str(double(cents / 100)).trimmed();
}

bool present(const QString &value) {
    return !value.trimmed().isEmpty();
}

// The report's values are RTF: plain text is escaped, and only what the system builds as RTF on
// purpose goes in with addRtf.
class ValueList {
public:
    void add(const char *name, const QString &value) { addRtf(name, RtfText::escape(value)); }
    void addRtf(const char *name, const QString &rtf) {
        m_values.append({QLatin1String(name), rtf});
    }
    void add(const char *name, qint64 number) { add(name, QString::number(number)); }
    void addScenario(const char *prefix, const TaxScenario &scenario) {
        const QString name = QStringLiteral("R-") + QLatin1String(prefix);
        for (const auto &[suffix, amount] :
             {std::pair{"TDist", scenario.distributions}, std::pair{"TFedTax", scenario.federalTax},
              std::pair{"TStateTax", scenario.stateTax},
              std::pair{"TAfterTax", scenario.afterTax()}})
            m_values.append({name + QLatin1String(suffix), dollars(amount)});
    }
    QList<ReportValue> take() { return std::move(m_values); }

private:
    QList<ReportValue> m_values;
};

void addTaxComparison(ValueList &values, const TaxComparison &taxes) {
    values.addScenario("Lump", taxes.lumpSum);
    values.add("LSF", percent(taxes.lumpSum.federalRate));
    values.add("LSS", percent(taxes.lumpSum.stateRate));
    values.add("LLT", percent(taxes.lumpSum.totalTaxPercent()));

    values.add("FSF", percent(taxes.fiveYear.federalRate));
    values.add("FSS", percent(taxes.fiveYear.stateRate));
    values.addScenario("Five", taxes.fiveYear);
    values.add("FLT", percent(taxes.fiveYear.totalTaxPercent()));

    values.add("RSF", percent(taxes.stretched.federalRate));
    values.add("RSS", percent(taxes.stretched.stateRate));
    values.addScenario("RMD", taxes.stretched);
    values.add("RLT", percent(taxes.stretched.totalTaxPercent()));
}

void addRepresentative(ValueList &values, const RepresentativeDetails &rep) {
    QString name = rep.first;
    if (present(rep.initial))
        name += QLatin1Char(' ') + rep.initial + QLatin1Char('.');
    if (present(rep.last))
        name += QLatin1Char(' ') + rep.last;
    values.add("R-AName", name);
    values.add("R-Agency", rep.agency.trimmed());
    values.add("R-AAddress", rep.address.trimmed());
    values.add("R-ACity", rep.city.trimmed());
    values.add("R-AStateCode", rep.state.trimmed());
    values.add("R-AZip", rep.zip.trimmed());
    QString phones = QStringLiteral("\\par ");
    for (const auto &[label, entry] :
         {std::pair{"Office: ", &rep.work}, std::pair{"Mobile: ", &rep.home},
          std::pair{"Fax: ", &rep.fax}, std::pair{"Email: ", &rep.email}}) {
        if (present(*entry))
            phones += QLatin1String(label) + RtfText::escape(*entry) + QStringLiteral(" \\par ");
    }
    values.addRtf("R-Aphone", phones);
}

QStringList conditions(const Illustration &illustration, const StretchProjection &projection,
                       const ReportPages &pages) {
    const bool inherited = projection.table.at(AllYears, Balance, projection.sle - 1) >= 1;
    const std::pair<const char *, bool> all[] = {
        {"CoverPage", pages.cover},
        {"WenmarkPage", pages.wenmark},
        {"TaxPage", pages.taxes && inherited},
        {"LedgerPages", pages.ledger},
        {"Graph0", pages.graph},
        // A page's closing page break, needed only when a later page follows.
        {"PWenmark", pages.wenmark && (pages.taxes || pages.ledger || pages.graph)},
        {"TPage", pages.taxes && (pages.ledger || pages.graph)},
        {"PLedger", pages.ledger && pages.graph},
        {"HasContributions",
         illustration.fields().cleanValue(QStringLiteral("6-StretchAcctCont")) > 0},
        {"HasSpouse", projection.spousePhase()},
        {"CurrentLaw", projection.currentLaw},
        {"TenYear", projection.tenYearRule},
    };
    QStringList names;
    for (const auto &[name, holds] : all) {
        if (holds)
            names.append(QLatin1String(name));
    }
    return names;
}

// Year, age (with the sign blank of a number printed as text) and the amount columns.
QString ledgerEntry(const ProjectionTable &table, int phase, int year,
                    std::initializer_list<int> columns) {
    QStringList parts{QString::number(table.at(phase, Year, year)),
                      NumberText::Str(table.at(phase, Age, year))};
    for (const int column : columns)
        parts.append(FormatAmount(QString::number(table.at(phase, column, year))));
    return parts.join(QLatin1Char('~'));
}

// Rows first to last of a phase, a spacer before every row after the first whose number ends
// in the digit `spacerDigit`. `stopAtEmpty` ends the table after the row that empties the
// account.
QStringList ledgerRows(const ProjectionTable &table, int phase, int first, int last,
                       int spacerDigit, bool stopAtEmpty, std::initializer_list<int> columns) {
    QStringList entries;
    for (int year = first; year <= last; ++year) {
        if (year > first && year % 10 == spacerDigit)
            entries.append(QString());
        entries.append(ledgerEntry(table, phase, year, columns));
        if (stopAtEmpty && table.at(phase, Balance, year) < 1)
            break;
    }
    return entries;
}

} // namespace

double RoundedFutureIncome(double total) {
    const double step = total > 10'000'000 ? 10'000 : (total < 1'000'001 ? 100 : 1'000);
    return std::nearbyint(total / step) * step;
}

QList<LedgerTable> StretchLedgers(const StretchProjection &projection, bool contributions) {
    const ProjectionTable &table = projection.table;
    const std::initializer_list<int> amounts{Distribution, Accumulated, Balance};
    const std::initializer_list<int> withContributions{Contributions, Distribution, Accumulated,
                                                       Balance};
    const auto &own = contributions ? withContributions : amounts;
    const QString variant = contributions ? QStringLiteral("0") : QStringLiteral("1");
    // The beneficiary's rows end with the year that empties the account; the rows after it
    // hold nothing and are never listed.
    const int lastRow = std::min(projection.blast, LastLedgerRow);

    QList<LedgerTable> tables;
    tables.append({QStringLiteral("PLANHOLDER") + variant,
                   ledgerRows(table, Planholder, 0, projection.ple - 1, 0, false, own)});
    if (projection.spousePhase())
        tables.append(
            {QStringLiteral("SPOUSE"), ledgerRows(table, Spouse, projection.ple, projection.sle - 1,
                                                  projection.ple % 10, false, amounts)});
    tables.append({QStringLiteral("BENE"), ledgerRows(table, Beneficiary, projection.sle, lastRow,
                                                      projection.sle % 10, true, amounts)});
    tables.append({QStringLiteral("ALLYEARS") + variant,
                   ledgerRows(table, AllYears, 0, lastRow, 0, true, own)});
    return tables;
}

StretchReportData BuildStretchReport(const Illustration &illustration, const StretchInputs &inputs,
                                     const StretchProjection &projection, const ReportPages &pages,
                                     const RepresentativeDetails &representative,
                                     const QDate &today) {
    const ProjectionTable &table = projection.table;
    const int ple = projection.ple;
    const int sle = projection.sle;
    ValueList values;

    values.add("R-PHName", inputs.planholderName);
    values.add("R-PHDOB", FormatLongDate(FieldText(illustration, "7-StretchPDOB")));
    values.add("R-SpouseName", inputs.spouseName);
    values.add("R-SpouseDOB", FormatLongDate(FieldText(illustration, "7-StretchSDOB")));
    values.add("R-BeneName", inputs.beneficiaryName);
    values.add("R-BeneDOB", FormatLongDate(FieldText(illustration, "7-StretchBDOB")));
    values.add("R-AccountValue",
               FormatDollars(CleanNumber(FieldText(illustration, "6-StretchAcctValue"))));
    values.add("R-AnnCont",
               FormatDollars(CleanNumber(FieldText(illustration, "6-StretchAcctCont"))));
    values.add("R-CY", FieldText(illustration, "2-StretchContYrs"));
    values.add("R-PlanName", inputs.planName);
    values.add("x.xx%", FieldText(illustration, "1-StretchROR"));
    values.add("XY", projection.last);
    if (!projection.spousePhase()) {
        values.add("R-BeneAccount", dollars(double(table.at(Planholder, Balance, sle - 1))));
        values.add("R-Bene0Name", inputs.beneficiaryName);
    } else {
        values.add("R-SpouseAccount", dollars(double(table.at(Planholder, Balance, ple - 1))));
        values.add("R-BeneAccount", dollars(double(table.at(Spouse, Balance, sle - 1))));
        values.add("R-Bene0Name", inputs.spouseName);
    }
    values.add("R-PHX", ple);
    values.add("R-SHX", sle);
    values.add("R-BHX", projection.blast);
    values.add("PHStart", table.at(Planholder, Year, 0));
    values.add("PHEnd", table.at(Planholder, Year, ple - 1));
    values.add("SHStart", table.at(Spouse, Year, ple));
    values.add("SHEnd", table.at(Spouse, Year, sle - 1));
    values.add("BHStart", table.at(Beneficiary, Year, sle));
    values.add("BHEnd", table.at(Beneficiary, Year, projection.blast));
    const double assets =
        std::nearbyint(illustration.fields().cleanValue(QStringLiteral("6-StretchAcctValue")) +
                       illustration.fields().cleanValue(QStringLiteral("6-StretchAcctCont")));
    if (assets > 0)
        values.add("R-PlanAssets", dollars(assets));
    values.add("R-FutureInc", dollars(RoundedFutureIncome(
                                  double(table.at(AllYears, Accumulated, projection.last)))));
    values.add("S^", TaxTables::stateName(illustration.controls().cmboState.toUpper()));

    const auto taxes = CompareTaxes(
        projection,
        {illustration.controls().cmboState, illustration.controls().chkRoth,
         illustration.fields().cleanValue(QStringLiteral("1-StretchROR")), today.year()});
    if (taxes)
        addTaxComparison(values, *taxes);

    addRepresentative(values, representative);
    values.add("R-IllustrationDate", FormatLongDate(FieldText(illustration, "6-IllustrationDate")));

    return {values.take(), conditions(illustration, projection, pages),
            StretchLedgers(projection, illustration.fields().cleanValue(
                                           QStringLiteral("6-StretchAcctCont")) > 0)};
}
