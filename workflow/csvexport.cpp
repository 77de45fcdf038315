#include "csvexport.h"

#include "fieldformat.h"
#include "illustration.h"
#include "seppcalculator.h"
#include "sepppresenter.h"
#include "stretchcalculator.h"

#include <algorithm>
#include <array>

namespace {

bool needsQuotes(const QString &cell) {
    return cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) ||
           cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'));
}

bool looksLikeFormula(const QString &cell) {
    return !cell.isEmpty() && QStringLiteral("=+-@").contains(cell.front());
}

struct LedgerPhase {
    Projection::Phase phase;
    const char *name;
};

constexpr std::array<LedgerPhase, 3> LedgerPhases{{{Projection::Planholder, "Planholder"},
                                                   {Projection::Spouse, "Spouse"},
                                                   {Projection::Beneficiary, "Beneficiary"}}};

// The seven options in the SEPP tab's order: the method, the life table (the mortality table
// of the annuity factor for the annuitization method) and which factor it divides by.
struct SeppOption {
    const char *method;
    const char *table;
    int factor; // index into SeppResult::factors; -1 the annuity factor
};

constexpr std::array<SeppOption, 7> SeppOptions{{
    {"Required Minimum Distribution", "Single Life", 0},
    {"Required Minimum Distribution", "Uniform Lifetime", 1},
    {"Required Minimum Distribution", "Joint and Last Survivor", 2},
    {"Fixed Amortization", "Single Life", 0},
    {"Fixed Amortization", "Uniform Lifetime", 1},
    {"Fixed Amortization", "Joint and Last Survivor", 2},
    {"Fixed Annuitization", "Mortality table (annuity factor)", -1},
}};

} // namespace

QByteArray CsvRecord(const QStringList &cells, const QList<bool> &numeric) {
    QString line;
    for (qsizetype index = 0; index < cells.size(); ++index) {
        QString cell = cells.at(index);
        if (index > 0)
            line += QLatin1Char(',');
        if (!numeric.value(index) && looksLikeFormula(cell))
            cell.prepend(QLatin1Char('\''));
        if (needsQuotes(cell))
            line += QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                    QLatin1Char('"');
        else
            line += cell;
    }
    return line.toUtf8() + "\r\n";
}

CsvFile::CsvFile(const QString &path) : m_file(path) {}

bool CsvFile::open(const QStringList &header) {
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    return m_file.write("\xEF\xBB\xBF") == 3 && write(header);
}

bool CsvFile::write(const QStringList &cells, const QList<bool> &numeric) {
    const QByteArray record = CsvRecord(cells, numeric);
    return m_file.write(record) == record.size();
}

bool CsvFile::commit() {
    return m_file.commit();
}

QString CsvFile::error() const {
    return QStringLiteral("%1: %2").arg(m_file.fileName(), m_file.errorString());
}

CsvTableText StretchLedgerTable(const StretchProjection &projection) {
    using namespace Projection;
    CsvTableText table{{QStringLiteral("Year"), QStringLiteral("Phase"), QStringLiteral("Age"),
                        QStringLiteral("Contributions"), QStringLiteral("Distribution"),
                        QStringLiteral("Total Distributions"), QStringLiteral("Balance")},
                       {},
                       {true, false, true, true, true, true, true}};
    // The ledger pages' year ranges: the planholder's years, the spouse's, then the
    // beneficiary's up to the year that empties the account.
    const std::array<std::pair<int, int>, 3> ranges{
        {{0, projection.ple - 1},
         {projection.ple, projection.sle - 1},
         {projection.sle, std::min(projection.blast, Years - 1)}}};
    for (std::size_t index = 0; index < LedgerPhases.size(); ++index) {
        const int phase = LedgerPhases[index].phase;
        for (int year = ranges[index].first; year <= ranges[index].second; ++year) {
            const auto cell = [&](int column) {
                return QString::number(projection.table.at(phase, column, year));
            };
            table.rows.append({cell(Year), QLatin1String(LedgerPhases[index].name), cell(Age),
                               cell(Contributions), cell(Distribution), cell(Accumulated),
                               cell(Balance)});
        }
    }
    return table;
}

CsvTableText SeppOptionsTable(const Illustration &illustration) {
    const SeppResult result = ComputeSepp(illustration);
    CsvTableText table{{QStringLiteral("Method"), QStringLiteral("Table"), QStringLiteral("Factor"),
                        QStringLiteral("Amount")},
                       {},
                       {false, false, true, true}};
    // The amounts as the tab shows them: an option the inputs rule out (the joint table
    // without a beneficiary) has no factor and a zero amount.
    for (std::size_t index = 0; index < SeppOptions.size(); ++index) {
        const SeppOption &option = SeppOptions[index];
        const EqualPaymentOption &shown = illustration.seppTab().options[index];
        const float factor =
            option.factor < 0 ? result.annuityFactor : result.factors[std::size_t(option.factor)];
        table.rows.append({QLatin1String(option.method), QLatin1String(option.table),
                           shown.enabled ? QString::number(double(factor), 'f', 4) : QString(),
                           CleanNumber(shown.amount)});
    }
    return table;
}

std::optional<CsvTableText> SpreadsheetTable(const Illustration &illustration,
                                             const CalculationResult &result) {
    if (illustration.calculator() == Calculator::Sepp)
        return SeppOptionsTable(illustration);
    if (illustration.calculator() == Calculator::Stretch && result.projection)
        return StretchLedgerTable(*result.projection);
    return std::nullopt;
}

QString WriteCsvTable(const QString &path, const CsvTableText &table) {
    CsvFile file(path);
    bool written = file.open(table.header);
    for (const QStringList &row : table.rows) {
        if (!written)
            break;
        written = file.write(row, table.numeric);
    }
    if (!written || !file.commit())
        return file.error();
    return QString();
}
