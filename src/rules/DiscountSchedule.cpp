#include "rules/DiscountSchedule.h"

#include <cmath>

#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

// Stored step sizes are decimal texts that doubles hold only nearly; dividing
// by a step one ten-millionth smaller makes "exactly one step" count as one.
constexpr double kStepSlack = 0.0000001;

constexpr const char* kPremiumType = "2";

bool StartsWith(const std::string& text, char c) {
    return !text.empty() && text.front() == c;
}

}  // namespace

void DiscountSchedule::Clear() {
    premiums_.clear();
    discounts_.clear();
    ascending_ = percent_ = drying_ = loaded_ = false;
    stepSize_ = 0;
}

bool DiscountSchedule::Load(std::string_view commodity, std::string_view gradeFactor,
                            std::string_view schedule) {
    Clear();
    commodity_ = commodity;
    gradeFactor_ = gradeFactor;
    schedule_ = schedule;

    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::string dryCharge;
    bool drying = false;
    if (sql.Value({"SELECT DRYCHARGE FROM HVXGR50 WHERE GRADFACT = '%s'"}, {gradeFactor},
                  dryCharge))
        drying = StartsWith(dryCharge, '1');
    drying_ = drying;

    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT TABLINK,STEPSIZE,DOPERCENT FROM HVXGR54 WHERE "
                    "COMMODITY='%s' AND GRADFACT='%s' AND SCHEDULE='%s'"},
                   {commodity, gradeFactor, schedule}, 3, rows) ||
        rows.empty())
        return false;
    const std::string tablink = rows.front()[0];
    const double stepSize = TextNumber(rows.front()[1]);
    const bool percent = StartsWith(rows.front()[2], 'T');

    std::vector<Step> premiums, discounts;
    if (sql.Query({"SELECT TYPE,VALUE,DISCOUNT,ADDITION FROM HVXGR54B WHERE TABLINK='%s'"},
                  {tablink}, 4, rows)) {
        for (SqlRow& row : rows) {
            std::string& type = row[0];
            TRIM(type);
            const Step step{TextNumber(row[1]), TextNumber(row[2]), TextNumber(row[3])};
            (type == kPremiumType ? premiums : discounts).push_back(step);
        }
    }
    Assign(std::move(premiums), std::move(discounts), stepSize, percent, drying);
    return true;
}

void DiscountSchedule::Assign(std::vector<Step> premiums, std::vector<Step> discounts,
                              double stepSize, bool percent, bool dryingFactor) {
    if (premiums.size() > kMaxSteps) premiums.resize(kMaxSteps);
    if (discounts.size() > kMaxSteps) discounts.resize(kMaxSteps);
    premiums_ = std::move(premiums);
    discounts_ = std::move(discounts);
    ascending_ = discounts_.size() > 1 && discounts_[0].value < discounts_[1].value;
    stepSize_ = stepSize;
    percent_ = percent;
    drying_ = dryingFactor;
    loaded_ = true;
}

double DiscountSchedule::Steps(double distance) const {
    const double step = stepSize_ - kStepSlack;
    // Without a usable step size there is nothing to count in; dividing by a
    // zero or a tiny negative step would give an infinite or reversed count.
    if (!(step > 0)) return 0;
    return std::floor(distance / step);
}

double DiscountSchedule::Premium(double r) const {
    // The row to price from is the last one whose value is not above r; past
    // the end of the table the last row carries on by steps.
    std::size_t i = 0;
    while (i < premiums_.size() && premiums_[i].value < r) ++i;
    if (i == premiums_.size()) --i;
    while (i > 0 && premiums_[i].value > r) --i;
    const Step& row = premiums_[i];
    return Steps(r - row.value) * row.increment + row.base;
}

double DiscountSchedule::Discount(double r) const {
    const std::size_t n = discounts_.size();
    if (n == 0) return 0;
    // Results on the good side of the first row are not discounted.
    if (ascending_ ? r < discounts_[0].value : r > discounts_[0].value) return 0;
    // The first row at or beyond r in the table's direction.
    const auto beyond = [&](double value) { return ascending_ ? value >= r : value <= r; };
    std::size_t i = 0;
    while (i < n && !beyond(discounts_[i].value)) ++i;
    if (i >= kMaxSteps) return 0;
    if (i == n) --i;
    // Back to the row r has reached: the last row not beyond r.
    const auto past = [&](double value) { return ascending_ ? value > r : value < r; };
    while (i > 0 && past(discounts_[i].value)) --i;
    const Step& row = discounts_[i];
    const double distance = ascending_ ? r - row.value : row.value - r;
    return -row.base - Steps(distance) * row.increment;
}

double DiscountSchedule::Evaluate(double result, double price) const {
    if (!loaded_ || drying_) return 0;
    const bool premium = !premiums_.empty() && result >= premiums_[0].value;
    double amount = premium ? Premium(result) : Discount(result);
    if (percent_) amount = HVXRound(0.01 * amount * price, 4);
    // A zero base makes a negative zero, which would print as "-0.0000".
    return amount + 0.0;
}

}  // namespace hvx
