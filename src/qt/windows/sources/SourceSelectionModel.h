#pragma once
// The source selection list as a table model: a check box column, then the
// controller's columns. Checking goes to the controller, which may take rows
// of other commodities out of the list; the model then shows the list anew.
#include <QAbstractTableModel>

#include "windows/sources/SourceSelectionController.h"

namespace hvx {

class SourceSelectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SourceSelectionModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetController(SourceSelectionController* controller);
    // The controller's rows shown again after it changed them.
    void Reload();
    // Checks or unchecks a row; true when the list lost rows by it.
    bool Toggle(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The checked rows changed: the totals are shown again.
    void CheckedChanged();

private:
    SourceSelectionController* controller_ = nullptr;
};

}  // namespace hvx
