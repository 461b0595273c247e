#pragma once
// The view of the "Direct Shipments" window: the header, the loads grid, the
// load form with its buttons, the purchase settlement's fields and
// deduction table, and the command column. It writes what the clerk types
// straight into the controller and draws everything from it after each
// command; it decides nothing.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "qt/ui/QtUiPort.h"
#include "windows/shipments/DirectShipmentWindow.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace hvx {

class ShipmentLoadsModel;

// The window's UI port, moving the focus only once the window has been drawn
// again: a command that enables a button (Finish enables "P&rint") asks for
// the focus on it before the view has enabled it.
class FocusAfterRefresh : public QtUiPort {
public:
    using QtUiPort::QtUiPort;
    void SetFocus(std::string_view field) override { pending_ = field; }
    void MoveFocus();

private:
    std::string pending_;
};

class DirectShipmentView : public QWidget {
    Q_OBJECT
public:
    explicit DirectShipmentView(QWidget* parent = nullptr);

    // Reads the configuration and shows an empty batch.
    void Open();

    shipwin::DirectShipmentWindow& Controller() { return window_; }
    // Widgets by object name, for tests and the screenshot tour.
    QPushButton* Button(const std::string& name) const;
    QLineEdit* Field(const std::string& name) const;
    QTableView* Loads() const { return loads_; }

    // Draws the whole window again from the controller.
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using TextOf = std::function<std::string&(shipwin::DirectShipmentWindow&)>;
    enum class Kind { Plain, Figure, Calculated };
    QLineEdit* AddField(const std::string& name, TextOf text, Kind kind = Kind::Plain);
    QPushButton* AddButton(const char* caption, const std::string& name,
                           std::function<void()> command);
    QWidget* WithLookup(QLineEdit* field, const std::string& name, std::function<void()> lookup);
    QWidget* BuildHeader();
    QWidget* BuildLoadForm();
    QWidget* BuildSettlement();
    QLayout* BuildCommands();
    void FillDeductions();
    // Runs a command of the controller, then draws the window again.
    template <class Command>
    void Run(Command command) {
        command();
        Refresh();
        ui_.MoveFocus();
    }

    FocusAfterRefresh ui_;
    shipwin::DirectShipmentWindow window_;
    ShipmentLoadsModel* model_ = nullptr;
    std::map<std::string, QPointer<QPushButton>> buttons_;
    std::map<std::string, std::pair<QPointer<QLineEdit>, TextOf>> fields_;
    QTableView* loads_ = nullptr;
    QTableWidget* deductions_ = nullptr;
    QLabel* poundsPerUnit_ = nullptr;
    QLabel* unitOfMeasure_ = nullptr;
    QLabel* settlementNumber_ = nullptr;
    QWidget* settlementBox_ = nullptr;
    QLabel* settlementAmounts_ = nullptr;
    QComboBox* shipmentFrom_ = nullptr;
    QComboBox* toDpr_ = nullptr;
    QCheckBox* paid_ = nullptr;
    QCheckBox* guarantee_ = nullptr;
    QWidget* glAccount_ = nullptr;
    QLabel* glLabel_ = nullptr;
    shipments::PurchaseDeduction deduction_;  // the deduction line being entered
    bool refreshing_ = false;
};

}  // namespace hvx
