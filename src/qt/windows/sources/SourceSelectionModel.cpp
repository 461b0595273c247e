#include "qt/windows/sources/SourceSelectionModel.h"

#include <QApplication>
#include <QPalette>

namespace hvx {

void SourceSelectionModel::SetController(SourceSelectionController* controller) {
    beginResetModel();
    controller_ = controller;
    endResetModel();
}

void SourceSelectionModel::Reload() {
    beginResetModel();
    endResetModel();
}

bool SourceSelectionModel::Toggle(int row) {
    if (!controller_ || row < 0 || row >= rowCount()) return false;
    const std::size_t before = controller_->Rows().size();
    controller_->Check(static_cast<std::size_t>(row), !controller_->Rows()[row].checked);
    const bool narrowed = controller_->Rows().size() != before;
    if (narrowed)
        Reload();
    else
        emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
    emit CheckedChanged();
    return narrowed;
}

int SourceSelectionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !controller_ ? 0 : static_cast<int>(controller_->Rows().size());
}

int SourceSelectionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !controller_ ? 0 : static_cast<int>(controller_->Columns().size()) + 1;
}

QVariant SourceSelectionModel::data(const QModelIndex& index, int role) const {
    if (!controller_ || !index.isValid()) return {};
    const SourceRow& row = controller_->Rows()[index.row()];
    if (index.column() == 0)
        return role == Qt::CheckStateRole ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    const int column = index.column() - 1;
    const SourceColumn& c = controller_->Columns()[column];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row.cells[column]);
    case Qt::TextAlignmentRole:
        return column == static_cast<int>(SourceSelectionGrid::kUnitsColumn) || c.detail
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    case Qt::ForegroundRole:
        // Reference columns stand back from what the clerk chooses by.
        return c.detail ? QVariant(QApplication::palette().color(QPalette::PlaceholderText))
                        : QVariant();
    default:
        return {};
    }
}

QVariant SourceSelectionModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (!controller_ || orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QString();
    const std::string_view title = controller_->Columns()[section - 1].title;
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

Qt::ItemFlags SourceSelectionModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool SourceSelectionModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!controller_ || role != Qt::CheckStateRole || index.column() != 0) return false;
    const bool on = value.value<Qt::CheckState>() == Qt::Checked;
    if (controller_->Rows()[index.row()].checked != on) Toggle(index.row());
    return true;
}

}  // namespace hvx
