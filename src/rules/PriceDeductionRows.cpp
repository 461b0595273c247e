#include "rules/PriceDeductionRows.h"

#include "platform/Rounding.h"
#include "rules/StoredText.h"

namespace hvx {

bool IsManualAmount(std::string_view amount) {
    return !amount.empty() && amount.back() == '*';
}

std::string MarkManualAmount(std::string_view amount) {
    std::string marked(amount);
    if (!IsManualAmount(marked)) marked += '*';
    return marked;
}

bool PriceDeductionRows::Replace(std::size_t row, PriceDeductionRow item) {
    if (row >= items_.size()) return false;
    items_[row] = std::move(item);
    return true;
}

bool PriceDeductionRows::Remove(std::size_t row) {
    if (row >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

std::optional<std::size_t> PriceDeductionRows::Find(std::string_view reference) const {
    for (std::size_t row = 0; row < items_.size(); ++row)
        if (items_[row].reference == reference) return row;
    return std::nullopt;
}

double PriceDeductionRows::Total() const {
    double total = 0;
    for (const PriceDeductionRow& item : items_) {
        const double amount = TextNumber(item.amount);
        total = item.da == kDeductionType ? total + amount : total - amount;
        total = HVXRound(total, 2);
    }
    return total;
}

double PriceDeductionRows::AdvanceEffect() const {
    double effect = 0;
    for (const PriceDeductionRow& item : items_) {
        if (item.advance != "T") continue;
        const double amount = TextNumber(item.amount);
        effect += item.da == kAdditionType ? amount : -amount;
    }
    return HVXRound(effect, 2);
}

}  // namespace hvx
