// Storage, service and interest charges on every engine: day counts, rounding, default rates,
// the charge rows of a single-source line and of a multiple-source settlement, and the
// paid-through date a position starts with.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "rules/ChargeRows.h"
#include "rules/Charges.h"
#include "rules/PaidThroughDate.h"
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
        Exec(
            "INSERT INTO HVXGR40 (DSTORAGE,DSERVICE,DINTEREST,RECNO) VALUES "
            "('STOR','SERV','INT',1)");
        Exec(
            "INSERT INTO HVXGR51 (REFERENCE,SERVEDAY,STOREDAY,SERVDAY2,STOREDAY2,RECNO) VALUES "
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
    hvx::SetTodayForTesting({});
}

}  // namespace
