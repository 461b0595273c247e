#pragma once
// The search results as a table model over the controller's packed rows: no
// cell is copied into the view, so a million rows cost the view nothing but
// their count. The matched cell is shown in red; selected cells keep the
// system's highlight colours.
#include <QAbstractTableModel>
#include <QPixmap>

#include "search/SearchResults.h"

namespace hvx {

class SearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SearchResultsModel(const search::SearchResults& results, QPixmap byDestination,
                       QPixmap bySource, QObject* parent = nullptr);

    // Shows the rows appended since the last call.
    void Sync();
    // Shows the rows anew (emptied, sorted).
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const search::SearchResults& results_;
    QPixmap byDestination_, bySource_;
    int shown_ = 0;
};

}  // namespace hvx
