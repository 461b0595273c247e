// The demo cooperative's checks as a bank's positive pay sees them: the pay-to
// line with the lien holder who must endorse, on every engine.
#include <gtest/gtest.h>

#include "support/TestDatabase.h"
#include "tools/AdminRun.h"

namespace {

class PositivePayDemo : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(PositivePayDemo);

TEST_P(PositivePayDemo, ListsTheSeasonsChecksByNumber) {
    ASSERT_EQ(hvxtest::AdminOn(connection_, {"seed-demo"}).code, 0);
    const hvxtest::AdminResult r = hvxtest::AdminOn(
        connection_, {"positive-pay", "--from", "02/20/2026", "--to", "03/05/2026"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(
        r.out,
        "CHECKNUM,ISSUEDATE,AMOUNT,PAYEE,STATUS\r\n"
        "10238,02/20/2026,9120.87,Schmidt Acres,I\r\n"
        "10244,03/02/2026,2741.60,Anderson Family Farms,I\r\n"
        "10245,03/05/2026,5210.52,Patrick O'Brien and First State Bank of Prairie City,I\r\n");
}

}  // namespace
