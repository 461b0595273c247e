#pragma once
// The price page of a settlement line on screen, beside the line in the
// settlement entry windows: units and prices, deductions and additions,
// grade factors, the average, gross and net, and the A/R button.
//
// The view binds to the page controller and to its window's UI port, under
// whose field names the controller's focus moves land. The window fills the
// controller from a line and then calls Refresh(); the view emits changed()
// after every command of its own that changed a list. While the line's source
// is an installment sale the units and prices are not used: that group is
// disabled and the page's hints are shown.
#include <QWidget>

#include "qt/ui/QtUiPort.h"
#include "windows/pricing/PricePage.h"

class QLabel;
class QPushButton;

namespace hvx {

class GradeFactorsView;
class PriceDeductionsView;
class PriceUnitsView;

class PricePageView : public QWidget {
    Q_OBJECT
public:
    PricePageView(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    // Everything again from the controller: lists, entry fields, totals, mode.
    void Refresh();
    // A posted or locked settlement: no entry field or command, the lists
    // still scroll; the A/R panel still opens.
    void setReadOnly(bool readOnly);

    PriceUnitsView* Units() const { return units_; }
    PriceDeductionsView* Deductions() const { return deductions_; }
    GradeFactorsView* Grades() const { return grades_; }
    QLabel* AverageLabel() const { return average_; }
    QLabel* GrossLabel() const { return gross_; }
    QLabel* NetLabel() const { return net_; }
    QLabel* PageHint() const { return hint_; }
    QPushButton* ArButton() const { return ar_; }

signals:
    void changed();

private:
    void ShowTotals();
    void ShowMode();

    PricePage& page_;
    PriceUnitsView* units_;
    PriceDeductionsView* deductions_;
    GradeFactorsView* grades_;
    QLabel* hint_;
    QLabel* average_;
    QLabel* gross_;
    QLabel* net_;
    QPushButton* ar_;
};

}  // namespace hvx
