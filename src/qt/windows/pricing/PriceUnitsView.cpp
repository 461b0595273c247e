#include "qt/windows/pricing/PriceUnitsView.h"

#include <QEvent>
#include <QLineEdit>

#include "qt/windows/pricing/FieldText.h"
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
                    ui, parent),
      page_(page) {
    units_ = new QLineEdit(this);
    price_ = new QLineEdit(this);
    AddField(0, 0, "&Units:", units_, kFieldUnits);
    AddField(0, 1, "Pr&ice:", price_, kFieldPrice);
    connect(units_, &QLineEdit::textEdited, this,
            [this](const QString& text) { page_.Data().units = Typed(text); });
    connect(price_, &QLineEdit::textEdited, this,
            [this](const QString& text) { page_.Data().price = Typed(text); });
    connect(price_, &QLineEdit::returnPressed, this, &PriceUnitsView::Accept);
    units_->installEventFilter(this);
}

bool PriceUnitsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == units_ && event->type() == QEvent::FocusIn) {
        page_.EnterUnitsField();
        ShowFields();
    }
    return PageListGroup::eventFilter(watched, event);
}

void PriceUnitsView::ShowFields() {
    ShowText(units_, page_.Data().units);
    ShowText(price_, page_.Data().price);
}

}  // namespace hvx
