#pragma once
// The view of the "Collateral Warehouse Receipts" window: the receipt's
// fields with the descriptions beside them, the last-modified stamp and the
// command column. What the clerk types goes straight into the controller;
// the window is drawn again from it after every command.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "qt/windows/shipments/DirectShipmentView.h"
#include "windows/receipts/ReceiptWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace hvx {

class WarehouseReceiptView : public QWidget {
    Q_OBJECT
public:
    explicit WarehouseReceiptView(QWidget* parent = nullptr);

    receiptwin::ReceiptWindow& Controller() { return window_; }
    // Widgets by object name, for tests and the screenshot tour.
    QPushButton* Button(const std::string& name) const;
    QLineEdit* Field(const std::string& name) const;

    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using TextOf = std::function<std::string&(receiptwin::ReceiptWindow&)>;
    QLineEdit* AddField(std::string_view name, TextOf text, int width, std::function<void()> left);
    QWidget* BuildForm();
    QLayout* BuildCommands();
    // Runs a command of the controller, then draws the window again and
    // moves the focus where the command asked.
    void Run(const std::function<void()>& command);
    // "&Close" closes the document frame around the view, which asks it.
    void CloseFrame();

    FocusAfterRefresh ui_;
    receiptwin::ReceiptWindow window_;
    std::map<std::string, QPointer<QPushButton>> buttons_;
    std::map<std::string, std::pair<QPointer<QLineEdit>, TextOf>> fields_;
    QLabel* vendorName_ = nullptr;
    QLabel* commodityName_ = nullptr;
    QLabel* locationName_ = nullptr;
    QLabel* modified_[3] = {};
    bool refreshing_ = false;
};

}  // namespace hvx
