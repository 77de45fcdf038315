#pragma once

// The rows of the saved-illustrations grid as an item model: one row per active illustration,
// the eight columns with their captions as horizontal headers.

#include "illustrationlisting.h"

#include <QAbstractTableModel>

class SavedIllustrationsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The record number of a row, for the buttons that act on it.
    static constexpr int RecordRole = Qt::UserRole + 1;

    explicit SavedIllustrationsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setListing(IllustrationListing listing);
    const IllustrationListing &listing() const { return m_listing; }

private:
    IllustrationListing m_listing;
};
