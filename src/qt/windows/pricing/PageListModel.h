#pragma once
// A list of the price page on screen: a read-only table model over one of
// the controller's lists. The model keeps no copy of the rows; it asks the
// controller for the row count and each cell, and the view reloads it after
// every command that may have changed the list.
#include <QAbstractTableModel>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <set>
#include <string>

namespace hvx {

class PageListModel : public QAbstractTableModel {
public:
    using Count = std::function<std::size_t()>;
    using Cell = std::function<std::string(std::size_t row, int column)>;

    // Columns in numberColumns are aligned to the right.
    PageListModel(QStringList headers, std::set<int> numberColumns, Count count, Cell cell,
                  QObject* parent = nullptr);

    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    std::set<int> numberColumns_;
    Count count_;
    Cell cell_;
};

}  // namespace hvx
