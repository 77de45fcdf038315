#include "illustrationlisting.h"

#include "illustrationrecord.h"
#include "recordfile.h"

#include <QFile>

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

} // namespace

const std::array<const char *, GridColumn::Count> &GridCaptions() {
    static const std::array<const char *, GridColumn::Count> captions{
        "Name", "Illustration Date", "Type",  "Plan Type", "Plan Name",
        "Year", "Distribution",      "Record"};
    return captions;
}

Result<ListingCounts>
ScanListing(const RecordFile &records,
            const std::function<void(int record, const char *bytes)> &listed) {
    ListingCounts counts;
    if (Status error = records.checkIsFile())
        return {{}, error};
    QFile file(records.path());
    if (!file.exists())
        return {counts, std::nullopt};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
    const qint64 size = file.size();
    counts.recordCount = RecordFile::countForSize(size);
    // Enough records per read that the system calls cost nothing beside the copying.
    constexpr qint64 BlockLength = 256 * RecordFile::RecordLength;
    QByteArray block(BlockLength, Qt::Uninitialized);
    int number = 0;
    for (qint64 offset = 0; offset < size;) {
        // Whole records per block, so no record is split between two.
        const qint64 wanted = std::min(BlockLength, size - offset);
        qint64 length = 0;
        while (length < wanted) {
            const qint64 count = file.read(block.data() + length, wanted - length);
            if (count < 0)
                return {{}, fileError(file, QStringLiteral("Error Reading Database"))};
            if (count == 0) // the file was cut short since its size was taken
                break;
            length += count;
        }
        // Every record the file holds, a short one at its end included.
        for (qint64 at = 0; at < length; at += RecordFile::RecordLength) {
            const char *record = block.constData() + at;
            const RecordDamage damage = CheckRecord(
                record, std::min<qint64>(RecordFile::RecordLength, length - at), ++number);
            if (damage != RecordDamage::None) {
                counts.damaged.append({number, damage});
            } else if (isDeleted(record)) {
                ++counts.deleted;
            } else {
                ++counts.listed;
                listed(number, record);
            }
        }
        if (length < wanted)
            break;
        offset += length;
    }
    return {counts, std::nullopt};
}

QString GridCell(const char *record, int column) {
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
        return text(IllustrationRecord::recordNumberPlace());
    default:
        return QString();
    }
}

QString ListingTitle(int rows) {
    return QString::number(rows) + QStringLiteral(" Saved Illustrations");
}

Result<IllustrationListing> IllustrationListing::read(const RecordFile &records) {
    IllustrationListing listing;
    listing.m_listed.reserve(records.size());
    Result<ListingCounts> counts = ScanListing(records, [&listing](int record, const char *bytes) {
        listing.m_listed.append(bytes, RecordFile::RecordLength);
        listing.m_rows.append(record);
    });
    if (!counts.ok())
        return {{}, counts.error};
    listing.m_counts = std::move(counts.value);
    return {std::move(listing), std::nullopt};
}

int IllustrationListing::rowOf(int record) const {
    return int(m_rows.indexOf(record));
}

QByteArray IllustrationListing::recordBytes(int row) const {
    return m_listed.mid(qsizetype(row) * RecordFile::RecordLength, RecordFile::RecordLength);
}

QString IllustrationListing::cell(int row, int column) const {
    return GridCell(m_listed.constData() + qsizetype(row) * RecordFile::RecordLength, column);
}

QString IllustrationListing::title() const {
    return ListingTitle(rowCount());
}

GridButtons IllustrationListing::buttons() const {
    const bool any = rowCount() > 0;
    return {any, any, any, m_counts.deleted > 0, true};
}

int TypeAheadRow(const IllustrationListing &listing, const QString &buffer) {
    return TypeAheadRow(
        listing.rowCount(), [&listing](int row) { return listing.cell(row, GridColumn::Name); },
        buffer);
}

int TypeAheadRow(int rows, const std::function<QString(int row)> &name, const QString &buffer) {
    for (int row = 0; row < rows; ++row) {
        if (name(row).toUpper().left(buffer.size()) == buffer)
            return row;
    }
    return -1;
}

int TypeAheadSearch::type(QChar key, const IllustrationListing &listing) {
    m_buffer += key.toUpper();
    return TypeAheadRow(listing, m_buffer);
}

int TypeAheadSearch::type(QChar key, int rows, const std::function<QString(int row)> &name) {
    m_buffer += key.toUpper();
    return TypeAheadRow(rows, name, m_buffer);
}

int RowAfterDelete(int deletedRow, int rowCountAfter) {
    return std::min(deletedRow, rowCountAfter - 1);
}
