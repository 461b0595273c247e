#pragma once
// The advance selection dialog on screen: the open advances, the advances
// chosen to repay (in the order they are repaid), the buttons that move
// advances between and within the lists, the all-customers switch and the
// amount still to apply. The controller keeps the lists and the amount and
// says whether OK may close the dialog; this view shows them again after
// every command.
#include <QDialog>
#include <cstddef>

#include "qt/ui/QtUiPort.h"
#include "windows/advances/AdvanceSelectionController.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace hvx {

class AdvanceSelectionDialog : public QDialog, public AdvanceSelectionDialogPort {
    Q_OBJECT
public:
    explicit AdvanceSelectionDialog(QWidget* parent = nullptr);

    // Shows the controller's lists and runs the dialog modally: true when OK
    // closed it, false on Cancel.
    bool Run(AdvanceSelectionController& controller) override;

    // The port of this dialog: a controller made with it shows its messages
    // over the dialog.
    UiPort& Ui() { return ui_; }

    QTableWidget* OpenList() const { return open_; }
    QTableWidget* ChosenList() const { return chosen_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* MoveUpButton() const { return up_; }
    QPushButton* MoveDownButton() const { return down_; }
    QCheckBox* AllCustomersSwitch() const { return allCustomers_; }
    QLabel* LeftToApplyLabel() const { return left_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    using Command = bool (AdvanceSelectionController::*)(std::size_t);

    // Sends the current row of a list to a command; the selection then stays
    // on the row at the current row plus follow, so a moved advance stays
    // selected.
    void Forward(QTableWidget* list, Command command, int follow);
    void SwitchCustomers(bool on);
    void Ok();
    void Refresh();

    QtUiPort ui_;
    AdvanceSelectionController* controller_ = nullptr;
    QTableWidget* open_;
    QTableWidget* chosen_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QCheckBox* allCustomers_;
    QLabel* left_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace hvx
