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
    } cases[] = {{"T", true}, {"True", true}, {"t", false}, {" T", false}, {"", false},
                 {nullptr, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "<no row>");
        Exec("DELETE FROM HVXGR40");
        if (c.value) Exec(_HVXsprintf("INSERT INTO HVXGR40 (SETTBYTICK,RECNO) VALUES ('%s',1)", c.value));
        EXPECT_EQ(hvx::SettByTicket(), c.on);
    }
}

TEST_P(Configuration, DeductionCodesBackOfficeAndShipmentSettings) {
    const hvx::ShipmentConfiguration none = hvx::ReadShipmentConfiguration();
    EXPECT_EQ(none.config9 + none.config19 + none.backOffice + hvx::BackOfficeSetting(), "");
    char code[41];
    std::strcpy(code, "stale");
    hvx::ChargeDeductionCode(hvx::ChargeKind::Service, code, sizeof code);
    EXPECT_STREQ(code, "");

    Exec(_HVXsprintf("INSERT INTO HVXGR40 (DSERVICE,DSTORAGE,DINTEREST,CONFIG9,CONFIG19,BCKOFFCE,"
                     "RECNO) VALUES ('SERV','%s','INT','T','F','TORVALE',1)",
                     std::string(45, 'X')));
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Service), "SERV");
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Storage), std::string(40, 'X'));
    EXPECT_EQ(hvx::ChargeDeductionCode(hvx::ChargeKind::Interest), "INT");
    // The buffer form never writes past the caller's buffer.
    std::memset(code, '#', sizeof code);
    hvx::ChargeDeductionCode(hvx::ChargeKind::Storage, code, 5);
    EXPECT_EQ(std::string(code, 6), std::string("XXXX\0#", 6));
    EXPECT_EQ(hvx::BackOfficeSetting(), "TORVALE");
    const hvx::ShipmentConfiguration read = hvx::ReadShipmentConfiguration();
    EXPECT_EQ(read.config9 + "|" + read.config19 + "|" + read.backOffice, "T|F|TORVALE");
}

}  // namespace
