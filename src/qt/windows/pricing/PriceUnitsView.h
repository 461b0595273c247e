#pragma once
// The units and prices of the price page: Units and Price, the rows priced
// so far, and Accept, New and Remove. Entering Units offers the units still
// to price; Enter in Price accepts the row.
#include "qt/windows/pricing/PageListGroup.h"

namespace hvx {

class PriceUnitsView : public PageListGroup {
    Q_OBJECT
public:
    PriceUnitsView(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    QLineEdit* UnitsField() const { return units_; }
    QLineEdit* PriceField() const { return price_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* units_;
    QLineEdit* price_;
};

}  // namespace hvx
