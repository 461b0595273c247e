#include <gtest/gtest.h>

#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "shipments/ShipmentNumber.h"
#include "support/TestDatabase.h"

namespace {

using hvx::shipments::DrawShipmentNumber;
using hvxtest::Column;
using hvxtest::Exec;
using Texts = std::vector<std::string>;

class ShipmentNumbers : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(ShipmentNumbers);

TEST_P(ShipmentNumbers, DrawsTheNextUnusedNumberAndMovesTheCounterOn) {
    struct Case {
        const char* config8;  // as SQL
        const char* used;     // shipments already stored, as SQL rows
        const char* drawn;
        const char* next;
    };
    for (const Case& c : {Case{"''", "", "1", "2"}, Case{"NULL", "('1',1)", "2", "3"},
                          Case{"'7'", "('7',1),('8',2)", "9", "10"},
                          Case{"'41'", "('7',1)", "41", "42"}}) {
        SCOPED_TRACE(c.config8);
        Exec("DELETE FROM HVXGR40"), Exec("DELETE FROM HVXGR07");
        Exec(std::string("INSERT INTO HVXGR40 (CONFIG8,RECNO) VALUES (") + c.config8 + ",1)");
        if (*c.used) Exec(std::string("INSERT INTO HVXGR07 (REFERENCE,RECNO) VALUES ") + c.used);
        HVXSConnection connection;
        std::string number, message;
        ASSERT_TRUE(DrawShipmentNumber(connection, number, message)) << message;
        EXPECT_EQ(number, c.drawn);
        EXPECT_EQ(Column("SELECT CONFIG8 FROM HVXGR40"), Texts{c.next});
    }
}

TEST_P(ShipmentNumbers, NoRowOrAFailedStatementStopsTheDraw) {
    std::string number, message, error;
    HVXSConnection connection;
    EXPECT_FALSE(DrawShipmentNumber(connection, number, message));
    EXPECT_EQ(message,
              "Unable to assign a shipment number: the grain configuration (HVXGR40) has no row.");
    Exec("INSERT INTO HVXGR40 (CONFIG8,RECNO) VALUES ('5',1)");
    Exec("INSERT INTO HVXGR07 (REFERENCE,RECNO) VALUES ('5',1)");
    const char* const shown[] = {"Unable to read the next shipment number from HVXGR40.",
                                 "Unable to update the next shipment number in HVXGR40.",
                                 "Unable to read the shipments (HVXGR07)."};
    for (long n = 1; n <= 6; ++n) {  // two rounds: 5 is taken, 6 is drawn
        SCOPED_TRACE(n);
        ASSERT_TRUE(hvx::Session::Begin(error)) << error;
        hvx::Session::FailStatementForTesting(n);
        EXPECT_FALSE(DrawShipmentNumber(connection, number, message));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(message, shown[(n - 1) % 3]);
        ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
        EXPECT_EQ(Column("SELECT CONFIG8 FROM HVXGR40"), Texts{"5"});
    }
}

}  // namespace
