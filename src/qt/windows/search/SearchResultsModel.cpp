#include "qt/windows/search/SearchResultsModel.h"

#include <QColor>

namespace hvx {

using search::kCellPicture;
using search::kSearchCellCount;

SearchResultsModel::SearchResultsModel(const search::SearchResults& results,
                                       QPixmap byDestination, QPixmap bySource, QObject* parent)
    : QAbstractTableModel(parent),
      results_(results),
      byDestination_(std::move(byDestination)),
      bySource_(std::move(bySource)) {}

void SearchResultsModel::Sync() {
    const int size = static_cast<int>(results_.Size());
    if (size < shown_) return Reset();
    if (size == shown_) return;
    beginInsertRows({}, shown_, size - 1);
    shown_ = size;
    endInsertRows();
}

void SearchResultsModel::Reset() {
    beginResetModel();
    shown_ = static_cast<int>(results_.Size());
    endResetModel();
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

// Column c shows cell c + 1: the picture is the row heading.
int SearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSearchCellCount - 1;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    const int cell = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(results_.Cell(static_cast<std::size_t>(index.row()), cell));
        case Qt::ForegroundRole:
            if (results_.Highlighted(static_cast<std::size_t>(index.row())) == cell)
                return QColor(Qt::red);
            return {};
        case Qt::TextAlignmentRole:
            if (search::SearchCells()[cell].attribute == 128)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        default:
            return {};
    }
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role != Qt::DisplayRole || section < 0 || section >= kSearchCellCount - 1) return {};
        return QString::fromUtf8(search::SearchCells()[section + 1].title.data(),
                                 static_cast<int>(search::SearchCells()[section + 1].title.size()));
    }
    if (role != Qt::DecorationRole || section < 0 || section >= shown_) return {};
    return results_.Cell(static_cast<std::size_t>(section), kCellPicture) == "SGRP1" ? byDestination_
                                                                                     : bySource_;
}

}  // namespace hvx
