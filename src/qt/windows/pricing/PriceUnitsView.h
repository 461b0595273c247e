#pragma once
// The units and prices of the price page: Units and Price, the rows priced
// so far, and Accept, New and Remove. Entering Units offers the units still
// to price; Enter in Price accepts the row.
#include "qt/windows/pricing/PageListGroup.h"
#include "windows/pricing/PricePage.h"

class QLineEdit;

namespace hvx {

class PriceUnitsView : public PageListGroup {
    Q_OBJECT
public:
    PriceUnitsView(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    QLineEdit* UnitsField() const { return units_; }
    QLineEdit* PriceField() const { return price_; }

protected:
    void ShowFields() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PricePage& page_;
    QLineEdit* units_;
    QLineEdit* price_;
};

}  // namespace hvx
