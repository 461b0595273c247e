// Settings read from the configuration table HVXGR40, on every engine.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Format.h"
#include "shell/Configuration.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Exec;

class Configuration : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(Configuration);

TEST_P(Configuration, SettByTicketTakesOnlyAnUpperCaseT) {
    const struct {
        const char* value;  // null: no configuration row
        bool on;
    } cases[] = {{"T", true}, {"True", true}, {"t", false}, {"true", false},
                 {"F", false}, {"", false}, {" T", false}, {nullptr, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "<no row>");
        Exec("DELETE FROM HVXGR40");
        if (c.value) Exec(_HVXsprintf("INSERT INTO HVXGR40 (SETTBYTICK,RECNO) VALUES ('%s',1)", c.value));
        EXPECT_EQ(hvx::SettByTicket(), c.on);
    }
}

TEST_P(Configuration, ChargeDeductionCodes) {
    const std::string longCode(45, 'X');
    Exec(_HVXsprintf("INSERT INTO HVXGR40 (DSERVICE,DSTORAGE,DINTEREST,RECNO) VALUES "
                     "('SERV','%s','',1)",
                     longCode));
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Service), "SERV");
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Storage), std::string(40, 'X'));
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Interest), "");

    // The buffer form never writes past the caller's buffer.
    char small[4 + 1 + 2];
    std::memset(small, '#', sizeof small);
    hvx::ChargeDeductionCode(hvx::ChargeKind::Storage, small, 5);
    EXPECT_STREQ(small, "XXXX");
    EXPECT_EQ(small[5], '#');
    char full[41];
    hvx::ChargeDeductionCode(hvx::ChargeKind::Service, full, sizeof full);
    EXPECT_STREQ(full, "SERV");

    Exec("DELETE FROM HVXGR40");
    std::strcpy(full, "stale");
    hvx::ChargeDeductionCode(hvx::ChargeKind::Service, full, sizeof full);
    EXPECT_STREQ(full, "");
}

TEST_P(Configuration, BackOfficeAndShipmentSettings) {
    EXPECT_EQ(hvx::BackOfficeSetting(), "");
    const hvx::ShipmentConfiguration none = hvx::ReadShipmentConfiguration();
    EXPECT_EQ(none.config9 + none.config19 + none.backOffice, "");

    Exec("INSERT INTO HVXGR40 (CONFIG9,CONFIG19,BCKOFFCE,RECNO) VALUES ('T','F','TORVALE',1)");
    EXPECT_EQ(hvx::BackOfficeSetting(), "TORVALE");
    const hvx::ShipmentConfiguration read = hvx::ReadShipmentConfiguration();
    EXPECT_EQ(read.config9, "T");
    EXPECT_EQ(read.config19, "F");
    EXPECT_EQ(read.backOffice, "TORVALE");
}

}  // namespace
