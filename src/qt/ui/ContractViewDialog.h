#pragma once
// The contract view of a settlement window: the contracts already made in
// the settlement's destination category (settlement, commodity, date), for
// the clerk to look at before making another. Its button sits beside the
// destination and asks the window for the category each time it is pressed.
#include <QDialog>
#include <functional>
#include <string>

#include "qt/ui/QtUiPort.h"

class QPushButton;
class QTableWidget;

namespace hvx {

class ContractViewDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the contracts of the category at once; a failed read is shown
    // over the parent and leaves the list empty.
    ContractViewDialog(const std::string& category, QWidget* parent = nullptr);

    QTableWidget* List() const { return list_; }

    // The view button: opens the view of the category the window holds when
    // pressed.
    static QPushButton* NewButton(std::function<std::string()> category, QWidget* parent);

private:
    QtUiPort ui_;
    QTableWidget* list_;
};

}  // namespace hvx
