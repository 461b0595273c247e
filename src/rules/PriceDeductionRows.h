#pragma once
// The deductions and additions of a price page, one row per deduction
// reference of HVXGR52, in entry order.
//
// An amount the user typed keeps its text and ends with "*": such a row is the
// user's word and no recomputation (a storage, service or interest charge put
// under the same reference) may overwrite it. Its value is read up to the "*".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

inline constexpr std::string_view kDeductionType = "D";  // subtracted from the gross
inline constexpr std::string_view kAdditionType = "A";   // added to the gross

struct PriceDeductionRow {
    std::string reference;  // HVXGR52.REFERENCE
    std::string amount;     // "%.2f" when computed; typed amounts end with "*"
    std::string da;         // "D" or "A"
    std::string advance;    // "T" when the deduction repays an advance, else "F"
    bool operator==(const PriceDeductionRow&) const = default;
};

// True when the amount text was typed by hand (ends with "*").
bool IsManualAmount(std::string_view amount);
// The text with the manual marker: "*" appended unless it already ends with
// one.
std::string MarkManualAmount(std::string_view amount);

class PriceDeductionRows {
public:
    const std::vector<PriceDeductionRow>& Items() const { return items_; }
    std::size_t Count() const { return items_.size(); }

    void Append(PriceDeductionRow item) { items_.push_back(std::move(item)); }
    // False when there is no row at that position.
    bool Replace(std::size_t row, PriceDeductionRow item);
    bool Remove(std::size_t row);
    void Clear() { items_.clear(); }

    // The first row of the reference.
    std::optional<std::size_t> Find(std::string_view reference) const;

    // What the rows take off the gross: deductions add, every other row
    // subtracts, and the running total is rounded to the cent after each
    // row, in list order.
    double Total() const;

    // What the rows with the advance flag do to the customer's advances:
    // additions count up, deductions down; rounded to the cent.
    double AdvanceEffect() const;

private:
    std::vector<PriceDeductionRow> items_;
};

}  // namespace hvx
