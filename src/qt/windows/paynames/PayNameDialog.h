#pragma once
// The pay-name editor on screen: the names the check is made out to, the
// entry fields of one name (the name; a mortgagee or else a payee) and the commands
// that add, change and delete names. The editor keeps the names and decides;
// this view shows them again after every command.
//
// Return accepts the name being entered; OK ends the dialog and puts the
// names into the settlement, Cancel or Escape leaves them as they were.
#include <QDialog>

#include "qt/ui/QtUiPort.h"
#include "windows/paynames/PayNameEditor.h"

class QLineEdit;
class QPushButton;
class QCheckBox;
class QTableWidget;

namespace hvx {

class PayNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit PayNameDialog(QWidget* parent = nullptr);

    // The port of this dialog: an editor made with it shows its messages
    // over the dialog and moves the focus among its fields.
    UiPort& Ui() { return ui_; }

    // Runs the dialog modally over the editor: true when OK closed it (the
    // editor's names are then in the settlement).
    bool Run(PayNameEditor& editor);

    QTableWidget* List() const { return list_; }
    QLineEdit* NameField() const { return name_; }
    QCheckBox* MortgageeSwitch() const { return mortgagee_; }
    QPushButton* AcceptButton() const { return accept_; }
    QPushButton* NewButton() const { return new_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* MoveUpButton() const { return up_; }
    QPushButton* MoveDownButton() const { return down_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void Command(bool (PayNameEditor::*command)());
    void SelectRow(int row);
    void Refresh();

    QtUiPort ui_;
    PayNameEditor* editor_ = nullptr;
    QTableWidget* list_;
    QLineEdit* name_;
    QCheckBox* mortgagee_;  // off: a payee
    QPushButton* accept_;
    QPushButton* new_;
    QPushButton* delete_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* ok_;
};

}  // namespace hvx
