#include "rules/SettlementUnitsList.h"

#include "platform/Rounding.h"
#include "rules/StoredText.h"

namespace hvx {

bool SettlementUnitsList::Replace(std::size_t row, SettlementUnitsItem item) {
    if (row >= items_.size()) return false;
    items_[row] = std::move(item);
    return true;
}

bool SettlementUnitsList::Remove(std::size_t row) {
    if (row >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

UnitsListSums SettlementUnitsList::Sums() const {
    UnitsListSums sums;
    for (const SettlementUnitsItem& item : items_) {
        const double units = TextNumber(item.units);
        const double price = TextNumber(item.price);
        sums.gross += HVXRound(price * units, 2);
        sums.units += HVXRound(units, 4);
    }
    return sums;
}

double SettlementUnitsList::UnitsTyped() const {
    double units = 0;
    for (const SettlementUnitsItem& item : items_) units += TextNumber(item.units);
    return units;
}

}  // namespace hvx
