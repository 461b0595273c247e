// Charges and grade prices on every engine: storage, service and interest charges with their
// day counts, default rates and rows, paid-through dates; premium/discount schedules, the
// ticket prices built from them and the grade results a line starts with.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "rules/ChargeRows.h"
#include "rules/Charges.h"
#include "rules/DefaultPrice.h"
#include "rules/DiscountSchedule.h"
#include "rules/GradeResults.h"
#include "rules/PaidThroughDate.h"
#include "rules/TicketPricing.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvx::ChargeSource;
using hvx::DailyCharge;
using hvxtest::Exec;
using Rows = std::vector<hvx::ChargeRow>;
using Texts = std::vector<std::string>;

TEST(Charges, DaysCountBothDatesAndChargesRoundThePeriod) {
    const std::tuple<const char*, const char*, long> periods[] = {
        {"01/01/2024", "01/01/2024", 1}, {"01/01/2024", "12/31/2023", 0},
        {"02/28/2024", "03/01/2024", 3}, {"01/01/2024", "01312024", 31},
        {"", "01/31/2024", 0},
    };
    for (const auto& [start, end, days] : periods)
        EXPECT_EQ(hvx::ChargeDays(start, end), days) << start << " -> " << end;
    const std::tuple<const char*, const char*, const char*, double> storage[] = {
        {"1000", "0.002", "01/31/2024", 62.00},
        {"2.675", "1", "01/01/2024", 2.68},  // 2.675 is held as 2.67499...
        {"333.3333", "0.0015", "01/01/2024", 0.50},
        {"12.5*", "0.01", "01/02/2024", 0.25},  // a typed amount keeps its marker
    };
    for (const auto& [quantity, given, end, charge] : storage) {
        SCOPED_TRACE(std::string(quantity) + " at " + given + " to " + end);
        std::string rate = given;
        EXPECT_DOUBLE_EQ(hvx::StorageServiceCharge("CORN", "01/01/2024", rate, quantity,
                                                   DailyCharge::Storage, end),
                         charge);
        EXPECT_EQ(rate, given);
    }
    // Interest over a year of 365 days.
    EXPECT_DOUBLE_EQ(hvx::InterestCharge("01/01/2023", "10", "1000.00", "12/31/2023"), 100.00);
    EXPECT_DOUBLE_EQ(hvx::InterestCharge("01/01/2023", "10", "1000.00", "01/01/2023"), 0.27);
    EXPECT_DOUBLE_EQ(hvx::InterestCharge("01/01/2023", "10", "1000.00", "12/31/2022"), 0);
}

class ChargeRows : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Exec("INSERT INTO HVXGR40 (DSTORAGE,DSERVICE,DINTEREST,RECNO) VALUES "
             "('STOR','SERV','INT',1)");
        Exec("INSERT INTO HVXGR51 (REFERENCE,SERVEDAY,STOREDAY,SERVDAY2,STOREDAY2,RECNO) VALUES "
             "('CORN','0.0010','0.0020','0.0015','',1),('SOY','0.0040','0.0030','','',2)");
        Contract("L1", "CORN", "PPAIDDATE,SRATEDATE,AMTPREPAID", "{2024-01-01},'0.002','62.00'");
        Contract("L2", "CORN", "SSDATE,SCRATE", "{2024-01-01},' '");
        Contract("L3", "CORN", "ISDATE,ISRATE", "{2023-01-01},'10'");
        Contract("L4", "SOY", "PPAIDDATE,SRATEDATE,AMTPREPAID", "{2024-01-16},'','10.00'");
        Contract("L5", "SOY", "SSDATE,SCRATE", "{2024-01-22},'0.0025'");
        Contract("L6", "SOY", "AMTPREPAID", "''");  // no date to carry over
    }
    // Written in the framework dialect, so dates read {YYYY-MM-DD} on every engine.
    void Contract(const char* link, const char* commodity, const char* columns,
                  const char* values) {
        HVXSConnection connection;
        const std::string sql =
            _HVXsprintf("INSERT INTO HVXGR04F (DLLINK,COMMODITY,%s,RECNO) VALUES ('%s','%s',%s,%d)",
                        columns, link, commodity, values, ++recno_);
        ASSERT_EQ(connection.ExecSQLChange(sql), 1) << sql << ": " << connection.LastError();
    }
    Rows Line(const char* kind, const char* link, const char* destination, const char* quantity,
              const char* date) {
        return hvx::SingleSourceLineCharges(ui_, {kind, link, destination, "CORN", quantity, date});
    }
    Texts Messages() const {
        Texts texts;
        for (const auto& m : ui_.messages) texts.push_back(m.caption + ": " + m.text);
        return texts;
    }
    hvxtest::ScriptedUi ui_;
    int recno_ = 0;
};
HVX_DATABASE_TEST_SUITE(ChargeRows);

std::string Missing(const char* charge) {
    return "Harvexa: Cannot find source record in HVXGR04F for calculating " + std::string(charge) +
           " charge.";
}

// An empty or blank rate takes the commodity's default for the period, and
// the rate charged is written back.
TEST_P(ChargeRows, DefaultRateChosenByThePeriod) {
    const std::tuple<const char*, DailyCharge, const char*, const char*, const char*, double>
        cases[] = {
            {"CORN", DailyCharge::Storage, "", "01/31/2024", "0.0020", 62.00},
            {"CORN", DailyCharge::Storage, "", "02/01/2024", "0.0020", 64.00},  // no later rate
            {"CORN", DailyCharge::Service, " ", "02/01/2024", "0.0015", 48.00},
            {"CORN", DailyCharge::Service, "0.003", "02/01/2024", "0.003", 96.00},
            {"CORN", DailyCharge::Service, "", "12/31/2023", "0.0010", 0},
            {"CORN", DailyCharge::Service, "", "", "", 0},
            {"WHEAT", DailyCharge::Storage, "", "01/31/2024", "", 0},
        };
    for (const auto& [commodity, kind, given, end, charged, charge] : cases) {
        SCOPED_TRACE(std::string(commodity) + " " + given + " to " + end);
        std::string rate = given;
        EXPECT_DOUBLE_EQ(
            hvx::StorageServiceCharge(commodity, "01/01/2024", rate, "1000", kind, end), charge);
        EXPECT_EQ(rate, charged);
    }
}

TEST_P(ChargeRows, SingleSourceLine) {
    const std::tuple<const char*, const char*, const char*, const char*, const char*, Rows>
        cases[] = {
            // Storage nets the prepaid amount; equal amounts are an addition of 0.00.
            {"Storage Ticket", "L1", "Priced", "1000", "01/31/2024", {{"STOR", "A", "0.00"}}},
            {"Storage Ticket", "L1", "Priced", "1000", "02/01/2024", {{"STOR", "D", "2.00"}}},
            {"CCC", "L1", "Installment Sale", "1000", "01/15/2024", {{"STOR", "A", "32.00"}}},
            {"Grain Bank", "L2", "Priced", "500", "01/31/2024", {{"SERV", "D", "15.50"}}},
            {"Installment Sale", "L3", "Priced", "1000.00", "12/31/2023", {{"INT", "A", "100.00"}}},
            // Moved to an open position, or from a source without charges: nothing.
            {"Storage Ticket", "L1", "Storage Ticket", "1000", "02/01/2024", {}},
            {"Assembly", "L1", "Priced", "1000", "02/01/2024", {}},
        };
    for (const auto& [kind, link, destination, quantity, date, rows] : cases) {
        SCOPED_TRACE(std::string(kind) + " -> " + destination + " on " + date);
        EXPECT_EQ(Line(kind, link, destination, quantity, date), rows);
    }
    EXPECT_TRUE(ui_.messages.empty());
    // A missing source contract shows its message; a charge switched off is
    // skipped before its source is looked for.
    for (const char* kind : {"CCC", "Basis Fixed", "Installment Sale"})
        EXPECT_EQ(Line(kind, "X", "Priced", "1", "01/31/2024"), Rows{});
    Exec("UPDATE HVXGR40 SET DSTORAGE=' '");
    EXPECT_EQ(Line("CCC", "X", "Priced", "1", "01/31/2024"), Rows{});
    EXPECT_EQ(Messages(), (Texts{Missing("storage"), Missing("service"), Missing("interest")}));
    EXPECT_EQ(ui_.messages[0].icon, hvx::MsgIcon::Exclamation);
}

TEST_P(ChargeRows, MultipleSourceSumsEachFamily) {
    const std::vector<ChargeSource> all{
        {"Storage Ticket", "L1", 1000, 0, false},   {"CCC", "L4", 100, 0, false},
        {"Priced Later", "L2", 500, 0, false},      {"Grain Bank", "L5", 200, 0, false},
        {"Installment Sale", "L3", 0, 1000, false}, {"Assembly", "", 50, 0, false},
        {"Storage Ticket", "X", 1, 0, true},  // removed: not even looked up
    };
    // Storage 62.00 + 4.80 less 72.00 prepaid; service 15.50 (CORN default)
    // + 5.00; interest on 1000.00 for 396 days.
    EXPECT_EQ(hvx::MultipleSourceCharges(ui_, "Priced", all, "01/31/2024"),
              (Rows{{"STOR", "A", "5.20"}, {"SERV", "D", "20.50"}, {"INT", "A", "108.49"}}));
    // The same totals as a single-source line's "A" 0.00 are a deduction here.
    EXPECT_EQ(hvx::MultipleSourceCharges(ui_, "Installment Sale", {all[0]}, "01/31/2024"),
              (Rows{{"STOR", "D", "0.00"}}));
    EXPECT_EQ(hvx::MultipleSourceCharges(ui_, "Priced", {all[6], all[5]}, "01/31/2024"), Rows{});
    EXPECT_EQ(hvx::MultipleSourceCharges(ui_, "Priced Later", all, "01/31/2024"), Rows{});
    EXPECT_TRUE(ui_.messages.empty());
    // A missing contract drops its family's row only.
    std::vector<ChargeSource> broken = all;
    broken[6].removed = false;
    EXPECT_EQ(hvx::MultipleSourceCharges(ui_, "Priced", broken, "01/31/2024"),
              (Rows{{"SERV", "D", "20.50"}, {"INT", "A", "108.49"}}));
    EXPECT_EQ(Messages(), Texts{Missing("storage")});
}

// Storage moved to storage of the same kind keeps its paid-through date.
TEST_P(ChargeRows, PaidThroughDateOfANewStoragePosition) {
    hvx::SetTodayForTesting({2024, 3, 7});
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Storage Ticket", "Storage Ticket", "L1", "01012024"},
        {"CCC", "CCC", "L4", "01162024"},
        {"Storage Ticket", "CCC", "L1", "03072024"},
        {"CCC", "CCC", "L6", ""},
    };
    for (const auto& [source, destination, link, date] : cases) {
        SCOPED_TRACE(std::string(source) + " -> " + destination + " " + link);
        EXPECT_EQ(hvx::PaidThroughDate(source, destination, link), date);
    }
}


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

TEST(DiscountSchedule, TablesUpAndDownAtBetweenAndBeyondTheirRows) {
    const DiscountSchedule moisture =
        Make({}, {{15.0, 0.00, 0.01}, {15.5, 0.02, 0.01}, {16.0, 0.04, 0.01}}, 0.5);
    EXPECT_TRUE(moisture.DiscountAscending());
    ExpectAmounts(moisture, {{14.9, 0}, {15.0, 0}, {15.5, -0.02}, {15.7, -0.02}, {16.5, -0.05},
                             {16.9, -0.05}, {17.0, -0.06}});
    // 15.1 - 15.0 is 0.09999999999999964 as doubles: still one full step.
    ExpectAmounts(Make({}, {{15.0, 0.00, 0.01}, {15.5, 0.05, 0.01}}, 0.1),
                  {{15.1, -0.01}, {15.3, -0.03}, {15.6, -0.06}});
    const DiscountSchedule testWeight =
        Make({}, {{56, 0.00, 0.02}, {55, 0.05, 0.02}, {54, 0.10, 0.02}}, 1);
    EXPECT_FALSE(testWeight.DiscountAscending());
    ExpectAmounts(testWeight,
                  {{57, 0}, {55.5, 0}, {55, -0.05}, {54.5, -0.05}, {53, -0.12}, {51, -0.16}});
    const DiscountSchedule oneRow = Make({}, {{10, 1.0, 0.5}}, 1);
    EXPECT_FALSE(oneRow.DiscountAscending());
    ExpectAmounts(oneRow, {{11, 0}, {10, -1.0}, {9, -1.5}});
    // Premiums before discounts.
    ExpectAmounts(Make({{60, 0.01, 0.005}, {62, 0.03, 0.005}}, {{58, 0.02, 0.01}}, 1),
                  {{59.5, 0}, {60, 0.01}, {61, 0.015}, {62, 0.03}, {65, 0.045}, {57, -0.03}});
}

TEST(DiscountSchedule, PercentDryingStepSizeAndFullTables) {
    ExpectAmounts(Make({}, {{10, 2, 1}}, 1, true), {{8, -0.1383}, {11, 0}}, 3.4567);
    ExpectAmounts(Make({}, {{10, 2, 1}}, 1, false, true), {{8, 0}});
    ExpectAmounts(DiscountSchedule(), {{8, 0}});
    // Without a usable step size the row's base applies and no step is counted.
    for (double step : {0.0, -1.0, 0.00000005}) {
        SCOPED_TRACE(step);
        ExpectAmounts(Make({{60, 0.01, 0.005}}, {{15, 0.02, 0.01}, {16, 0.04, 0.01}}, step),
                      {{15.5, -0.02}, {18, -0.04}, {61, 0.01}});
    }
    // Twenty rows at most, and the discount search runs off a full table.
    Steps rows;
    for (int v = 1; v <= 21; ++v) rows.push_back({double(v), v / 100.0, 0.01});
    const DiscountSchedule full = Make(rows, rows, 1);
    EXPECT_EQ(full.Discounts().size() + full.Premiums().size(), 40u);
    ExpectAmounts(Make({}, full.Discounts(), 1), {{20, -0.20}, {20.5, 0}});
}

class GradePricing : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        // MOIST is priced by schedule S1 on contract C1; C1 names a schedule
        // for FM that does not exist; TW has no schedule on C1.
        Exec("INSERT INTO HVXGR50 (GRADFACT,DRYCHARGE,RECNO) VALUES ('MOIST','0',1),('DRY','1',2)");
        Exec("INSERT INTO HVXGR54 (COMMODITY,GRADFACT,SCHEDULE,TABLINK,STEPSIZE,DOPERCENT,RECNO) "
             "VALUES ('CORN','MOIST','S1','7','0.5','F',1),('CORN','DRY','S1','8','1','T',2)");
        Exec("INSERT INTO HVXGR54B (TABLINK,TYPE,VALUE,DISCOUNT,ADDITION,RECNO) VALUES "
             "('7','1','15.0','0.00','0.01',1),('7','2','20.0','0.01','0',2),"
             "('7','1','15.5','0.02','0.01',3),('8','1','1','1','1',4),"
             "('7','1','16.0','0.04','0.01',5)");
        Exec("INSERT INTO HVXGR01G (CONTRACT,GRADFACT,SCHEDULE,RECNO) VALUES "
             "('C1','MOIST','S1',1),('C1','FM','NONE',2)");
        Exec("INSERT INTO HVXGR03G (TICKETNUM,TEST,RESULT,PREMDISC,RECNO) VALUES "
             "('T100','MOIST','17.0','-0.50',1),('T100','FM','2.0','-0.25',2),"
             "('T100','TW','58','0.10',3),('T200','TW','58','0.02',4)");
        Exec("INSERT INTO HVXGR03A (ASSEMLINK,STDLINEID,SCALETICK,CONTRACT,PRICE,UNITS,RECNO) "
             "VALUES ('A1','L1','T100','C1','3.00','100',1),('A1','L2','T200','','3.11','200',2),"
             "('A2','L3','T300','','3.00','0',3)");
    }
};
HVX_DATABASE_TEST_SUITE(GradePricing);

TEST_P(GradePricing, LoadReadsHeaderStepsAndFlags) {
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
    EXPECT_FALSE(s.Load("CORN", "MOIST", "S2"));
    EXPECT_FALSE(s.Loaded());
    ExpectAmounts(s, {{17.0, 0}});
}

// A test priced by the contract's schedule, else the ticket's own amount.
TEST_P(GradePricing, TicketPricesFromScheduleOrTicket) {
    const std::tuple<const char*, const char*, double> cases[] = {
        {"T100", "C1", -0.06 + 0 + 0.10},  // schedule, missing schedule, ticket's own
        {"T100", " ", -0.50 - 0.25 + 0.10},
        {"T100", "C9", -0.50 - 0.25 + 0.10},
        {"T999", "C1", 0},
    };
    for (const auto& [ticket, contract, adjustment] : cases)
        EXPECT_NEAR(hvx::TicketPremiumDiscount(ticket, contract, "CORN", 3.00), adjustment, 1e-9)
            << ticket << "/" << contract;
    // (3.04 x 100 + 3.13 x 200) / 300 = 3.1 exactly; rounded to 4 decimals.
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A1", "CORN"), 3.1);
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A2", "CORN"), 0);  // no units at all
    EXPECT_DOUBLE_EQ(hvx::ScaleTicketPrice("L1", "CORN"), 3.04);
    EXPECT_DOUBLE_EQ(hvx::ScaleTicketPrice("L9", "CORN"), 0);
    Exec("UPDATE HVXGR03A SET PRICE='3.12' WHERE STDLINEID='L2'");
    EXPECT_DOUBLE_EQ(hvx::AssemblyPrice("A1", "CORN"), 3.1067);  // 932/300
    Exec("INSERT INTO HVXGR04F (DLLINK,AVGPRICE,RECNO) VALUES ('D1','3.2500',1)");
    EXPECT_EQ(hvx::InstallmentSaleDefaultPrice("D1"), "3.2500");
    EXPECT_EQ(hvx::InstallmentSaleDefaultPrice("D2"), std::nullopt);
}

TEST_P(GradePricing, AssemblyAveragesAndSourceLineCopies) {
    Exec("INSERT INTO HVXGR51B (COMMODITY,GRADFACT,RECNO) VALUES ('CORN','MOIST',1),"
         "('CORN','TW',2),('SOY','FM',3)");
    Exec("INSERT INTO HVXGR03G (ASSEMBLY,TEST,RESULT,NETUNITS,RECNO) VALUES "
         "('AS1','MOIST','15.0','100',11),('AS1','MOIST','16.0','200',12),"
         "('AS1','MOIST','','500',13),('AS1','TW','56','0',14),('AS2','MOIST','20','100',15)");
    Exec("INSERT INTO HVXGR04A (DLLINK,GRADFACT,RESULT,RECNO) VALUES "
         "('D1','MOIST','14.5',1),('D1','TW','57',2),('D2','FM','1',3)");
    using Grades = std::vector<hvx::GradeResult>;
    // (1500 + 3200) / 300; the test without a result weighs nothing, and TW's
    // tests weigh nothing at all.
    EXPECT_EQ(hvx::DefaultGradeResults("Assembly", "Priced Later", "AS1", "CORN"),
              (Grades{{"MOIST", "15.667"}, {"TW", "0.000"}}));
    EXPECT_EQ(hvx::DefaultGradeResults("Storage Ticket", "CCC", "D1", "CORN"),
              (Grades{{"MOIST", "14.5"}, {"TW", "57"}}));
    for (const char* none : {"Priced", "Installment Sale", "Redelivered"})
        EXPECT_EQ(hvx::DefaultGradeResults("Storage Ticket", none, "D1", "CORN"), Grades{});
    EXPECT_EQ(hvx::DefaultGradeResults("Direct In", "Grain Bank", " ", "CORN"), Grades{});
    // A grade row needs both parts, the factor first.
    EXPECT_EQ(hvx::GradeRowProblem(" ", ""), "Grade factor is required.");
    EXPECT_EQ(hvx::GradeRowProblem("MOIST", " "), "Result is required.");
    EXPECT_EQ(hvx::GradeRowProblem("MOIST", "0"), "");
}

}  // namespace
