#pragma once
// The "Search For Settlements" criteria dialog on screen: the search text,
// the "Search Using" list (several entries may be selected), the
// "Settlement Types" choice, the option boxes, the customer and date groups
// and the buttons "&Search", "C&lear", "Save", "Load", "&Help" and "Cancel".
// The controller decides every message, lookup and enabled state; this view
// copies its widgets into the controller's form before each command and
// shows the form again after it.
//
// Enter in a customer field (without Shift) leaves it with a lookup; F4 or
// the field's button runs its search. Tab moves on without looking anything
// up.
#include <QDialog>

#include "qt/ui/QtUiPort.h"
#include "windows/search/SearchCriteriaDialog.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace hvx {

class DateField;
class LookupField;

class SearchCriteriaDialogView : public QDialog {
    Q_OBJECT
public:
    SearchCriteriaDialogView(search::SettlementSearchObject& criteria, bool repeatSearch,
                             QWidget* parent = nullptr);

    // Opens the dialog modally on the criteria; true when it closed with "&Search".
    bool Run();
    bool ClearPrevious() const { return controller_.ClearPrevious(); }

    QLineEdit* SearchString() const { return searchString_; }
    QListWidget* Locations() const { return locations_; }
    QComboBox* SettlementTypes() const { return types_; }
    LookupField* Customer(SearchCriteriaController::CustomerField field) const;
    DateField* StartDate() const { return startDate_; }
    DateField* EndDate() const { return endDate_; }
    // A check box, radio button or push button by the text it shows
    // ("Restrict By &Customer", "Entry Date", "C&lear").
    QAbstractButton* Control(const QString& text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* NewBox(const char* text, bool SearchCriteriaController::Form::*flag);
    QWidget* NewOptions();
    QWidget* NewCustomerGroup();
    QWidget* NewDateGroup();
    QWidget* NewButtons();
    QPushButton* NewButton(const char* text, void (SearchCriteriaController::*command)());
    void SetTabOrder();
    template <class Command>
    void Apply(Command command);
    void Collect();
    void Refresh();

    QtUiPort ui_;
    SearchCriteriaController controller_;
    QLineEdit* searchString_;
    QListWidget* locations_;
    QComboBox* types_;
    LookupField* custRef_;
    LookupField* custName_;
    DateField* startDate_;
    DateField* endDate_;
    QRadioButton* settlementDate_;
    QRadioButton* entryDate_;
    QList<QWidget*> customerGroup_, dateGroup_;
    // Each check box with the form flag it shows.
    QList<QPair<QCheckBox*, bool SearchCriteriaController::Form::*>> boxes_;
    QList<QWidget*> buttons_;
};

}  // namespace hvx
