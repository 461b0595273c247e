// The unit operations on one source record, in both connection forms and on
// every engine: settled units and flags of splits and tickets, spreading over
// tickets in ticket order, open units of contracts, posted units.
#include <gtest/gtest.h>

#include "platform/Session.h"
#include "settlement/AssemblySettle.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/PostedUnits.h"
#include "settlement/ScaleTicketSettle.h"
#include "SourceAllocationTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;

class SourceSettle : public DatabaseTest {
protected:
    static void Reset() {
        for (const char* table : {"HVXGR02", "HVXGR02S", "HVXGR03A", "HVXGR04F", "HVXGR40"})
            Exec(std::string("DELETE FROM ") + table);
    }
};
HVX_DATABASE_TEST_SUITE(SourceSettle);

struct SeededTicket {
    const char *tick, *units, *set = "0.0000", *flag = "F";
};

TEST_P(SourceSettle, SplitsAndTicketsHoldTheirSettledUnitsAndFlags) {
    enum Op { kSplit, kTicket };
    // Split L1 with the case's share and settled units, the case's tickets on
    // it (STDLINEID "S" + ticket), and X1, a ticket of another split.
    const struct {
        const char *name, *byTicket, *share, *settled;
        std::vector<SeededTicket> tickets;
        Op op;
        const char* link;
        double units;
        const char* split;
        Texts tickets_after;
    } cases[] = {
        {"settled to its share", "F", "100", "0.0000", {}, kSplit, "L1", 100, "L1\t100.0000\tT",
         {}},
        {"units given back", "F", "100", "100.0000", {}, kSplit, "L1", -10, "L1\t90.0000\tF", {}},
        {"a share of 0 is never settled", "F", "0", "0.0000", {}, kSplit, "L1", 5, "L1\t5.0000\tF",
         {}},
        {"equal at 5 decimals", "F", "100", "99.99999", {}, kSplit, "L1", 0.000006,
         "L1\t100.0000\tT", {}},
        {"short at 5 decimals", "F", "100", "99.9999", {}, kSplit, "L1", 0.00004, "L1\t99.9999\tF",
         {}},
        {"rounded half away from zero", "F", "100", "30.0000", {}, kSplit, "L1", 0.12345,
         "L1\t30.1235\tF", {}},
        {"0 units write nothing", "F", "100", "50.00", {}, kSplit, "L1", 0, "L1\t50.00\tF", {}},
        {"no split with the link", "F", "100", "50.00", {}, kSplit, "L9", 7, "L1\t50.00\tF", {}},
        {"150 over 100, 80, 50 in ticket order", "T", "500", "0.0000",
         {{"T3", "50"}, {"T1", "100"}, {"T2", "80"}}, kSplit, "L1", 150, "L1\t150.0000\tF",
         {"T1\t100.0000\tT", "T2\t50.0000\tF", "T3\t0.0000\tF"}},
        {"a ticket settled by ticket keeps its units", "T", "500", "40.0000",
         {{"T1", "40", "40.0000", "D"}, {"T2", "100"}, {"T3", "80"}}, kSplit, "L1", 110,
         "L1\t150.0000\tF", {"T1\t40.0000\tD", "T2\t100.0000\tT", "T3\t10.0000\tF"}},
        {"a fully settled split covers every ticket", "T", "150", "0.0000",
         {{"T1", "100"}, {"T2", "80"}}, kSplit, "L1", 150, "L1\t150.0000\tT",
         {"T1\t100.0000\tT", "T2\t80.0000\tT"}},
        {"a negative ticket gets nothing", "T", "500", "0.0000", {{"T1", "-5"}, {"T2", "100"}},
         kSplit, "L1", 100, "L1\t100.0000\tF", {"T1\t0.0000\tF", "T2\t100.0000\tT"}},
        {"0.1 and 0.2 use up 0.3", "T", "500", "0.0000", {{"T1", "0.1"}, {"T2", "0.2"}}, kSplit,
         "L1", 0.3, "L1\t0.3000\tF", {"T1\t0.1000\tT", "T2\t0.2000\tT"}},
        {"all given back", "T", "500", "150.0000",
         {{"T1", "100", "100.0000", "T"}, {"T2", "80", "50.0000"}}, kSplit, "L1", -150,
         "L1\t0.0000\tF", {"T1\t0.0000\tF", "T2\t0.0000\tF"}},
        {"not settled by ticket", "F", "500", "0.0000", {{"T1", "100"}}, kSplit, "L1", 150,
         "L1\t150.0000\tF", {"T1\t0.0000\tF"}},
        {"a ticket settled to its units, not spread", "T", "200", "0.0000",
         {{"T1", "50"}, {"T2", "100"}}, kTicket, "ST1", 50, "L1\t50.0000\tF",
         {"T1\t50.0000\tD", "T2\t0.0000\tF"}},
        {"a ticket one unit short", "T", "200", "0.0000", {{"T1", "50"}}, kTicket, "ST1", 49,
         "L1\t49.0000\tF", {"T1\t49.0000\tF"}},
        {"a ticket given back", "T", "200", "50.0000", {{"T1", "50", "50.0000", "D"}}, kTicket,
         "ST1", -10, "L1\t40.0000\tF", {"T1\t40.0000\tF"}},
        {"a ticket fills its split", "T", "50", "0.0000", {{"T1", "50"}}, kTicket, "ST1", 50,
         "L1\t50.0000\tT", {"T1\t50.0000\tD"}},
        {"no ticket with the link", "T", "50", "0.0000", {{"T1", "50"}}, kTicket, "ST9", 50,
         "L1\t0.0000\tF", {"T1\t0.0000\tF"}},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            Reset();
            Exec(std::string("INSERT INTO HVXGR40 (SETTBYTICK,RECNO) VALUES ('") + c.byTicket +
                 "',1)");
            SeedSplit("A-1", "L1", c.share, c.settled);
            for (const SeededTicket& t : c.tickets)
                SeedTicket(t.tick, "L1", std::string("S") + t.tick, t.units, t.set, t.flag);
            SeedTicket("X1", "L2", "SX1", "70");
            EXPECT_TRUE(InForm(form, [&](auto& cn) {
                return c.op == kSplit ? SettleAssemblySplit(cn, c.link, c.units)
                                      : SettleScaleTicket(cn, c.link, c.units);
            }));
            Texts tickets = c.tickets_after;
            tickets.push_back("X1\t0.0000\tF");
            EXPECT_EQ(Splits(), Texts{c.split}) << c.name << " (" << FormName(form) << ")";
            EXPECT_EQ(Tickets(), tickets) << c.name << " (" << FormName(form) << ")";
        }
}

TEST_P(SourceSettle, OpenContractKeepsItsOpenUnitsStatusAndDollarsUsed) {
    const struct {
        const char *name, *category, *open, *used;
        double dlLink, units, dollars;
        const char *after, *message;
    } cases[] = {
        {"closed at 0", "Priced Later", "100.0000", "0.00", 9001, 100, 0, "0.0000\tC\t0.00", ""},
        {"reopened", "Priced Later", "0.0000", "0.00", 9001, -40, 0, "40.0000\tO\t0.00", ""},
        {"installment sale dollars", "Installment Sale", "100.0000", "10.00", 9001, 25, 87.5,
         "75.0000\tO\t97.50", ""},
        {"other dollars unused", "Storage Ticket", "100.0000", "10.00", 9001, 25, 87.5,
         "75.0000\tO\t10.00", ""},
        {"closed below 4 decimals", "Grain Bank", "10.00004", "0.00", 9001, 10, 0,
         "0.0000\tC\t0.00", ""},
        {"no contract", "Grain Bank", "10.0000", "0.00", 9002, 10, 0, "10.0000\tO\t0.00",
         "Error retrieving remaining units value from HVXGR04F."},
    };
    for (Form form : kForms) {
        for (const auto& c : cases) {
            Reset();
            SeedContract("9001", c.category, c.open, c.used);
            std::string message;
            EXPECT_EQ(InForm(form, [&](auto& cn) {
                          return AdjustOpenContract(cn, c.dlLink, c.units, c.dollars, message);
                      }),
                      *c.message == '\0');
            EXPECT_EQ(message, c.message) << c.name;
            EXPECT_EQ(Contracts(), Texts{std::string("9001\t") + c.after})
                << c.name << " (" << FormName(form) << ")";
        }
        std::string message;  // the update itself refused
        hvx::Session::FailStatementForTesting(2);
        EXPECT_FALSE(
            InForm(form, [&](auto& cn) { return AdjustOpenContract(cn, 9001, 1, 0, message); }));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(message, "Error updating the remaining units field in HVXGR04F.");
    }
}

TEST_P(SourceSettle, PostedUnitsDecideWhetherTheAssemblyIsSettled) {
    for (const char* assembly : {"A-1", "A-2"})
        Insert("HVXGR02", "ASSEMBLY,SETTLED", {assembly, "F"});
    SeedSplit("A-1", "L1", "100");
    Insert("HVXGR02S", "ASSEMBLY,LINEID,SHAREUNITS,PSETUNITS", {"A-1", "L2", "50", "50.0000"});
    SeedSplit("A-2", "L3", "0");
    SeedTicket("T1", "L2", "ST1", "50");
    const struct {
        const char *kind, *link, *ref;
        double units;
        Texts posted, assemblies;
    } steps[] = {
        {"Assembly", "L1", "A-1", 60, {"60.0000", "50.0000", "0.0000"}, {"A-1\tF", "A-2\tF"}},
        {"Assembly", "L1", "A-1", 40, {"100.0000", "50.0000", "0.0000"}, {"A-1\tT", "A-2\tF"}},
        {"Scale Ticket", "ST1", "", -10, {"100.0000", "40.0000", "0.0000"}, {"A-1\tF", "A-2\tF"}},
        {"Scale Ticket", "ST1", "", 10, {"100.0000", "50.0000", "0.0000"}, {"A-1\tT", "A-2\tF"}},
        {"Assembly", "L3", "A-2", 5, {"100.0000", "50.0000", "5.0000"}, {"A-1\tT", "A-2\tF"}},
        {"Direct In", "L1", "A-1", 5, {"100.0000", "50.0000", "5.0000"}, {"A-1\tT", "A-2\tF"}},
    };
    for (const auto& s : steps) {
        HVXSConnection connection(1, nullptr, 0);
        EXPECT_TRUE(PostSourceUnits(connection, s.kind, s.link, s.ref, s.units));
        EXPECT_EQ(Column("SELECT PSETUNITS FROM HVXGR02S ORDER BY LINEID"), s.posted)
            << s.kind << s.units;
        EXPECT_EQ(Rows("SELECT ASSEMBLY,SETTLED FROM HVXGR02 ORDER BY ASSEMBLY"), s.assemblies)
            << s.kind << " " << s.units;
    }
}

}  // namespace
