#pragma once
// One premium/discount schedule of a commodity's grade factor.
//
// A schedule prices a grade result in steps: its rows give a value of the
// result, a base amount and an increment added for each further step of the
// result beyond the row. Premium rows (HVXGR54B TYPE "2") pay more for a
// better result; every other row is a discount row. A discount table runs
// either up (moisture: more is worse) or down (test weight: less is worse);
// it runs up when its first value is below its second, so a one-row table
// counts as running down.
//
// The rows are kept in the order the database returns them (the statements
// carry no ORDER BY); that order decides both the search and the direction.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

class DiscountSchedule {
public:
    // Rows kept of each kind; further rows are ignored.
    static constexpr std::size_t kMaxSteps = 20;

    struct Step {
        double value = 0;      // VALUE: the result the row starts at
        double base = 0;       // DISCOUNT: the amount at that result
        double increment = 0;  // ADDITION: added for each further step
    };

    // Reads the schedule of (commodity, grade factor, schedule) from HVXGR50,
    // HVXGR54 and HVXGR54B on a connection of its own. False, and an empty
    // schedule that evaluates to 0, when the schedule has no HVXGR54 header.
    bool Load(std::string_view commodity, std::string_view gradeFactor,
              std::string_view schedule);

    // Sets the schedule from steps already read, as Load does after reading:
    // at most kMaxSteps rows of each kind, the direction of the discount
    // table, and loaded.
    void Assign(std::vector<Step> premiums, std::vector<Step> discounts, double stepSize,
                bool percent, bool dryingFactor);

    // The premium (positive) or discount (negative) per unit for a grade
    // result r on grain priced at p. A percent schedule's amount is a
    // percentage of the price, rounded to 4 decimals; any other schedule's
    // amount is per unit as it stands. 0 when the schedule is not loaded or
    // belongs to a drying factor (drying is charged elsewhere), when r lies on
    // the good side of the first row, and when a discount search runs past a
    // full table of kMaxSteps rows.
    //
    // Steps are counted with the step size less one ten-millionth, so a
    // result exactly one step past a row counts the full step despite the
    // rounding of the stored texts. A schedule whose step size is not above
    // that ten-millionth (zero, negative or empty) has no steps: the row's
    // base applies unchanged and the increment is ignored.
    double Evaluate(double result, double price) const;

    bool Loaded() const { return loaded_; }
    bool DiscountAscending() const { return ascending_; }
    bool Percent() const { return percent_; }
    bool DryingFactor() const { return drying_; }
    double StepSize() const { return stepSize_; }
    const std::vector<Step>& Premiums() const { return premiums_; }
    const std::vector<Step>& Discounts() const { return discounts_; }
    const std::string& Commodity() const { return commodity_; }
    const std::string& GradeFactor() const { return gradeFactor_; }
    const std::string& Schedule() const { return schedule_; }

private:
    void Clear();
    double Steps(double distance) const;
    double Premium(double result) const;
    double Discount(double result) const;

    std::string commodity_, gradeFactor_, schedule_;
    std::vector<Step> premiums_, discounts_;
    bool ascending_ = false;
    double stepSize_ = 0;
    bool percent_ = false;
    bool drying_ = false;
    bool loaded_ = false;
};

}  // namespace hvx
