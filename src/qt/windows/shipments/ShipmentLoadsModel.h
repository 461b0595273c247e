#pragma once
// The loads grid as an item model over the window controller's batch: it
// reads each cell from the controller when asked and keeps no rows itself.
#include <QAbstractTableModel>

namespace hvx::shipments {
class DirectShipmentBatch;
}

namespace hvx {

class ShipmentLoadsModel : public QAbstractTableModel {
public:
    explicit ShipmentLoadsModel(const shipments::DirectShipmentBatch& batch,
                                QObject* parent = nullptr)
        : QAbstractTableModel(parent), batch_(batch) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The batch changed: every row is read again.
    void Reload();

private:
    const shipments::DirectShipmentBatch& batch_;
};

}  // namespace hvx
