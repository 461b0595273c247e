// A settlement's units applied to its sources, the checks before a save and
// the assemblies' record locks, on every engine.
#include <gtest/gtest.h>

#include "platform/Session.h"
#include "settlement/AssemblyLocks.h"
#include "settlement/SettlementLocks.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SourceAllocation.h"
#include "settlement/SourceValidation.h"
#include "abi/LockRequest.h"
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
                          double dollars = 0, const char* to = "Priced",
                          const char* contract = "") {
    SettlementDetailItem line;
    line.dlLink = dlLink;
    line.source = kind;
    line.sourceRef = std::string(kind) == "Assembly" ? std::string("A-") + link[1] : "R";
    line.sourceLink = link;
    line.unitsSet = units;
    line.totPrice = dollars;
    line.toDpr = to;
    line.contract = contract;
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
    static void Reset() {
        for (const char* table : {"HVXGR02", "HVXGR02S", "HVXGR03A", "HVXGR04D", "HVXGR04F"})
            Exec(std::string("DELETE FROM ") + table);
        SeedSplit("A-1", "L1", "500", "100.0000");
        SeedSplit("A-2", "L2", "300", "60.0000");
        SeedTicket("T1", "L2", "ST1", "80");
        SeedContract("9001", "Storage Ticket", "1000.0000");
        SeedContract("9002", "Installment Sale", "500.0000", "100.00");
    }
    // The seeded rows, those of the same key replaced.
    static Texts Seeded(const Texts& changed) {
        Texts rows = {"L1\t100.0000\tF", "L2\t60.0000\tF", "T1\t0.0000\tF",
                      "9001\t1000.0000\tO\t0.00", "9002\t500.0000\tO\t100.00"};
        for (const std::string& c : changed)
            for (std::string& row : rows)
                if (row.substr(0, row.find('\t')) == c.substr(0, c.find('\t'))) row = c;
        return rows;
    }
};
HVX_DATABASE_TEST_SUITE(SourceAllocation);

TEST_P(SourceAllocation, OnlyTheChangeSinceTheLoadMovesAndRemovedSourcesGiveBack) {
    const struct {
        const char* name;
        SettlementType type;
        Lines loaded;
        Texts removed;
        Lines added;
        Texts changed;
    } cases[] = {
        {"a new settlement takes its lines", kSingle, {}, {},
         {Line("1", "Assembly", "L1", 60.5), Line("2", "Assembly", "L1", 39.5)},
          {"L1\t200.0000\tF"}},
        {"a changed line moves the difference", kSingle, {Line("1", "Assembly", "L1", 100)}, {"1"},
         {Line("2", "Assembly", "L1", 70)}, {"L1\t70.0000\tF"}},
        {"a removed source gives back", kMultiple,
         {Line("1", "Assembly", "L2", 60), Line("2", "Assembly", "L1", 10)}, {"1"}, {},
          {"L2\t0.0000\tF"}},
        {"a ticket counts on its split", kMultiple, {}, {}, {Line("1", "Scale Ticket", "ST1", 25)},
         {"T1\t25.0000\tF", "L2\t85.0000\tF"}},
        {"contracts of a multiple-source settlement", kMultiple, {}, {},
         {Line("1", "Storage Ticket", "9001", 30, 12.5), Line("2", "Installment Sale", "9002", 20,
          70)},
         {"9001\t970.0000\tO\t0.00", "9002\t480.0000\tO\t170.00"}},
        {"a Priced source is no contract", kMultiple, {}, {}, {Line("1", "Priced", "9001", 10)},
         {}},
        {"a single-source contract moves by its totals, once", kSingle,
         {Line("1", "Storage Ticket", "9001", 30), Line("2", "Storage Ticket", "9001", 20)}, {"2"},
         {Line("3", "Storage Ticket", "9001", 45, 0, "Grain Bank", "K-3")},
          {"9001\t975.0000\tO\t0.00"}},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            Reset();
            SettlementRecordSet set = Build(c.type, c.loaded, c.removed, c.added);
            std::string message;
            const auto apply = [&](auto& cn) {
                return ApplySettlementToSources(cn, set, ContractSourceOf(set), message);
            };
            for (const char* when : {"", ", saved again unchanged"}) {
                EXPECT_TRUE(InForm(form, apply)) << message;
                EXPECT_EQ(SourceRecords(), Seeded(c.changed))
                    << c.name << when << " (" << FormName(form) << ")";
            }
        }
}

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
    for (const auto& c : cases) {
        Reset();
        SettlementRecordSet set = Build(kMultiple, {}, {}, {c.line});
        HVXConnection connection(1);
        std::string message;
        hvx::Session::FailStatementForTesting(c.failStatement);
        EXPECT_FALSE(ApplySettlementToSources(connection, set, {}, message));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(set.details.UniqueSources().front().UnitDelta(), 5) << c.message;
        EXPECT_EQ(SourceRecords(), Seeded({}));
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
        {"60.0000", {}, {Line("1", "Assembly", "L1", 40)}, ""},
        {"60.0000", {}, {Line("1", "Assembly", "L1", 50)}, beyond + "10.00 units. <L1>"},
        {"100.0000", {Line("1", "Assembly", "L1", 60)}, {}, ""},  // its own units count once
        {"60.000004", {}, {Line("1", "Assembly", "L1", 40)}, ""},
        {"60.00001", {}, {Line("1", "Assembly", "L1", 40)}, beyond + "0.00 units. <L1>"},
        {"0", {}, {Line("1", "Assembly", "L9", 1)}, "Unable to verify assembly detail line L9."},
        {"0", {}, {Line("1", "Setup", "", 5, 0, "Storage Ticket", "C-1")}, duplicate},
        {"0", {}, {Line("1", "Setup", "", 5, 0, "Storage Ticket", "C-2")}, ""},  // its own
        {"0", {}, {Line("1", "Setup", "", 5, 0, "Priced", "C-1")}, ""},
        {"0", {}, {Line("1", "Setup", "", 5, 0, "Grain Bank", "C-1")}, ""},
    };
    for (const auto& c : cases) {
        Exec("DELETE FROM HVXGR02S");
        Exec("DELETE FROM HVXGR04D");
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
        {LockPurpose::Delete, 7, refused + " Unable to delete settlement.", Texts(6, recnos[1]),
         {}},
        {LockPurpose::Reverse, 6, refused + " Unable to reverse settlement.", Texts(6, recnos[1]),
         {}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.refusals = c.refusals;
        // A-2 only through a removed source: its units go back, so it is locked too.
        SettlementRecordSet set = Build(kMultiple, {Line("1", "Assembly", "L2", 5)}, {"1"},
                                        {Line("2", "Assembly", "L1", 5), Line("3", "Scale Ticket",
                                         "ST1", 5),
                                         Line("4", "Assembly", "L1b", 5)});  // another split of A-1
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

}  // namespace
