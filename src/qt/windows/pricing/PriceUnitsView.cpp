#include "qt/windows/pricing/PriceUnitsView.h"

#include <QEvent>
#include <QLineEdit>

#include "qt/windows/pricing/PageListModel.h"
#include "windows/pricing/PricePageFields.h"

namespace hvx {
namespace {

PageListModel* UnitsModel(const PricePage& page) {
    return new PageListModel(
        {"Units", "Price"}, {0, 1}, [&page] { return page.UnitsList().Count(); },
        [&page](std::size_t row, int column) {
            const PriceUnitRow& item = page.UnitsList().Items()[row];
            return column == 0 ? item.units : item.price;
        });
}

}  // namespace

PriceUnitsView::PriceUnitsView(PricePage& page, QtUiPort& ui, QWidget* parent)
    : PageListGroup("Units and Prices", UnitsModel(page), {"&Accept", kHintAcceptPrice},
                    {"&New", kHintNewPrice}, {"Re&move", kHintRemovePrice},
                    {[&page] { return page.AcceptPrice(); }, [&page] { page.NewPrice(); },
                     [&page] { return page.RemovePrice(); },
                     [&page](std::size_t row) { page.SelectPriceRow(row); },
                     [&page] { return page.Data().unitsRow; }},
                    page, ui, parent) {
    units_ = AddText(0, 0, "&Units:", kFieldUnits, &PricePageData::units);
    price_ = AddText(0, 1, "Pr&ice:", kFieldPrice, &PricePageData::price);
    connect(price_, &QLineEdit::returnPressed, this, &PriceUnitsView::Accept);
    AddList();
    units_->installEventFilter(this);
}

bool PriceUnitsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == units_ && event->type() == QEvent::FocusIn) {
        Page().EnterUnitsField();
        ShowFields();
    }
    return PageListGroup::eventFilter(watched, event);
}

}  // namespace hvx
