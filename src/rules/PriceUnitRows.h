#pragma once
// The units and prices of a price page: one row per price level, kept as the
// texts the user typed, in entry order.
#include <cstddef>
#include <string>
#include <vector>

namespace hvx {

struct PriceUnitRow {
    std::string units;  // units sold at this price
    std::string price;  // price per unit
    bool operator==(const PriceUnitRow&) const = default;
};

// What the rows add up to.
struct PriceUnitSums {
    double gross = 0;  // Σ round(price × units, 2)
    double units = 0;  // Σ round(units, 4)
};

class PriceUnitRows {
public:
    const std::vector<PriceUnitRow>& Items() const { return items_; }
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

    void Append(PriceUnitRow item) { items_.push_back(std::move(item)); }
    // False when there is no row at that position.
    bool Replace(std::size_t row, PriceUnitRow item);
    bool Remove(std::size_t row);
    void Clear() { items_.clear(); }

    // Each row's amount is rounded to the cent before it is added, so the
    // gross is the sum of what each price level pays.
    PriceUnitSums Sums() const;
    // The units of the rows as typed, unrounded: what the units check and the
    // default units of a new row compare with the units settled.
    double UnitsTyped() const;

private:
    std::vector<PriceUnitRow> items_;
};

}  // namespace hvx
