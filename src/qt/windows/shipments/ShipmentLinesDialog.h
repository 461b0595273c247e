#pragma once
// The "Shipment Deductions" (or grade factors) dialog over its controller:
// the reference with its search button, the amount or result, the lines, and
// "&Accept", "&New", "&Remove", "&Ok", "&Cancel".
#include <QDialog>

#include "qt/ui/QtUiPort.h"

class QLineEdit;
class QTableWidget;

namespace hvx {

namespace shipwin {
class ShipmentLinesEditor;
}

class ShipmentLinesDialog : public QDialog {
    Q_OBJECT
public:
    ShipmentLinesDialog(shipwin::ShipmentLinesEditor& editor, QWidget* parent);

    QLineEdit* Reference() const { return reference_; }
    QLineEdit* Value() const { return value_; }
    QTableWidget* Lines() const { return lines_; }

private:
    void Refresh();
    template <class Command>
    void Run(Command command) {
        command();
        Refresh();
    }

    QtUiPort ui_;
    shipwin::ShipmentLinesEditor& editor_;
    QLineEdit* reference_;
    QLineEdit* value_;
    QTableWidget* lines_;
};

}  // namespace hvx
