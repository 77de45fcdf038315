#include "illustrationlisting.h"

#include "illustrationrecord.h"
#include "recordfile.h"

namespace {

using IllustrationRecord::fieldText;

FieldPlace placeOf(const char *tag) {
    return *IllustrationRecord::place(QLatin1String(tag));
}

enum class YearSource { Whole, LastFour };

// What the grid shows for each calculator.
struct CalculatorColumns {
    const char *type;
    FieldPlace first;
    FieldPlace middle;
    FieldPlace last;
    FieldPlace planName;
    std::optional<FieldPlace> planType; // else "IRA"
    FieldPlace year;
    YearSource yearSource;
    bool distribution;
};

const std::array<CalculatorColumns, 4> &calculatorColumns() {
    static const std::array<CalculatorColumns, 4> columns{{
        {"RMD", placeOf("8-PartFirst"), placeOf("8-PartMiddle"), placeOf("8-PartLast"),
         placeOf("8-PlanName0"), IllustrationRecord::PlanType0, placeOf("3-Year0"),
         YearSource::Whole, true},
        {"RMBD", placeOf("8-BeneFirst"), placeOf("8-BeneMiddle"), placeOf("8-BeneLast"),
         placeOf("8-PlanName1"), IllustrationRecord::PlanType1, placeOf("3-Year1"),
         YearSource::Whole, true},
        {"SEPP", placeOf("8-EqualFirst"), placeOf("8-EqualMiddle"), placeOf("8-EqualLast"),
         placeOf("8-EqualPlanName"), std::nullopt, placeOf("7-EqualDate"), YearSource::LastFour,
         true},
        {"Stretch", placeOf("8-StretchPFirst"), placeOf("8-StretchPMiddle"),
         placeOf("8-StretchPLast"), placeOf("8-StretchPlanName"), std::nullopt,
         placeOf("6-IllustrationDate"), YearSource::LastFour, false},
    }};
    return columns;
}

const FieldPlace DatePlace = placeOf("6-IllustrationDate");
const FieldPlace AmountPlace = placeOf("6-RMD_Amt");
const FieldPlace RecordNumberPlace = placeOf("3-DatabaseIndex");

} // namespace

const std::array<const char *, GridColumn::Count> &GridCaptions() {
    static const std::array<const char *, GridColumn::Count> captions{
        "Name", "Illustration Date", "Type",  "Plan Type", "Plan Name",
        "Year", "Distribution",      "Record"};
    return captions;
}

Result<IllustrationListing> IllustrationListing::read(const RecordFile &records) {
    Result<QByteArray> image = records.readAll();
    if (!image.ok())
        return {{}, image.error};
    IllustrationListing listing;
    listing.m_image = std::move(image.value);
    const char *data = listing.m_image.constData();
    const qsizetype size = listing.m_image.size();
    listing.m_recordCount = RecordFile::countForSize(size);
    // Every record the file holds, a short one at its end included.
    const int chunks = int((size + RecordFile::RecordLength - 1) / RecordFile::RecordLength);
    listing.m_rows.reserve(chunks);
    for (int index = 0; index < chunks; ++index) {
        const qsizetype offset = qsizetype(index) * RecordFile::RecordLength;
        const qsizetype length = std::min<qsizetype>(RecordFile::RecordLength, size - offset);
        const RecordDamage damage = CheckRecord(data + offset, length, index + 1);
        if (damage != RecordDamage::None)
            listing.m_damaged.append({index + 1, damage});
        else if (isDeleted(data + offset))
            ++listing.m_deletedCount;
        else
            listing.m_rows.append(index + 1);
    }
    return {std::move(listing), std::nullopt};
}

int IllustrationListing::rowOf(int record) const {
    return int(m_rows.indexOf(record));
}

QByteArray IllustrationListing::recordBytes(int row) const {
    return m_image.mid(qsizetype(m_rows.at(row) - 1) * RecordFile::RecordLength,
                       RecordFile::RecordLength);
}

QString IllustrationListing::cell(int row, int column) const {
    return RecordCell(
        m_image.constData() + qsizetype(m_rows.at(row) - 1) * RecordFile::RecordLength, column);
}

QString RecordCell(const char *record, int column) {
    const qsizetype size = RecordFile::RecordLength;
    const CalculatorColumns &columns = calculatorColumns()[std::size_t(record[1] - '0')];
    const auto text = [&](FieldPlace place) { return fieldText(record, size, place); };
    switch (column) {
    case GridColumn::Name: {
        // Last name first: "Sample, Jane Q"; an empty last name leaves a leading blank.
        QString name = text(columns.last);
        if (!name.isEmpty())
            name += QLatin1Char(',');
        for (const FieldPlace &part : {columns.first, columns.middle}) {
            const QString value = text(part);
            if (!value.isEmpty())
                name += QLatin1Char(' ') + value;
        }
        return name;
    }
    case GridColumn::IllustrationDate:
        return text(DatePlace);
    case GridColumn::Type:
        return QLatin1String(columns.type);
    case GridColumn::PlanType:
        return columns.planType ? text(*columns.planType) : QStringLiteral("IRA");
    case GridColumn::PlanName:
        return text(columns.planName);
    case GridColumn::Year: {
        const QString year = text(columns.year);
        return columns.yearSource == YearSource::LastFour ? year.right(4) : year;
    }
    case GridColumn::Distribution:
        return columns.distribution ? text(AmountPlace) : QString();
    case GridColumn::Record:
        return text(RecordNumberPlace);
    default:
        return QString();
    }
}

QString IllustrationListing::title() const {
    return QString::number(rowCount()) + QStringLiteral(" Saved Illustrations");
}

GridButtons IllustrationListing::buttons() const {
    const bool any = rowCount() > 0;
    return {any, any, any, m_deletedCount > 0, true};
}

int TypeAheadRow(const IllustrationListing &listing, const QString &buffer) {
    for (int row = 0; row < listing.rowCount(); ++row) {
        if (listing.cell(row, GridColumn::Name).toUpper().left(buffer.size()) == buffer)
            return row;
    }
    return -1;
}

int TypeAheadSearch::type(QChar key, const IllustrationListing &listing) {
    m_buffer += key.toUpper();
    return TypeAheadRow(listing, m_buffer);
}

int RowAfterDelete(int deletedRow, int rowCountAfter) {
    return std::min(deletedRow, rowCountAfter - 1);
}
