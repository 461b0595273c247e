// The position bookkeeping of a posted reversing copy: each rule on its own,
// then a whole line.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/HVXSConnection.h"
#include "rules/ReversalPosting.h"
#include "support/FakeHost.h"
#include "support/TestDatabase.h"

namespace {

using hvx::ReversalLine;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

class ReversalPosting : public hvxtest::DatabaseTest {
protected:
    // A position with distinct day, month and year totals, so that a total
    // written to the wrong column shows.
    static void SeedPosition() {
        Exec("DELETE FROM HVXGR51A");
        Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,URECVM,URECVY,USHIPD,USHIPM,"
             "USHIPY,DPRCO,NUMCHANGE,RECNO) VALUES ('CORN','1','100.0000','1000.0000',"
             "'10000.0000','50.0000','500.0000','5000.0000','200.0000','0',1)");
    }
    static std::string Totals(double received, double shipped, double owned) {
        char text[160];
        std::snprintf(text, sizeof text, "%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f",
                      100 + received, 1000 + received, 10000 + received, 50 + shipped,
                      500 + shipped, 5000 + shipped, 200 + owned);
        return text;
    }
    static Texts Position() {
        return Rows("SELECT URECVD,URECVM,URECVY,USHIPD,USHIPM,USHIPY,DPRCO FROM HVXGR51A");
    }
    static ReversalLine Line(const char* source, const char* from, const char* to) {
        return {"CORN", "1", -10, source, from, to, "000321"};
    }
    hvxtest::FakeHost host;
    HVXSConnection connection{1, nullptr, 0};
};
HVX_DATABASE_TEST_SUITE(ReversalPosting);

using Rule = std::function<bool(HVXSConnection&, const ReversalLine&)>;

TEST_P(ReversalPosting, RulesOneToFourEachOnTheirOwn) {
    const Rule setup = [](HVXSConnection& c, const ReversalLine& l) {
        return hvx::PostSetupReversal(c, nullptr, l);
    };
    const Rule directIn = [](HVXSConnection& c, const ReversalLine& l) {
        return hvx::PostDirectInReversal(c, nullptr, l);
    };
    const Rule owned = [](HVXSConnection& c, const ReversalLine& l) {
        return hvx::PostCompanyOwnedReversal(c, l);
    };
    const Rule redelivered = [](HVXSConnection& c, const ReversalLine& l) {
        return hvx::PostRedeliveredReversal(c, nullptr, l);
    };
    const struct {
        const char* name;
        const Rule* rule;
        ReversalLine line;
        double received, shipped, owned;  // changes of the totals (units are -10)
        std::size_t notices;
    } cases[] = {
        {"1 setup", &setup, Line("Setup", "", "Storage Ticket"), -10, 0, 0, 1},
        {"1 not setup", &setup, Line("Assembly", "Assembly", "Priced"), 0, 0, 0, 0},
        {"2 direct in", &directIn, Line("Direct In", "", "Priced"), 0, 10, 0, 0},
        {"2 not direct in", &directIn, Line("Setup", "", "Priced Later"), 0, 0, 0, 0},
        {"3 sold", &owned, Line("Assembly", "Assembly", "Priced"), 0, 0, -10, 0},
        {"3 installment", &owned, Line("Storage Ticket", "Storage Ticket", "Installment Sale"), 0,
         0, -10, 0},
        {"3 setup sold", &owned, Line("Setup", "", "Installment Sale"), 0, 0, -10, 0},
        {"3 installment paid", &owned, Line("Installment Sale", "Installment Sale", "Priced"), 0,
         0, 0, 0},
        {"3 not sold", &owned, Line("Storage Ticket", "Storage Ticket", "Grain Bank"), 0, 0, 0,
         0},
        {"4 redelivered", &redelivered, Line("Grain Bank", "Grain Bank", "Redelivered"), 0, -10,
         0, 0},
        {"4 not redelivered", &redelivered, Line("Assembly", "Assembly", "Priced"), 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SeedPosition();
        host.broadcasts.clear();
        EXPECT_TRUE((*c.rule)(connection, c.line));
        EXPECT_EQ(Position(), Texts{Totals(c.received, c.shipped, c.owned)});
        EXPECT_EQ(host.broadcasts.size(), c.notices);
        EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR29"), Texts{"0"});
    }
}

TEST_P(ReversalPosting, RuleFiveJournalsEveryLine) {
    Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('7',1)");
    const struct {
        ReversalLine line;
        const char* source;
    } cases[] = {
        {Line("Setup", "", "Storage Ticket"), "Setup"},
        {Line("Direct In", "Priced Later", "Priced"), "Direct In"},
        {Line("Assembly", "Assembly", "Redelivered"), "Assembly"},
        {Line("Scale Ticket", "Assembly", "Priced"), "Assembly"},
        {Line("Storage Ticket", "Storage Ticket", "Priced"), "Storage Ticket"},
    };
    Texts expected;
    for (const auto& c : cases) {
        EXPECT_EQ(hvx::ReversalJournalSource(c.line), c.source);
        ASSERT_TRUE(hvx::WriteReversalJournal(connection, c.line));
        expected.push_back(std::string(c.source) + "\t" + c.line.toCategory +
                           "\t-10.0000\t000321\tSettlement\t\t");
    }
    EXPECT_EQ(Rows("SELECT SOURCE,DEST,NETUNITS,REFERENCE,PROGRAM,STATUS,NUMCHANGE FROM HVXGR29 "
                   "ORDER BY RECNO"),
              expected);
    EXPECT_EQ(Column("SELECT TRANNUM FROM HVXGR29 ORDER BY RECNO").front(), "00000007");
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR51A"), Texts{"0"});
}

TEST_P(ReversalPosting, WholeLineRunsEveryRuleEvenAfterAFailure) {
    // A direct-in sale: shipped units back, company-owned units down, one row.
    Exec("INSERT INTO HVXGR40 (NEXTDPR,RECNO) VALUES ('1',1)");
    SeedPosition();
    EXPECT_TRUE(hvx::PostReversalLine(connection, nullptr, Line("Direct In", "", "Priced")));
    EXPECT_EQ(Position(), Texts{Totals(0, 10, -10)});
    EXPECT_EQ(Column("SELECT SOURCE FROM HVXGR29"), Texts{"Direct In"});

    // Without an activity counter the journal fails, but the position is
    // still brought back and the failure is reported.
    Exec("DELETE FROM HVXGR40");
    Exec("DELETE FROM HVXGR29");
    SeedPosition();
    EXPECT_FALSE(hvx::PostReversalLine(connection, nullptr, Line("Setup", "", "Installment Sale")));
    EXPECT_EQ(Position(), Texts{Totals(-10, 0, -10)});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM HVXGR29"), Texts{"0"});
}

}  // namespace
