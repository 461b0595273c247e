#pragma once
// The framework's pick list on screen: a search line over a table of rows.
// Typing into the search line selects the first row whose key begins with
// the text; Enter or a double click picks the selected row, Escape cancels.
#include <QDialog>

#include "platform/PickList.h"

class QLineEdit;
class QTableWidget;

namespace hvx {

class PickListDialog : public QDialog {
    Q_OBJECT
public:
    PickListDialog(const PickList& list, const QString& startText, QWidget* parent = nullptr);

    // The picked row of the list, or -1.
    int ChosenRow() const { return chosen_; }
    QLineEdit* SearchLine() const { return search_; }
    QTableWidget* Table() const { return table_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void TypeAhead(const QString& text);
    void Pick();

    const PickList& list_;
    QLineEdit* search_;
    QTableWidget* table_;
    int chosen_ = -1;
};

}  // namespace hvx
