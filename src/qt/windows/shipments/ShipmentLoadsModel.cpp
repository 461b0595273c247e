#include "qt/windows/shipments/ShipmentLoadsModel.h"

#include "shipments/DirectShipmentBatch.h"
#include "windows/shipments/ShipmentLoadsGrid.h"

namespace hvx {

int ShipmentLoadsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(batch_.Loads().size());
}

int ShipmentLoadsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shipwin::kGridColumnCount);
}

QVariant ShipmentLoadsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return QString::fromStdString(shipwin::GridCell(batch_.Loads()[index.row()], index.column()));
}

QVariant ShipmentLoadsModel::headerData(int section, Qt::Orientation orientation,
                                        int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const std::string_view title = shipwin::kGridColumns[std::size_t(section)];
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

void ShipmentLoadsModel::Reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace hvx
