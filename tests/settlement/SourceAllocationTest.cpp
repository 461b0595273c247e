// A settlement's units applied to its sources, the checks before a save, and the unit operations on
// one source record in both connection forms, on every engine.
#include "settlement/AssemblySettle.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/PostedUnits.h"
#include "settlement/ScaleTicketSettle.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "settlement/SourceAllocation.h"
#include "settlement/SourceValidation.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;

SettlementDetailItem Line(const char* kind, const char* link, double units,
                          const char* to = "Priced", const char* contract = "") {
    SettlementDetailItem line;
    line.dlLink = "1", line.source = kind, line.sourceLink = link;
    line.sourceRef = std::string(kind) == "Assembly" ? std::string("A-") + link[1] : "R";
    line.unitsSet = units, line.toDpr = to, line.contract = contract;
    return line;
}

// A new settlement of the one line.
SettlementRecordSet Build(hvx::SettlementType type, const SettlementDetailItem& line) {
    SettlementRecordSet set;
    set.header.type = type;
    set.details.AddLine(line), set.defaults.FillFrom(line);
    return set;
}

class SourceAllocation : public DatabaseTest {
protected:
    static void Clear() {
        for (const char* table : {"HVXGR02S", "HVXGR03A", "HVXGR04D", "HVXGR04F", "HVXGR40"})
            Exec(std::string("DELETE FROM ") + table);
    }
};
HVX_DATABASE_TEST_SUITE(SourceAllocation);

// A failed settle leaves the source as it was and the line's units still to apply.
TEST_P(SourceAllocation, AFailedSettleNamesTheSourceKindAndCommitsNothing) {
    SeedSplit("A-1", "L1", "500", "100.0000"), SeedSplit("A-2", "L2", "300", "60.0000");
    SeedTicket("T1", "L2", "ST1", "80");
    const std::string before = SplitsAndTickets();
    for (Form form : kForms)
        for (const auto& [line, update, shown] :
             {std::tuple{Line("Assembly", "L1", 5), 3, "Settle assembly routine failed."},
              {Line("Scale Ticket", "ST1", 5), 4, "Settle scale ticket routine failed."}}) {
            SCOPED_TRACE(std::string(shown) + " (" + FormName(form) + ")");
            SettlementRecordSet set = Build(hvx::SettlementType::MultipleSource, line);
            std::string message;
            hvx::Session::FailStatementForTesting(update);  // after the rows were held and read
            EXPECT_FALSE(InForm(form, [&](auto& cn) {
                return ApplySettlementToSources(cn, set, {}, message);
            }));
            hvx::Session::FailStatementForTesting(0);
            EXPECT_EQ(message, shown);
            EXPECT_EQ(set.details.UniqueSources().front().UnitDelta(), 5);
            EXPECT_EQ(SplitsAndTickets(), before);
        }
}

// Held in the transaction, a source that another save has drawn on since the checks refuses
// more than it still has: split L1 (share 100, 96 settled), ticket ST1 (80, 78 settled),
// contract GB-7 (10 open), installment sale 9002 (10 open, paid off in dollars).
TEST_P(SourceAllocation, SourcesRefuseUnitsTheyNoLongerHave) {
    const std::string meanwhile =
        "\nAnother user's save took these units while this settlement was being saved.";
    const std::string beyond = "Saving this settlement will make settled units greater than ";
    for (Form form : kForms)
        for (const auto& [line, shown] : {
                 std::pair{Line("Assembly", "L1", 5),
                           beyond + "assembly A-1 share units by 1.00 units. <L1>" + meanwhile},
                 {Line("Assembly", "L1", 4), std::string()},
                 {Line("Scale Ticket", "ST1", 2.5),
                  beyond + "scale ticket R units by 0.50 units. <ST1>" + meanwhile},
                 {Line("Grain Bank", "9001", 10.25),
                  beyond + "contract GB-7 open units by 0.25 units. <9001>" + meanwhile},
                 {Line("Installment Sale", "9002", 12), std::string()}}) {
            SCOPED_TRACE(line.sourceLink + " (" + FormName(form) + ")");
            Clear();
            SeedSplit("A-1", "L1", "100", "96.0000"), SeedSplit("A-2", "L2", "300");
            SeedTicket("T1", "L2", "ST1", "80", "78.0000");
            SeedContract("9001", "Grain Bank", "10"), SeedContract("9002", "Installment Sale", "10");
            Exec("UPDATE HVXGR04F SET CONTRACT='GB-7'");
            const std::string before = SplitsAndTickets();
            SettlementRecordSet set = Build(hvx::SettlementType::MultipleSource, line);
            std::string message;
            EXPECT_EQ(InForm(form, [&](auto& cn) {
                          return ApplySettlementToSources(cn, set, {}, message);
                      }), shown.empty());
            EXPECT_EQ(message, shown);
            EXPECT_TRUE(shown.empty() || SplitsAndTickets() == before);
        }
}

// Split L1 (share 100) with the settled units given; settlement 77 stores contract C-1. (Its own
// units and contracts are met by the settlement walk's saves again.)
TEST_P(SourceAllocation, ValidationRefusesSharesExceededAndContractsUsedTwice) {
    const std::string beyond =
        "Saving this settlement will make settled units greater than assembly A-1 share units by ";
    for (const auto& [settled, line, shown] : {
             std::tuple{"60.0000", Line("Assembly", "L1", 50), beyond + "10.00 units. <L1>"},
             {"60.000004", Line("Assembly", "L1", 40), std::string()},
             {"60.00001", Line("Assembly", "L1", 40), beyond + "0.00 units. <L1>"},
             {"0", Line("Assembly", "L9", 1), "Unable to verify assembly detail line L9."},
             {"0", Line("Setup", "", 5, "Storage Ticket", "C-1"),
              "Contract C-1 source Storage Ticket is has already been entered. Cannot duplicate "
              "this settlement contract."}}) {
        Clear();
        SeedSplit("A-1", "L1", "100", settled);
        Exec("INSERT INTO HVXGR04D (SETLINK,TODPR,CONTRACT,RECNO) VALUES "
             "('77','Storage Ticket','C-1',1)");
        SettlementRecordSet set = Build(hvx::SettlementType::SingleSource, line);
        std::string message;
        EXPECT_EQ(ValidateSources(set.details, "500", message), shown.empty()) << settled;
        EXPECT_EQ(message, shown);
    }
}

// Split L1 with the case's share, settled units and tickets ("tick units [settled flag]",
// STDLINEID "S" + tick), and X1, a ticket of another split; the split, a ticket or nothing settles.
TEST_P(SourceAllocation, SplitsAndTicketsHoldTheirSettledUnitsAndFlags) {
    const struct {
        const char *byTicket, *share, *settled, *tickets, *link;
        double units;
        const char* after;  // the split, then its tickets
    } cases[] = {
        {"F", "0", "0.0000", "", "L1", 5, "L1 5.0000 F"},  // a share of 0 is never settled
        {"F", "100", "99.99999", "", "L1", 0.000006, "L1 100.0000 T"},  // equal at 5 decimals
        {"F", "100", "99.9999", "", "L1", 0.00004, "L1 99.9999 F"},     // short at 5 decimals
        {"F", "100", "30.0000", "", "L1", 0.12345, "L1 30.1235 F"},     // half away from zero
        {"F", "100", "50.00", "", "L9", 7, "L1 50.00 F"},
        {"T", "500", "40.0000", "T1 40 40.0000 D,T3 100,T2 80", "L1", 110,  // D keeps its units
         "L1 150.0000 F|T1 40.0000 D|T2 80.0000 T|T3 30.0000 F"},
        {"T", "150", "0.0000", "T1 100,T2 80", "L1", 150,  // a full split covers every ticket
         "L1 150.0000 T|T1 100.0000 T|T2 80.0000 T"},
        {"T", "500", "0.0000", "T1 -5,T2 100", "L1", 100,
         "L1 100.0000 F|T1 0.0000 F|T2 100.0000 T"},
        {"T", "500", "0.0000", "T1 0.1,T2 0.2", "L1", 0.3, "L1 0.3000 F|T1 0.1000 T|T2 0.2000 T"},
        {"T", "200", "50.0000", "T1 50 50.0000 D", "ST1", -10, "L1 40.0000 F|T1 40.0000 F"},
        {"T", "50", "0.0000", "T1 50", "ST1", 50, "L1 50.0000 T|T1 50.0000 D"},
        {"T", "50", "0.0000", "T1 50", "ST9", 50, "L1 0.0000 F|T1 0.0000 F"},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.after) + " (" + FormName(form) + ")");
            Clear();
            Insert("HVXGR40", "SETTBYTICK", {c.byTicket});
            SeedSplit("A-1", "L1", c.share, c.settled);
            for (const std::string& ticket : Fields(c.tickets, ',')) {
                Texts t = Fields(ticket, ' ');
                t.resize(4);
                SeedTicket(t[0], "L1", "S" + t[0], t[1], t[2].empty() ? "0.0000" : t[2],
                           t[3].empty() ? "F" : t[3]);
            }
            SeedTicket("X1", "L2", "SX1", "70");
            EXPECT_TRUE(InForm(form, [&](auto& cn) {
                return *c.link == 'L' ? SettleAssemblySplit(cn, c.link, c.units)
                                      : SettleScaleTicket(cn, c.link, c.units);
            }));
            EXPECT_EQ(SplitsAndTickets(), c.after + std::string("|X1 0.0000 F"));
        }
}

// (An installment sale's dollars and a refused update are met by the walk and the round trips.)
TEST_P(SourceAllocation, OpenContractKeepsItsOpenUnitsAndStatus) {
    for (Form form : kForms)
        for (const auto& [category, open, dlLink, units, after, shown] : {
                 std::tuple{"Priced Later", "100.0000", 9001, 100, "9001 0.0000 C 0.00", ""},
                 {"Grain Bank", "10.00004", 9001, 10, "9001 0.0000 C 0.00", ""},
                 {"Grain Bank", "10.0000", 9002, 10, "9001 10.0000 O 0.00",
                  "Error retrieving remaining units value from HVXGR04F."}}) {
            SCOPED_TRACE(std::string(category) + " (" + FormName(form) + ")");
            Clear();
            SeedContract("9001", category, open);
            std::string message;
            EXPECT_EQ(InForm(form, [&](auto& cn) {
                          return AdjustOpenContract(cn, dlLink, units, 0, message);
                      }), *shown == '\0');
            EXPECT_EQ(message, shown);
            EXPECT_EQ(Joined(Rows("SELECT DLLINK,OUNITS,STATUS,ISDOLUSED FROM HVXGR04F")), after);
        }
}

// Posted units of L1, L2 and L3, then whether A-1 and A-2 are settled.
TEST_P(SourceAllocation, PostedUnitsDecideWhetherTheAssemblyIsSettled) {
    Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A-1','F',1),('A-2','F',2)");
    SeedSplit("A-1", "L1", "100"), SeedSplit("A-2", "L3", "0");
    Insert("HVXGR02S", "ASSEMBLY,LINEID,SHAREUNITS,PSETUNITS", {"A-1", "L2", "50", "50.0000"});
    SeedTicket("T1", "L2", "ST1", "50");
    HVXSConnection connection(1, nullptr, 0);
    for (const auto& [kind, link, ref, units, after] : {
             std::tuple{"Assembly", "L1", "A-1", 60, "60.0000|50.0000|0.0000|F|F"},
             {"Assembly", "L1", "A-1", 40, "100.0000|50.0000|0.0000|T|F"},
             {"Scale Ticket", "ST1", "", -10, "100.0000|40.0000|0.0000|F|F"},
             {"Scale Ticket", "ST1", "", 10, "100.0000|50.0000|0.0000|T|F"},
             {"Assembly", "L3", "A-2", 5, "100.0000|50.0000|5.0000|T|F"},  // a share of 0
             {"Direct In", "L1", "A-1", 5, "100.0000|50.0000|5.0000|T|F"}}) {
        SCOPED_TRACE(std::string(kind) + " " + std::to_string(units));
        EXPECT_TRUE(PostSourceUnits(connection, kind, link, ref, units));
        EXPECT_EQ(Joined(Column("SELECT PSETUNITS FROM HVXGR02S ORDER BY LINEID")) + "|" +
                      Joined(Column("SELECT SETTLED FROM HVXGR02 ORDER BY ASSEMBLY")), after);
    }
}

}  // namespace
