#include "qt/windows/pricing/PageListModel.h"

#include <utility>

namespace hvx {

PageListModel::PageListModel(QStringList headers, std::set<int> numberColumns, Count count,
                             Cell cell, QObject* parent)
    : QAbstractTableModel(parent),
      headers_(std::move(headers)),
      numberColumns_(std::move(numberColumns)),
      count_(std::move(count)),
      cell_(std::move(cell)) {}

void PageListModel::Reload() {
    beginResetModel();
    endResetModel();
}

int PageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(count_());
}

int PageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant PageListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(cell_(static_cast<std::size_t>(index.row()), index.column()));
    if (role == Qt::TextAlignmentRole && numberColumns_.count(index.column()))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size())
        return headers_[section];
    return {};
}

}  // namespace hvx
