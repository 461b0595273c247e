// Deletion and reversal on every engine: what a settlement took goes back to
// its sources, contracts and advances exactly once.
#include "settlement/ReversalCopy.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "windows/pricing/PricePage.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;

// Counters, locks and the save's assembly links (which the deletion leaves,
// keyed by the settlement link no other settlement will use) move on.
const std::initializer_list<std::string_view> kMovesOn = {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS",
                                                          "HVXGR04H"};
const char* const kPaidOutAdvance =
    "INSERT INTO HVXGR57 (CUSTREF,AMOUNT,RAMOUNT,OPENPAID,SETTLELINK,SETTLEMENT,ADVLINK,RECNO) "
    "VALUES ('C1','75.00','%s','O','1','41','9',9)";

// The page's rows, amounts and units negated as a reversing copy holds them when asked.
std::string PageRows(const hvx::PricePage& page, bool negated = false) {
    const auto sign = [&](const std::string& v) { return negated ? NegateText(v) : v; };
    std::string rows;
    for (const auto& r : page.UnitsList().Items()) rows += sign(r.units) + "@" + r.price + " ";
    for (const auto& r : page.Deductions().Items())
        rows += r.reference + sign(r.amount) + r.da + r.advance + " ";
    for (const auto& r : page.Grades()) rows += r.gradeFactor + "=" + r.result;
    return rows;
}

class SettlementRoundTrip : public SettlementSaveFixture {
protected:
    // Assembly A200 with split 7002 of C1, delivered on scale ticket 2001 that
    // is settled as a source of its own; open storage-ticket contract ST-12
    // (300 units) made by settlement 12. The settlement starts empty.
    void SeedOtherSources(hvx::SettlementType type) {
        Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A200','F',2)");
        Exec("INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
             "SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A200','','CORN','1',"
             "'Storage Ticket','C1','400.0000','0.0000','0.0000','F','7002',2)");
        Exec("INSERT INTO HVXGR03A (SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,"
             "DPRSTATUS,UNITS,UNITSSET,PRICE,SETTLED,RECNO) VALUES ('2001','A200','7002','8101',"
             "'','C1','Storage Ticket','400.0000','0.0000','','F',3)");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,POSTED,REVERSED,RECNO) VALUES "
             "('12','50','0','T','F',50)");
        Exec("INSERT INTO HVXGR04F (SETTLEMENT,SETLINK,DLLINK,CONTRACT,COMMODITY,LOCATION,CUSTREF,"
             "TODPR,UNITSSET,OUNITS,STATUS,STYPE,ISDOLUSED,RECNO) VALUES ('12','50','9900',"
             "'ST-12','CORN','1','C1','Storage Ticket','300.0000','300.0000','O','0','0.00',50)");
        set.ClearLists();
        set.header.type = type;
        values = {};
    }

    // A line priced at 4.00 off a source other than A100.
    void AddLine(const char* source, const char* ref, const char* link, const char* dlLink,
                 double units, const char* stype) {
        SettlementDetailItem l = AssemblyLine(dlLink, "Priced", units, 4, units * 4);
        l.source = source, l.sourceRef = ref, l.sourceLink = link, l.stype = stype;
        if (*stype == '0') {  // the one source of a single-source settlement
            l.fromDpr = source;
            set.defaults.FillFrom(l);
        }
        set.units.Add(_HVXsprintf("%.4f", units), "4.0000", dlLink);
        set.details.AddLine(std::move(l));
    }

    // C1 sells 100 units of split 7001 (spread over its tickets), 50 of
    // ticket 2001 and 75 off contract ST-12; 40.00 of the 900.00 repays C1's
    // advance.
    void MultipleSourceSettlement() {
        SeedOtherSources(hvx::SettlementType::MultipleSource);
        values = {"Priced", 4, 900, 858.75};
        AddLine("Assembly", "A100", "7001", "9201", 100, "1");
        AddLine("Scale Ticket", "2001", "8101", "9202", 50, "1");
        AddLine("Storage Ticket", "ST-12", "9900", "9203", 75, "1");
        set.deductions.Add("ADV", "40.00", "D", "T", "", "A100", "Assembly");
        set.deductions.Add("CHECKOFF", "1.25", "D", "F", "", "A100", "Assembly");
        set.payNames.Add("Casey Farms", false);
    }

    static Texts Sources() {
        return Rows("SELECT LINEID,SETTUNITS,SETTLED FROM HVXGR02S UNION ALL "
                    "SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A UNION ALL "
                    "SELECT DLLINK,OUNITS,STATUS FROM HVXGR04F WHERE SETTLEMENT='12' ORDER BY 1");
    }
    static Texts Contract() {
        return Rows("SELECT OUNITS,STATUS,ISDOLUSED FROM HVXGR04F WHERE DLLINK='9900'");
    }
    std::string Shown() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};
HVX_DATABASE_TEST_SUITE(SettlementRoundTrip);

TEST(NegateText, FlipsTheSignAsText) {
    for (const auto& [in, out] : {std::pair{"100.0000", "-100.0000"}, {"-25.00", "25.00"},
                                  {"0.00", "-0.00"}, {"--1", "-1"}})
        EXPECT_EQ(NegateText(in), out) << in;
}

TEST_P(SettlementRoundTrip, DeletionIsAllOrNothingAndGivesEverythingBack) {
    Tables before;
    const auto failures = FailEachStatementInTurn(
        [&] {
            MultipleSourceSettlement();
            before = Snapshot();
            ASSERT_TRUE(Save()) << message;
            EXPECT_EQ(Sources(), (Texts{"1001\t100.0000\tF", "1002\t0.0000\tF",
                                        "2001\t50.0000\tF", "7001\t100.0000\tF",
                                        "7002\t50.0000\tF", "9900\t225.0000\tO"}));
            EXPECT_EQ(AdvanceState(), (Texts{"1\t40.00\tO", "2\t0.00\tO"}));
        }, [this] { return DeleteSettlement(window); }, [this] { return Shown(); }, [] {});
    EXPECT_EQ(failures.unnoticed, std::vector<long>{});
    EXPECT_EQ(failures.lastFailure, "Error committing connection transaction.\nCommit failed (test hook).");
    EXPECT_EQ(Without(Snapshot(), kMovesOn), Without(before, kMovesOn));
    EXPECT_EQ(set.header.recno, 0);
    EXPECT_EQ(set.details.Count(), 0u);
}

// All or nothing but for the parts a reversal lives without: a failed ledger
// or journal rule of one line, or a failed receivable entry, leaves nothing
// of itself and the reversal goes through, whole otherwise.
TEST_P(SettlementRoundTrip, ReversalIsAllOrNothingButForItsPostingPartsAndGivesEverythingBack) {
    Tables before;
    Texts sourcesBefore;
    const auto failures = FailEachStatementInTurn(
        [&] {
            MultipleSourceSettlement();
            before = Snapshot();
            sourcesBefore = Sources();
            SaveAndPost();
        }, [this] { return ReverseSettlement(window); }, [this] { return message; }, [] {},
        [&] {
            EXPECT_EQ(Sources(), sourcesBefore);
            EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR04D WHERE SETTLEMENT='42' AND POSTED='T'"),
                      Texts{"3"});
            // At most the one failed line's journal row is missing.
            const Texts journal = Rows("SELECT COUNT(*) FROM HVXGR29");
            EXPECT_TRUE(journal == Texts{"3"} || journal == Texts{"2"}) << journal[0];
        });
    EXPECT_FALSE(failures.unnoticed.empty());
    EXPECT_LT(failures.unnoticed.size(), 40u) << "only the posting parts may fail alone";
    EXPECT_GT(failures.failedRuns, 50);
    EXPECT_EQ(failures.lastFailure, "Unable to commit transaction.\nCommit failed (test hook).");
    EXPECT_TRUE(Held().empty());

    EXPECT_EQ(Sources(), sourcesBefore);
    EXPECT_EQ(Only(Snapshot(), {"HVXGR02", "HVXGR02S", "HVXGR03A", "HVXGR57"}),
              Only(before, {"HVXGR02", "HVXGR02S", "HVXGR03A", "HVXGR57"}));
    // The settlement-wide destination, deductions and repayments, negated.
    EXPECT_EQ(Rows("SELECT SETTLEMENT,UNITSSET,GROSSAMT,NETAMT,STATUS,REVERSED FROM HVXGR04F "
                   "WHERE SETTLEMENT<>'12' ORDER BY RECNO"),
              (Texts{"41\t225.0000\t900.00\t858.75\tC\tT",
                     "42\t-225.0000\t-900.00\t-858.75\tO\tT"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,DEDUCT,AMOUNT FROM HVXGR04C ORDER BY RECNO"),
              (Texts{"41\tADV\t40.00", "41\tCHECKOFF\t1.25", "42\tADV\t-40.00",
                     "42\tCHECKOFF\t-1.25"}));
    EXPECT_EQ(Rows("SELECT AMOUNT,SOURCELINK FROM HVXGR57A ORDER BY RECNO"),
              (Texts{"40.00\t9901", "-40.00\t9902"}));
}

// Each line's destination and child rows are copied; a line whose G/L code
// needs no entry (99) is copied as G/L posted, a paid-out advance marked R.
TEST_P(SettlementRoundTrip, ReversalMirrorsASingleSourceSettlementOnce) {
    const Tables before = Snapshot();
    SaveAndPost();
    Exec("UPDATE HVXGR52 SET MAKEENTRY='1',ARACCT1='1200',ARACCT2='1210',ARACCT3='1220',"
         "DESCRIPT='Checkoff' WHERE REFERENCE='CHECKOFF'");
    Exec("UPDATE HVXGR04D SET GLCODE='99' WHERE DLLINK='9102'");
    Exec(_HVXsprintf(kPaidOutAdvance, "0.00"));
    const SettlementRecordSet stale = set;

    ASSERT_TRUE(ReverseSettlement(window)) << message;
    EXPECT_EQ(message, "");
    EXPECT_TRUE(Held().empty());
    EXPECT_EQ(Only(Snapshot(), {"HVXGR02S", "HVXGR03A", "HVXGR02"}),
              Only(before, {"HVXGR02S", "HVXGR03A", "HVXGR02"}));
    EXPECT_EQ(AdvanceState(), (Texts{"1\t0.00\tO", "2\t0.00\tO", "9\t0.00\tR"}));
    // The repayment is undone by a negated copy, not deleted.
    EXPECT_EQ(Rows("SELECT ADVLINK,AMOUNT,SOURCELINK,PAIDLINK FROM HVXGR57A ORDER BY RECNO"),
              (Texts{"A1\t40.00\t1\t9101", "A1\t-40.00\t2\t" + Rows("SELECT DLLINK FROM HVXGR04D "
                                                                   "WHERE RECNO=3")[0]}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,ADTE,SETLINK,POSTED,REVERSED,CHECKAMT,STYPE,NUMCHANGE "
                   "FROM HVXGR04 ORDER BY RECNO"),
              (Texts{"41\t03/08/2024\t1\tT\tT\t808.75\t0\t0",
                     "42\t03/08/2024\t2\tT\tT\t-808.75\t0\t0"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,UNITSSET,TOTPRICE,GLCODE,STATUS,REVERSED,POSTED,"
                   "GLPOSTED,NUMCHANGE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"41\t1\t200.0000\t850.00\t21\tC\tT\tT\tF\t0",
                     "41\t1\t150.5000\t0.00\t99\tC\tT\tT\tF\t0",
                     "42\t2\t-200.0000\t-850.00\t21\tC\tT\tT\tF\t0",
                     "42\t2\t-150.5000\t-0.00\t99\tC\tT\tT\tT\t0"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,OUNITS,UNITSSET,GROSSAMT,NETAMT,STATUS,REVERSED "
                   "FROM HVXGR04F ORDER BY RECNO"),
              (Texts{"41\t1\t200.0000\t200.0000\t850.00\t808.75\tC\tT",
                     "41\t1\t150.5000\t150.5000\t0.00\t0.00\tC\tT",
                     "42\t2\t-200.0000\t-200.0000\t-850.00\t-808.75\tO\tT",
                     "42\t2\t-150.5000\t-150.5000\t-0.00\t-0.00\tO\tT"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,UNITS FROM HVXGR04B WHERE SETLINK='2' ORDER BY RECNO"),
              (Texts{"42\t-120.0000", "42\t-80.0000"}));
    EXPECT_EQ(Rows("SELECT DEDUCT,AMOUNT FROM HVXGR04C WHERE SETLINK='2' ORDER BY RECNO"),
              (Texts{"ADV\t-40.00", "CHECKOFF\t-1.25"}));
    EXPECT_EQ(Rows("SELECT GRADFACT,RESULT FROM HVXGR04A WHERE SETLINK='2'"),
              Texts{"MOIST\t15.000"});
    EXPECT_EQ(Rows("SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='2' ORDER BY RECNO"),
              Rows("SELECT PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='1' ORDER BY RECNO"));
    EXPECT_EQ(Rows("SELECT PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE FROM HVXGR29 ORDER BY RECNO"),
              (Texts{"Settlement\tStorage Ticket\tPriced\t-200.0000\t42",
                     "Settlement\tStorage Ticket\tStorage Ticket\t-150.5000\t42"}));
    // The copy's deduction of -1.25 is owed back to the customer.
    EXPECT_EQ(Rows("SELECT SOURCE,ARACCT1,ARACCT2,ARACCT3,DESCRIPT,CUSTREF,REFERENCE,AMOUNT,"
                   "STATUS FROM HVXGRAR"), Texts{"GR\t1200\t1210\t1220\tCheckoff\tC1\t42\t1.25\t"});

    // A second window still holding the settlement as it was reads that it
    // is reversed now (the copy is stored reversed too, above).
    const Tables reversed = Snapshot();
    set = stale;
    EXPECT_FALSE(ReverseSettlement(window));
    EXPECT_EQ(message, "This settlement has already been reversed. It cannot be reversed again.");
    EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(reversed, {"HVXLOCKS"}));
    EXPECT_TRUE(Held().empty());
}

TEST_P(SettlementRoundTrip, SingleSourceContractGetsItsUnitsAndDollarsBackOnce) {
    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse ? "reversal" : "deletion");
        TearDown();
        SetUp();
        SeedOtherSources(hvx::SettlementType::SingleSource);
        Exec("UPDATE HVXGR04F SET TODPR='Installment Sale',ISDOLUSED='100.00' WHERE DLLINK='9900'");
        AddLine("Installment Sale", "ST-12", "9900", "9301", 60, "0");
        AddLine("Installment Sale", "ST-12", "9900", "9302", 40, "0");
        ASSERT_EQ(Contract(), Texts{"300.0000\tO\t100.00"});
        ASSERT_TRUE(reverse ? (SaveAndPost(), true) : Save()) << message;
        EXPECT_EQ(Contract(), Texts{"200.0000\tO\t500.00"});
        ASSERT_TRUE(reverse ? ReverseSettlement(window) : DeleteSettlement(window))
            << (reverse ? message : Shown());
        EXPECT_EQ(Contract(), Texts{"300.0000\tO\t100.00"});
        EXPECT_TRUE(Held().empty());
    }
}

// A settlement posted in the window asks for no lock; one never saved only
// leaves the window, touching not even the stored rows whose settlement
// number is empty. (A refused lock: the lock test. The question before a
// deletion is the window's.)
TEST_P(SettlementRoundTrip, RefusalsComeBeforeAnyChange) {
    const std::string settledOnward = "UPDATE HVXGR04F SET OUNITS='100.0000' WHERE DLLINK='9102'";
    const std::string repaid = _HVXsprintf(kPaidOutAdvance, "10.00");
    const struct {
        bool reverse;
        std::string setup;  // SQL run after the save
        const char* message;
        bool postedInWindow = false, unsaved = false;
    } cases[] = {
        {true, settledOnward,
         "This settlement has units currently settled against it. Please remove or reverse "
         "these settlements first."},
        {false, settledOnward,
         "Settlement has settled units. Please delete all settlements with units from this "
         "settlement and try again."},
        {true, repaid,
         "This settlement has advances paid against it. It cannot be reversed until the "
         "advance payments are removed."},
        {false, repaid, "Cannot delete Advance. It has payments applied to it."},
        {false, "UPDATE HVXGR04 SET POSTED='T'", "Cannot delete posted settlement."},
        {false, "", "Cannot delete posted settlement.", true},
        {false, "", "", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message) + (c.unsaved ? " (unsaved)" : ""));
        TearDown();
        SetUp();
        ASSERT_TRUE(c.unsaved || Save()) << message;
        if (!c.setup.empty()) Exec(c.setup);
        set.header.posted = c.reverse || c.postedInWindow;
        const Tables before = Snapshot();
        host.sent.clear();
        EXPECT_EQ(c.reverse ? ReverseSettlement(window) : DeleteSettlement(window), c.unsaved);
        EXPECT_EQ(c.reverse ? message : Shown(), c.message);
        if (!c.reverse && !c.unsaved) {
            EXPECT_EQ(ui.messages.back().caption, "Harvexa");
        }
        EXPECT_EQ(Without(Snapshot(), {"HVXLOCKS"}), Without(before, {"HVXLOCKS"}));
        EXPECT_TRUE(Held().empty());
        if (c.postedInWindow || c.unsaved) {
            EXPECT_TRUE(host.sent.empty());
        }
        EXPECT_EQ(set.details.Count(), c.unsaved ? 0u : 2u);
    }
}

// 200 units of split 7001 sold (single-source: at two prices), with an advance repayment, a
// checkoff typed by hand and a moisture result entered on the page and the line accepted; saved,
// loaded back onto a page, then reversed.
TEST_P(SettlementRoundTrip, WhatThePricePageEntersIsLoadedBackAndReversedNegated) {
    using enum hvx::SettlementType;
    for (const hvx::SettlementType type : {SingleSource, MultipleSource}) {
        const bool single = type == SingleSource;
        SCOPED_TRACE(single ? "single-source" : "multiple-source");
        TearDown(), SetUp();
        set.ClearLists(), set.header.type = type;
        SettlementDetailItem line = AssemblyLine("9101", "Priced", 200, 4.25, 0);
        hvx::PricePage page(ui, type);
        page.Fill(set, line);
        page.Inputs().sourceLines = {{"Assembly", "A100", "Priced", 200, 0, 4.25, 850, "21"}};
        auto& d = page.Data();
        for (const char* price : {"4.25", "4.30"})
            if (single) d.units = "100", d.price = price, page.AcceptPrice(), page.NewPrice();
        for (const auto& [code, amount] : {std::pair{"ADV", "40.00"}, {"CHECKOFF", "1.25*"}})
            d.deduction = code, d.amount = amount, d.da = "D", page.AcceptDeduction();
        d.gradeFactor = "MOIST", d.result = "15.000", page.AcceptGrade();
        line.priceUnit = page.Average(), line.totPrice = page.Gross(), line.netAmt = page.Net();
        page.Store(set, line), set.details.AddLine(line);
        values = {"Priced", page.Average(), page.Gross(), page.Net()};
        EXPECT_EQ(PageRows(page), std::string(single ? "100@4.25 100@4.30 " : "") +
                                      "ADV40.00DT CHECKOFF1.25*DF MOIST=15.000");

        SaveAndPost();
        for (const auto& [setLink, negated] : {std::pair{"1", false}, {"2", true}}) {
            SettlementRecordSet loaded;
            hvx::PricePage reloaded(ui, type);
            ASSERT_TRUE(LoadSettlement(loaded, setLink, type, ui));
            reloaded.Fill(loaded, loaded.details.Items().front());
            EXPECT_EQ(PageRows(reloaded), PageRows(page, negated)) << setLink;
            if (!negated) {
                ASSERT_TRUE(ReverseSettlement(window)) << message;
            }
        }
    }
}

}  // namespace
