// A multiple-source settlement drawing on an assembly split, a scale ticket
// and an open contract, with an advance repayment, leaves the books whole on
// every engine: deleted unposted, or reversed once posted, every unit and
// every repaid dollar is back where it came from. Whichever statement of a
// deletion or a reversal fails, nothing of it stays.
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using hvx::settlement::SettlementDetailItem;
using hvxtest::Exec;
using hvxtest::Only;
using hvxtest::Rows;
using hvxtest::Tables;
using hvxtest::Texts;
using hvxtest::Without;

// Counters, locks and the save's assembly links (which the deletion leaves,
// keyed by the settlement link no other settlement will use) move on.
const std::initializer_list<std::string_view> kMovesOn = {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS",
                                                          "HVXGR04H"};
const std::initializer_list<std::string_view> kSourceTables = {"HVXGR02",  "HVXGR02S",
                                                               "HVXGR03A", "HVXGR57"};

class SettlementRoundTrip : public hvxtest::SettlementSaveFixture {
protected:
    void SetUp() override {
        SettlementSaveFixture::SetUp();
        SeedOtherSources();
        MultipleSourceSettlement();
    }

    // Assembly A200 with split 7002 of C1, delivered on scale ticket 2001 that
    // is settled as a source of its own; open storage-ticket contract ST-12
    // (300 units) made by settlement 12.
    static void SeedOtherSources() {
        Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A200','F',2)");
        Exec("INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
             "SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A200','','CORN','1',"
             "'Storage Ticket','C1','400.0000','0.0000','0.0000','F','7002',2)");
        Exec("INSERT INTO HVXGR03A (SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,"
             "DPRSTATUS,UNITS,UNITSSET,PRICE,SETTLED,RECNO) VALUES "
             "('2001','A200','7002','8101','','C1','Storage Ticket','400.0000','0.0000','','F',3)");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,POSTED,REVERSED,RECNO) VALUES "
             "('12','50','0','T','F',50)");
        Exec("INSERT INTO HVXGR04F (SETTLEMENT,SETLINK,DLLINK,CONTRACT,COMMODITY,LOCATION,CUSTREF,"
             "TODPR,UNITSSET,OUNITS,STATUS,STYPE,ISDOLUSED,RECNO) VALUES ('12','50','9900',"
             "'ST-12','CORN','1','C1','Storage Ticket','300.0000','300.0000','O','0','0.00',50)");
    }

    static SettlementDetailItem Line(const char* source, const char* ref, const char* link,
                                     const char* dlLink, double units) {
        SettlementDetailItem l;
        l.source = source, l.sourceRef = ref, l.sourceLink = link, l.dlLink = dlLink;
        l.commodity = "CORN", l.location = "1", l.fromDpr = "Storage Ticket", l.toDpr = "Priced";
        l.unitsSet = units, l.priceUnit = 4, l.totPrice = l.netAmt = units * 4;
        l.patronage = "T", l.submitted = "F", l.glCode = "21", l.stype = "1";
        l.status = "C", l.oUnits = "0.0000";
        return l;
    }

    // C1 sells 100 units of split 7001 (spread over its tickets), 50 of
    // ticket 2001 and 75 off contract ST-12, all priced at 4.00; 40.00 of the
    // 900.00 repays C1's advance.
    void MultipleSourceSettlement() {
        set = hvx::settlement::SettlementRecordSet{};
        set.header.custRef = "C1";
        set.header.custName = "Casey Farms";
        set.header.settDate = "03072024";
        set.header.entryDate = "03082024";
        set.header.type = hvx::SettlementType::MultipleSource;
        values = {"Priced", 4, 900, 858.75};
        set.details.AddLine(Line("Assembly", "A100", "7001", "9201", 100));
        set.details.AddLine(Line("Scale Ticket", "2001", "8101", "9202", 50));
        set.details.AddLine(Line("Storage Ticket", "ST-12", "9900", "9203", 75));
        for (const SettlementDetailItem& line : set.details.Items())
            set.units.Add(_HVXsprintf("%.4f", line.unitsSet), "4.0000", line.dlLink);
        set.deductions.Add("ADV", "40.00", "D", "T", "", "A100", "Assembly");
        set.deductions.Add("CHECKOFF", "1.25", "D", "F", "", "A100", "Assembly");
        set.payNames.Add("Casey Farms", false);
    }

    // C1 sells 60 and then 40 units off installment-sale contract ST-12 at
    // 4.00, a settlement of that one source.
    void SingleSourceContractSettlement() {
        Exec("UPDATE HVXGR04F SET TODPR='Installment Sale',ISDOLUSED='100.00' WHERE DLLINK='9900'");
        set = hvx::settlement::SettlementRecordSet{};
        values = {};
        set.header.custRef = "C1";
        set.header.custName = "Casey Farms";
        set.header.settDate = "03072024";
        set.header.entryDate = "03082024";
        for (const auto& [dlLink, units] : {std::pair{"9301", 60.0}, {"9302", 40.0}}) {
            SettlementDetailItem line = Line("Installment Sale", "ST-12", "9900", dlLink, units);
            line.fromDpr = "Installment Sale", line.stype = "0";
            set.defaults.FillFrom(line);
            set.units.Add(_HVXsprintf("%.4f", units), "4.0000", dlLink);
            set.details.AddLine(std::move(line));
        }
    }

    static Texts Contract() {
        return Rows("SELECT OUNITS,STATUS,ISDOLUSED FROM HVXGR04F WHERE DLLINK='9900'");
    }
    static Texts Sources() {
        return Rows("SELECT LINEID,SETTUNITS,SETTLED FROM HVXGR02S UNION ALL "
                    "SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A UNION ALL "
                    "SELECT DLLINK,OUNITS,STATUS FROM HVXGR04F WHERE SETTLEMENT='12' ORDER BY 1");
    }
    std::string Shown() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};
HVX_DATABASE_TEST_SUITE(SettlementRoundTrip);

TEST_P(SettlementRoundTrip, SaveDrawsOnEverySource) {
    const Texts before = Sources();
    ASSERT_TRUE(SaveUndrawn()) << message;
    EXPECT_EQ(Sources(), (Texts{"1001\t100.0000\tF", "1002\t0.0000\tF", "2001\t50.0000\tF",
                                "7001\t100.0000\tF", "7002\t50.0000\tF", "9900\t225.0000\tO"}));
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t40.00\tO", "2\t0.00\tO"}));
    EXPECT_NE(Sources(), before);
}

TEST_P(SettlementRoundTrip, DeletionGivesEverySourceContractAndAdvanceBack) {
    const Tables before = Snapshot();
    ASSERT_TRUE(SaveUndrawn()) << message;
    ASSERT_TRUE(hvx::settlement::DeleteSettlement(window)) << Shown();
    EXPECT_EQ(Without(Snapshot(), kMovesOn), Without(before, kMovesOn));
    EXPECT_TRUE(Held().empty());
}

TEST_P(SettlementRoundTrip, ReversalGivesEverythingBackAndPostsANegatedCopy) {
    const Tables before = Snapshot();
    const Texts sourcesBefore = Sources();
    SaveAndPost();
    ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
    EXPECT_TRUE(Held().empty());

    EXPECT_EQ(Sources(), sourcesBefore);
    EXPECT_EQ(Only(Snapshot(), kSourceTables), Only(before, kSourceTables));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,REVERSED,POSTED,CHECKAMT FROM HVXGR04 WHERE RECNO<>50 "
                   "ORDER BY RECNO"),
              (Texts{"41\tT\tT\t858.75", "42\tT\tT\t-858.75"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SOURCE,SOURCELINK,UNITSSET,TOTPRICE,STATUS,REVERSED,POSTED "
                   "FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"41\tAssembly\t7001\t100.0000\t400.00\tC\tT\tT",
                     "41\tScale Ticket\t8101\t50.0000\t200.00\tC\tT\tT",
                     "41\tStorage Ticket\t9900\t75.0000\t300.00\tC\tT\tT",
                     "42\tAssembly\t7001\t-100.0000\t-400.00\tC\tT\tT",
                     "42\tScale Ticket\t8101\t-50.0000\t-200.00\tC\tT\tT",
                     "42\tStorage Ticket\t9900\t-75.0000\t-300.00\tC\tT\tT"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,UNITSSET,GROSSAMT,NETAMT,STATUS,REVERSED FROM HVXGR04F "
                   "WHERE SETTLEMENT<>'12' ORDER BY RECNO"),
              (Texts{"41\t225.0000\t900.00\t858.75\tC\tT",
                     "42\t-225.0000\t-900.00\t-858.75\tC\tT"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,DEDUCT,AMOUNT FROM HVXGR04C ORDER BY RECNO"),
              (Texts{"41\tADV\t40.00", "41\tCHECKOFF\t1.25", "42\tADV\t-40.00",
                     "42\tCHECKOFF\t-1.25"}));
    EXPECT_EQ(Rows("SELECT AMOUNT,SOURCELINK FROM HVXGR57A ORDER BY RECNO"),
              (Texts{"40.00\t51", "-40.00\t52"}));
    // One journal row per copied line, under the copy's number.
    EXPECT_EQ(Rows("SELECT SOURCE,DEST,NETUNITS,REFERENCE FROM HVXGR29 ORDER BY RECNO"),
              (Texts{"Storage Ticket\tPriced\t-100.0000\t42",
                     "Storage Ticket\tPriced\t-50.0000\t42",
                     "Storage Ticket\tPriced\t-75.0000\t42"}));
}

// A settlement of one open contract gives the contract its units and
// dollars back once, summed over its lines, whichever way it leaves.
TEST_P(SettlementRoundTrip, SingleSourceContractGetsItsUnitsBackOnce) {
    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse ? "reversal" : "deletion");
        TearDown();
        SetUp();
        SingleSourceContractSettlement();
        const Texts contract = Contract();
        ASSERT_EQ(contract, Texts{"300.0000\tO\t100.00"});
        if (reverse)
            SaveAndPost();
        else
            ASSERT_TRUE(SaveUndrawn()) << message;
        EXPECT_EQ(Contract(), Texts{"200.0000\tO\t500.00"});
        const bool done = reverse ? hvx::settlement::ReverseSettlement(window)
                                  : hvx::settlement::DeleteSettlement(window);
        ASSERT_TRUE(done) << (reverse ? message : Shown());
        EXPECT_EQ(Contract(), contract);
        EXPECT_TRUE(Held().empty());
    }
}

// Deletion and reversal are all or nothing: whichever statement fails,
// every table is as before and no lock is held.
TEST_P(SettlementRoundTrip, DeletionIsAllOrNothing) {
    const auto failures = FailEachStatementInTurn(
        [this] {
            MultipleSourceSettlement();
            ASSERT_TRUE(SaveUndrawn()) << message;
        },
        [this] { return hvx::settlement::DeleteSettlement(window); }, [this] { return Shown(); },
        [] {});
    EXPECT_EQ(failures.unnoticed, std::vector<long>{});
    EXPECT_EQ(failures.lastFailure, "Error committing connection transaction.");
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR04 WHERE SETTLEMENT='41'"), Texts{"0"});
}

// A reversal is all or nothing but for the parts it lives without: a failed
// ledger or journal rule of one line, or a failed receivable entry, leaves
// nothing of itself and the reversal goes through, whole otherwise.
TEST_P(SettlementRoundTrip, ReversalIsAllOrNothingButForItsPostingParts) {
    Texts sourcesBefore;
    const auto failures = FailEachStatementInTurn(
        [&] {
            sourcesBefore = Sources();
            MultipleSourceSettlement();
            SaveAndPost();
        },
        [this] { return hvx::settlement::ReverseSettlement(window); },
        [this] { return message; }, [] {},
        [&] {
            EXPECT_EQ(Sources(), sourcesBefore);
            EXPECT_EQ(Rows("SELECT SETTLEMENT,REVERSED,POSTED FROM HVXGR04 WHERE RECNO<>50 "
                           "ORDER BY RECNO"),
                      (Texts{"41\tT\tT", "42\tT\tT"}));
            EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR04D WHERE SETTLEMENT='42' AND POSTED='T'"),
                      Texts{"3"});
            // At most the one failed line's journal row is missing.
            const Texts journal = Rows("SELECT COUNT(*) FROM HVXGR29");
            EXPECT_TRUE(journal == Texts{"3"} || journal == Texts{"2"}) << journal[0];
        });
    EXPECT_FALSE(failures.unnoticed.empty());
    EXPECT_LT(failures.unnoticed.size(), 40u) << "only the posting parts may fail alone";
    EXPECT_GT(failures.failedRuns, 50);
    EXPECT_EQ(failures.lastFailure, "Unable to commit transaction.");
    EXPECT_EQ(Rows("SELECT SETTLEMENT,REVERSED FROM HVXGR04 WHERE RECNO<>50 ORDER BY RECNO"),
              (Texts{"41\tT", "42\tT"}));
}

}  // namespace
