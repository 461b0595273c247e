#include "rules/PriceUnitRows.h"

#include "platform/Rounding.h"
#include "rules/StoredText.h"

namespace hvx {

bool PriceUnitRows::Replace(std::size_t row, PriceUnitRow item) {
    if (row >= items_.size()) return false;
    items_[row] = std::move(item);
    return true;
}

bool PriceUnitRows::Remove(std::size_t row) {
    if (row >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

PriceUnitSums PriceUnitRows::Sums() const {
    PriceUnitSums sums;
    for (const PriceUnitRow& item : items_) {
        const double units = TextNumber(item.units);
        const double price = TextNumber(item.price);
        sums.gross += HVXRound(price * units, 2);
        sums.units += HVXRound(units, 4);
    }
    return sums;
}

double PriceUnitRows::UnitsTyped() const {
    double units = 0;
    for (const PriceUnitRow& item : items_) units += TextNumber(item.units);
    return units;
}

}  // namespace hvx
