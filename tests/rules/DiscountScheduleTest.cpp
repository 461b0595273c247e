// Premium/discount schedules: the search through their rows, the steps
// beyond a row, percent schedules and loading from the tables.
#include <gtest/gtest.h>

#include <cmath>

#include "rules/DiscountSchedule.h"
#include "support/TestDatabase.h"

namespace {

using hvx::DiscountSchedule;
using Steps = std::vector<DiscountSchedule::Step>;

struct Case {
    double result, amount;
};

void ExpectAmounts(const DiscountSchedule& schedule, std::initializer_list<Case> cases,
                   double price = 0) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        const double amount = schedule.Evaluate(c.result, price);
        EXPECT_NEAR(amount, c.amount, 1e-9);
        EXPECT_FALSE(std::signbit(amount) && amount == 0) << "negative zero";
    }
}

DiscountSchedule Make(Steps premiums, Steps discounts, double step, bool percent = false,
                      bool drying = false) {
    DiscountSchedule s;
    s.Assign(std::move(premiums), std::move(discounts), step, percent, drying);
    return s;
}

TEST(DiscountSchedule, AscendingTableAtBetweenAndBeyondItsRows) {
    const DiscountSchedule moisture =
        Make({}, {{15.0, 0.00, 0.01}, {15.5, 0.02, 0.01}, {16.0, 0.04, 0.01}}, 0.5);
    EXPECT_TRUE(moisture.DiscountAscending());
    ExpectAmounts(moisture, {{14.9, 0}, {15.0, 0}, {15.2, 0}, {15.5, -0.02}, {15.7, -0.02},
                             {16.0, -0.04}, {16.5, -0.05}, {16.9, -0.05}, {17.0, -0.06}});
    // 15.1 - 15.0 is 0.09999999999999964 as doubles: still one full step.
    const DiscountSchedule tenths = Make({}, {{15.0, 0.00, 0.01}, {15.5, 0.05, 0.01}}, 0.1);
    ExpectAmounts(tenths, {{15.1, -0.01}, {15.3, -0.03}, {15.6, -0.06}});
}

TEST(DiscountSchedule, DescendingTableAndOneRowTables) {
    const DiscountSchedule testWeight =
        Make({}, {{56, 0.00, 0.02}, {55, 0.05, 0.02}, {54, 0.10, 0.02}}, 1);
    EXPECT_FALSE(testWeight.DiscountAscending());
    ExpectAmounts(testWeight, {{57, 0}, {56, 0}, {55.5, 0}, {55, -0.05}, {54.5, -0.05},
                               {54, -0.10}, {53, -0.12}, {52.5, -0.12}, {51, -0.16}});
    const DiscountSchedule oneRow = Make({}, {{10, 1.0, 0.5}}, 1);
    EXPECT_FALSE(oneRow.DiscountAscending());
    ExpectAmounts(oneRow, {{11, 0}, {10, -1.0}, {9, -1.5}});
}

TEST(DiscountSchedule, PremiumsBeforeDiscounts) {
    const DiscountSchedule s =
        Make({{60, 0.01, 0.005}, {62, 0.03, 0.005}}, {{58, 0.02, 0.01}}, 1);
    ExpectAmounts(s, {{59.5, 0}, {60, 0.01}, {61, 0.015}, {62, 0.03}, {65, 0.045}, {57, -0.03}});
}

TEST(DiscountSchedule, PercentDryingAndNotLoaded) {
    ExpectAmounts(Make({}, {{10, 2, 1}}, 1, true), {{8, -0.1383}, {11, 0}}, 3.4567);
    ExpectAmounts(Make({}, {{10, 2, 1}}, 1, false, true), {{8, 0}});
    ExpectAmounts(DiscountSchedule(), {{8, 0}});
}

// Without a usable step size the row's base applies and no step is counted.
TEST(DiscountSchedule, StepSizeWithoutSteps) {
    for (double step : {0.0, -1.0, 0.00000005}) {
        SCOPED_TRACE(step);
        const DiscountSchedule s = Make({{60, 0.01, 0.005}}, {{15, 0.02, 0.01}, {16, 0.04, 0.01}},
                                        step);
        ExpectAmounts(s, {{15.5, -0.02}, {18, -0.04}, {61, 0.01}});
    }
}

TEST(DiscountSchedule, TwentyRowsAtMost) {
    Steps rows;
    for (int v = 1; v <= 21; ++v) rows.push_back({double(v), v / 100.0, 0.01});
    const DiscountSchedule full = Make(rows, rows, 1);
    EXPECT_EQ(full.Discounts().size(), 20u);
    EXPECT_EQ(full.Premiums().size(), 20u);
    // The discount search runs off a full table; premiums carry on by steps.
    ExpectAmounts(full, {{20, 0.20}, {23, 0.23}});
    ExpectAmounts(Make({}, full.Discounts(), 1), {{20, -0.20}, {20.5, 0}, {25, 0}});
    rows.resize(19);
    ExpectAmounts(Make({}, rows, 1), {{19, -0.19}, {25, -0.25}});
}

class DiscountScheduleLoad : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(DiscountScheduleLoad);

TEST_P(DiscountScheduleLoad, ReadsHeaderStepsAndFlags) {
    using hvxtest::Exec;
    Exec("INSERT INTO HVXGR50 (GRADFACT,DRYCHARGE,RECNO) VALUES ('MOIST','0',1),('DRY','1',2)");
    Exec("INSERT INTO HVXGR54 (COMMODITY,GRADFACT,SCHEDULE,TABLINK,STEPSIZE,DOPERCENT,RECNO) "
         "VALUES ('CORN','MOIST','S1','7','0.5','F',1),('CORN','DRY','S1','8','1','T',2),"
         "('CORN','MOIST','O''B','9','1','T',3)");
    Exec("INSERT INTO HVXGR54B (TABLINK,TYPE,VALUE,DISCOUNT,ADDITION,RECNO) VALUES "
         "('7','1','15.0','0.00','0.01',1),('7','2','20.0','0.01','0',2),"
         "('7','1','15.5','0.02','0.01',3),('8','1','1','1','1',4),"
         "('7','1','16.0','0.04','0.01',5)");

    DiscountSchedule s;
    ASSERT_TRUE(s.Load("CORN", "MOIST", "S1"));
    // Rows of other tables stay out; type "2" rows are premiums.
    EXPECT_EQ(s.Premiums().size(), 1u);
    ASSERT_EQ(s.Discounts().size(), 3u);
    EXPECT_TRUE(s.DiscountAscending() && !s.Percent() && !s.DryingFactor());
    ExpectAmounts(s, {{20.5, 0.01}, {17.0, -0.06}});

    ASSERT_TRUE(s.Load("CORN", "DRY", "S1"));
    EXPECT_TRUE(s.DryingFactor() && s.Percent());
    ExpectAmounts(s, {{0, 0}});

    ASSERT_TRUE(s.Load("CORN", "MOIST", "O'B"));  // a quote in a key is a value
    EXPECT_TRUE(s.Discounts().empty());

    EXPECT_FALSE(s.Load("CORN", "MOIST", "S2"));
    EXPECT_FALSE(s.Loaded());
    ExpectAmounts(s, {{17.0, 0}});
}

}  // namespace
