#pragma once
// The "Select Sources" dialog on screen: title and message lines, the
// assembly limiter, the list with its check boxes, the three totals, OK and
// Cancel. Space checks the current row wherever the cursor stands in it; the
// controller decides what a check does to the list and what OK builds.
#include <QDialog>

#include "qt/ui/QtUiPort.h"
#include "qt/windows/sources/SourceSelectionModel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace hvx {

class SourceSelectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit SourceSelectionDialog(QWidget* parent = nullptr);

    // The port of this dialog: the controller shows its messages over it.
    UiPort& Ui() { return ui_; }

    // Fills the controller's list and runs the dialog modally: true when OK
    // closed it (the controller's Result() says what it built).
    bool Run(SourceSelectionController& controller);
    // Shows the controller's list without running the dialog.
    void Show(SourceSelectionController& controller);

    QLineEdit* AssemblyField() const { return assembly_; }
    QTableView* Grid() const { return grid_; }
    SourceSelectionModel* Model() const { return model_; }
    QLineEdit* UnitsTotal() const { return units_; }
    QLineEdit* PriceTotal() const { return price_; }
    QLineEdit* AmountTotal() const { return amount_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LeaveAssembly();
    void FitColumns();
    void ToggleCurrent();
    void ShowTotals();
    void Ok();

    QtUiPort ui_;
    SourceSelectionController* controller_ = nullptr;
    bool leaving_ = false;
    QLabel* title_;
    QLabel* first_;
    QLabel* second_;
    QLabel* assemblyLabel_;
    QLineEdit* assembly_;
    QTableView* grid_;
    SourceSelectionModel* model_;
    QLineEdit* units_;
    QLineEdit* price_;
    QLineEdit* amount_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace hvx
