// Day counts, rounding and default rates of the storage, service and interest
// charges.
#include <gtest/gtest.h>

#include "rules/ChargeTestData.h"
#include "rules/Charges.h"
#include "support/TestDatabase.h"

namespace {

using hvx::DailyCharge;

TEST(ChargeDays, BothDatesCountAndUnreadableDatesChargeNothing) {
    const struct {
        const char *start, *end;
        long days;
    } cases[] = {
        {"01/01/2024", "01/01/2024", 1}, {"01/01/2024", "12/31/2023", 0},
        {"01/01/2024", "01/31/2024", 31}, {"01/01/2024", "02/01/2024", 32},
        {"02/28/2024", "03/01/2024", 3}, {"01/01/2024", "01312024", 31},
        {"", "01/31/2024", 0}, {"02/30/2024", "03/01/2024", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " -> " + c.end);
        EXPECT_EQ(hvx::ChargeDays(c.start, c.end), c.days);
    }
}

TEST(StorageServiceCharge, RoundsTheChargeOfTheWholePeriod) {
    const struct {
        const char *quantity, *rate, *end;
        double charge;
    } cases[] = {
        {"1000", "0.002", "01/31/2024", 62.00},
        {"1000", "0.002", "12/31/2023", 0},
        {"2.675", "1", "01/01/2024", 2.68},       // 2.675 is held as 2.67499...
        {"333.3333", "0.0015", "01/01/2024", 0.50},
        {"12.5*", "0.01", "01/02/2024", 0.25},    // a typed amount keeps its marker
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.quantity) + " at " + c.rate + " to " + c.end);
        std::string rate = c.rate;
        EXPECT_DOUBLE_EQ(hvx::StorageServiceCharge("CORN", "01/01/2024", rate, c.quantity,
                                                   DailyCharge::Storage, c.end),
                         c.charge);
        EXPECT_EQ(rate, c.rate);
    }
}

TEST(InterestCharge, YearOf365Days) {
    const struct {
        const char *start, *rate, *amount, *end;
        double interest;
    } cases[] = {
        {"01/01/2023", "10", "1000.00", "12/31/2023", 100.00},
        {"01/01/2023", "10", "1000.00", "01/01/2023", 0.27},
        {"01/01/2023", "10", "1000.00", "12/31/2022", 0},
        {"", "10", "1000.00", "12/31/2023", 0},
        {"01/01/2023", "", "1000.00", "12/31/2023", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " -> " + c.end);
        EXPECT_DOUBLE_EQ(hvx::InterestCharge(c.start, c.rate, c.amount, c.end), c.interest);
    }
}

class DefaultChargeRate : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(DefaultChargeRate);

// The period decides the default rate, and the rate charged is written back.
TEST_P(DefaultChargeRate, ChosenByThePeriodAndWrittenBack) {
    hvxtest::Exec("INSERT INTO HVXGR51 (REFERENCE,SERVEDAY,STOREDAY,SERVDAY2,STOREDAY2,RECNO) "
                  "VALUES ('CORN','0.0010','0.0020','0.0015','',1)");
    const struct {
        const char* commodity;
        DailyCharge kind;
        const char *rate, *end;
        const char* rateAfter;
        double charge;
    } cases[] = {
        {"CORN", DailyCharge::Storage, "", "01/31/2024", "0.0020", 62.00},
        {"CORN", DailyCharge::Storage, "", "02/01/2024", "0.0020", 64.00},  // no later rate
        {"CORN", DailyCharge::Service, "", "01/31/2024", "0.0010", 31.00},
        {"CORN", DailyCharge::Service, "", "02/01/2024", "0.0015", 48.00},
        {"CORN", DailyCharge::Service, " ", "02/01/2024", "0.0015", 48.00},
        {"CORN", DailyCharge::Service, "0.003", "02/01/2024", "0.003", 96.00},
        {"CORN", DailyCharge::Service, "", "12/31/2023", "0.0010", 0},
        {"CORN", DailyCharge::Service, "", "", "", 0},
        {"WHEAT", DailyCharge::Storage, "", "01/31/2024", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.commodity) + " " + c.rate + " to " + c.end);
        std::string rate = c.rate;
        EXPECT_DOUBLE_EQ(
            hvx::StorageServiceCharge(c.commodity, "01/01/2024", rate, "1000", c.kind, c.end),
            c.charge);
        EXPECT_EQ(rate, c.rateAfter);
    }
}

}  // namespace
