// A settlement's units applied to its sources, the checks before a save, the
// assemblies' record locks, and the unit operations on one source record in
// both connection forms, on every engine: settled units and flags of splits
// and tickets, spreading over tickets in ticket order, open units of
// contracts, posted units.
#include <gtest/gtest.h>

#include "platform/Session.h"
#include "settlement/AssemblyLocks.h"
#include "settlement/AssemblySettle.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/PostedUnits.h"
#include "settlement/ScaleTicketSettle.h"
#include "settlement/SettlementLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SourceAllocation.h"
#include "settlement/SourceValidation.h"
#include "shell/LockRequest.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "SourceAllocationTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::SettlementType;
using Lines = std::vector<SettlementDetailItem>;
constexpr SettlementType kSingle = SettlementType::SingleSource;
constexpr SettlementType kMultiple = SettlementType::MultipleSource;

SettlementDetailItem Line(const char* dlLink, const char* kind, const char* link, double units,
                          const char* to = "Priced", const char* contract = "") {
    SettlementDetailItem line;
    line.dlLink = dlLink, line.source = kind, line.sourceLink = link;
    line.sourceRef = std::string(kind) == "Assembly" ? std::string("A-") + link[1] : "R";
    line.unitsSet = units, line.toDpr = to, line.contract = contract;
    return line;
}

// A record set as loaded (the loaded lines count as saved), then changed.
SettlementRecordSet Build(SettlementType type, const Lines& loaded, const Texts& removed,
                          const Lines& added) {
    ScriptedUi ui;
    SettlementRecordSet set;
    set.header.type = type;
    set.details.SetLoading(true);
    for (const SettlementDetailItem& line : loaded) set.details.AddLine(line);
    set.details.SetLoading(false);
    set.loadedTotals = set.details.Totals();
    for (const std::string& link : removed) set.details.RemoveLine(link, ui);
    for (const SettlementDetailItem& line : added) set.details.AddLine(line);
    for (const Lines* lines : {&loaded, &added})
        for (const SettlementDetailItem& line : *lines) set.defaults.FillFrom(line);
    return set;
}

class SourceAllocation : public DatabaseTest {
protected:
    static void Clear() {
        for (const char* table :
             {"HVXGR02", "HVXGR02S", "HVXGR03A", "HVXGR04D", "HVXGR04F", "HVXGR40"})
            Exec(std::string("DELETE FROM ") + table);
    }
    static void Reset() {
        Clear();
        SeedSplit("A-1", "L1", "500", "100.0000");
        SeedSplit("A-2", "L2", "300", "60.0000");
        SeedTicket("T1", "L2", "ST1", "80");
        SeedContract("9001", "Storage Ticket", "1000.0000");
        SeedContract("9002", "Installment Sale", "500.0000", "100.00");
    }
};
HVX_DATABASE_TEST_SUITE(SourceAllocation);

TEST_P(SourceAllocation, AFailedStepLeavesItsMessageAndCommitsNothing) {
    const struct {
        SettlementDetailItem line;
        long failStatement;
        const char* message;
    } cases[] = {
        {Line("1", "Assembly", "L1", 5), 2, "Settle assembly routine failed."},
        {Line("1", "Scale Ticket", "ST1", 5), 2, "Settle scale ticket routine failed."},
        {Line("1", "Grain Bank", "9009", 5), 0,
         "Error retrieving remaining units value from HVXGR04F."},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            Reset();
            const Texts before = SourceRecords();
            SettlementRecordSet set = Build(kMultiple, {}, {}, {c.line});
            std::string message;
            hvx::Session::FailStatementForTesting(c.failStatement);
            EXPECT_FALSE(InForm(form, [&](auto& cn) {
                return ApplySettlementToSources(cn, set, {}, message);
            }));
            hvx::Session::FailStatementForTesting(0);
            EXPECT_EQ(message, c.message) << FormName(form);
            EXPECT_EQ(set.details.UniqueSources().front().UnitDelta(), 5) << c.message;
            EXPECT_EQ(SourceRecords(), before) << c.message;
        }
}

TEST_P(SourceAllocation, ValidationRefusesSharesExceededAndContractsUsedTwice) {
    const std::string beyond =
        "Saving this settlement will make settled units greater than assembly A-1 share units by ";
    const std::string duplicate = "Contract C-1 source Storage Ticket is has already been entered. "
                                  "Cannot duplicate this settlement contract.";
    const struct {
        const char* settled;
        Lines loaded, added;
        std::string message;
    } cases[] = {
        {"60.0000", {}, {Line("1", "Assembly", "L1", 50)}, beyond + "10.00 units. <L1>"},
        {"100.0000", {Line("1", "Assembly", "L1", 60)}, {}, ""},  // its own units count once
        {"60.000004", {}, {Line("1", "Assembly", "L1", 40)}, ""},
        {"60.00001", {}, {Line("1", "Assembly", "L1", 40)}, beyond + "0.00 units. <L1>"},
        {"0", {}, {Line("1", "Assembly", "L9", 1)}, "Unable to verify assembly detail line L9."},
        {"0", {}, {Line("1", "Setup", "", 5, "Storage Ticket", "C-1")}, duplicate},
        {"0", {}, {Line("1", "Setup", "", 5, "Storage Ticket", "C-2")}, ""},  // its own
        {"0", {}, {Line("1", "Setup", "", 5, "Priced", "C-1")}, ""},
        {"0", {}, {Line("1", "Setup", "", 5, "Grain Bank", "C-1")}, ""},
    };
    for (const auto& c : cases) {
        Clear();
        SeedSplit("A-1", "L1", "100", c.settled);
        Insert("HVXGR04D", "SETLINK,TODPR,CONTRACT", {"77", "Storage Ticket", "C-1"});
        Insert("HVXGR04D", "SETLINK,TODPR,CONTRACT", {"500", "Storage Ticket", "C-2"});
        SettlementRecordSet set = Build(kSingle, c.loaded, {}, c.added);
        std::string message;
        EXPECT_EQ(ValidateSources(set.details, "500", message), c.message.empty()) << c.settled;
        EXPECT_EQ(message, c.message);
    }
}

TEST_P(SourceAllocation, EachAssemblyIsLockedOnceReleasedAndNamedWhenRefused) {
    for (const char* assembly : {"A-1", "A-2"})
        Insert("HVXGR02", "ASSEMBLY,SETTLED", {assembly, "F"});
    const Texts recnos = Column("SELECT RECNO FROM HVXGR02 ORDER BY ASSEMBLY");
    const std::string refused = "Unable to lock assembly A-2 for update. This assembly does not "
                                "exist or is in use by another user.";
    const struct {
        LockPurpose purpose;
        int refusals;
        std::string message;
        Texts locks, unlocks;
    } cases[] = {
        {LockPurpose::Save, 0, "", {recnos[1], recnos[0]}, {recnos[1], recnos[0]}},
        {LockPurpose::Save, 6, refused + " Unable to save settlement.", Texts(6, recnos[1]), {}},
        // At most six attempts.
        {LockPurpose::Delete, 7, refused + " Unable to delete settlement.", Texts(6, recnos[1])},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.refusals = c.refusals;
        // A-2 only through a removed source: its units go back, so it is locked too.
        // L1b is another split of A-1.
        SettlementRecordSet set = Build(
            kMultiple, {Line("1", "Assembly", "L2", 5)}, {"1"},
            {Line("2", "Assembly", "L1", 5), Line("3", "Scale Ticket", "ST1", 5),
             Line("4", "Assembly", "L1b", 5)});
        std::string message;
        EXPECT_EQ(LockAssemblies(set.details, message, c.purpose), c.message.empty());
        EXPECT_EQ(message, c.message);
        hvx::Session::FailStatementForTesting(1);  // a release's first lookup fails
        EXPECT_TRUE(ReleaseAssemblies(set.details));
        hvx::Session::FailStatementForTesting(0);
        for (const SettlementUniqueDetailItem& s : set.details.UniqueSources())
            EXPECT_FALSE(s.locked);
        Texts locks, unlocks;
        for (const HostMessage& m : host.sent)
            (m.operation == hvx::kLockRecord ? locks : unlocks)
                .push_back(std::to_string(int(m.recno)));
        EXPECT_EQ(locks, c.locks) << c.message;
        EXPECT_EQ(unlocks, c.unlocks) << c.message;
    }
}

struct SeededTicket {
    const char *tick, *units, *set = "0.0000", *flag = "F";
};

TEST_P(SourceAllocation, SplitsAndTicketsHoldTheirSettledUnitsAndFlags) {
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
        {"a share of 0 is never settled", "F", "0", "0.0000", {}, kSplit, "L1", 5, "L1\t5.0000\tF",
         {}},
        {"equal at 5 decimals", "F", "100", "99.99999", {}, kSplit, "L1", 0.000006,
         "L1\t100.0000\tT", {}},
        {"short at 5 decimals", "F", "100", "99.9999", {}, kSplit, "L1", 0.00004, "L1\t99.9999\tF",
         {}},
        {"rounded half away from zero", "F", "100", "30.0000", {}, kSplit, "L1", 0.12345,
         "L1\t30.1235\tF", {}},
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
        {"not settled by ticket", "F", "500", "0.0000", {{"T1", "100"}}, kSplit, "L1", 150,
         "L1\t150.0000\tF", {"T1\t0.0000\tF"}},
        {"a ticket given back", "T", "200", "50.0000", {{"T1", "50", "50.0000", "D"}}, kTicket,
         "ST1", -10, "L1\t40.0000\tF", {"T1\t40.0000\tF"}},
        {"a ticket fills its split", "T", "50", "0.0000", {{"T1", "50"}}, kTicket, "ST1", 50,
         "L1\t50.0000\tT", {"T1\t50.0000\tD"}},
        {"no ticket with the link", "T", "50", "0.0000", {{"T1", "50"}}, kTicket, "ST9", 50,
         "L1\t0.0000\tF", {"T1\t0.0000\tF"}},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            Clear();
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
            SCOPED_TRACE(std::string(c.name) + " (" + FormName(form) + ")");
            Texts tickets = c.tickets_after;
            tickets.push_back("X1\t0.0000\tF");
            EXPECT_EQ(Splits(), Texts{c.split});
            EXPECT_EQ(Tickets(), tickets);
        }
}

TEST_P(SourceAllocation, OpenContractKeepsItsOpenUnitsStatusAndDollarsUsed) {
    const struct {
        const char *name, *category, *open, *used;
        double dlLink, units, dollars;
        const char *after, *message;
    } cases[] = {
        {"closed at 0", "Priced Later", "100.0000", "0.00", 9001, 100, 0, "0.0000\tC\t0.00", ""},
        {"installment sale dollars", "Installment Sale", "100.0000", "10.00", 9001, 25, 87.5,
         "75.0000\tO\t97.50", ""},
        {"closed below 4 decimals", "Grain Bank", "10.00004", "0.00", 9001, 10, 0,
         "0.0000\tC\t0.00", ""},
        {"no contract", "Grain Bank", "10.0000", "0.00", 9002, 10, 0, "10.0000\tO\t0.00",
         "Error retrieving remaining units value from HVXGR04F."},
    };
    for (Form form : kForms) {
        for (const auto& c : cases) {
            Clear();
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

TEST_P(SourceAllocation, PostedUnitsDecideWhetherTheAssemblyIsSettled) {
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
