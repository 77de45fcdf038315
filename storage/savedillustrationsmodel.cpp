#include "savedillustrationsmodel.h"

SavedIllustrationsModel::SavedIllustrationsModel(QObject *parent) : QAbstractTableModel(parent) {}

int SavedIllustrationsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_listing.rowCount();
}

int SavedIllustrationsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(GridColumn::Count);
}

QVariant SavedIllustrationsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return m_listing.cell(index.row(), index.column());
    if (role == RecordRole)
        return m_listing.recordNumber(index.row());
    return {};
}

QVariant SavedIllustrationsModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= int(GridColumn::Count))
        return {};
    return QLatin1String(GridCaptions()[std::size_t(section)]);
}

void SavedIllustrationsModel::setListing(IllustrationListing listing) {
    beginResetModel();
    m_listing = std::move(listing);
    endResetModel();
}
