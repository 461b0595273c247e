// Saving a settlement on every engine: the exact rows of a new single-source
// settlement and of a multiple-source one, read back as they were written,
// what a change and a re-save leave behind, the check amount, every way out
// of the save with its message and lock order, and a save that is all or
// nothing whichever of its statements fails.
#include <functional>

#include "platform/Session.h"
#include "settlement/CheckAmount.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using namespace hvx::settlement;
using hvx::SettlementType;
using hvxtest::Exec;
using hvxtest::Rows;
using hvxtest::Texts;

class SettlementSave : public hvxtest::SettlementSaveFixture {
protected:
    static Texts Header() {
        return Rows("SELECT SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,"
                    "CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO FROM HVXGR04");
    }
    static Texts Sources() {
        return Rows("SELECT 'split',SETTUNITS,SETTLED FROM HVXGR02S UNION ALL "
                    "SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A ORDER BY 1");
    }
    // 100 units of split 7001 and 50 of ticket 1002 sold to one destination.
    void MultipleSource() {
        set.details.Clear();
        set.deductions.Clear();
        set.header.type = SettlementType::MultipleSource;
        SettlementDetailItem fromSplit = hvxtest::AssemblyLine("9201", "Priced", 100, 4.1, 0);
        SettlementDetailItem fromTicket = hvxtest::AssemblyLine("9202", "Priced", 50, 4.1, 0);
        fromSplit.location.clear();
        fromSplit.status = "O";
        fromTicket.source = "Scale Ticket", fromTicket.sourceRef = "1002";
        fromTicket.sourceLink = "8002", fromTicket.location = "3";
        for (SettlementDetailItem* line : {&fromSplit, &fromTicket}) {
            line->stype = "1";
            set.details.AddLine(*line);
        }
        set.terms.submitted = "T";
        set.terms.ssDate = "04/01/2024";
        set.terms.isDate = "05012024";
        set.terms.sRateDate = "0.0015";
        set.deductions.Add("ADV", "25.00", "D", "T", "", "A100", "Assembly");
        values = {"Priced", 4.1, 615, 590};
    }
    // Every failed save leaves the header as it was; the commit is the last
    // statement that can fail it.
    std::vector<long> FailEachSaveStatement(const std::function<void()>& arrange) {
        SettlementHeader header;
        const auto failures = FailEachStatementInTurn(
            [&] {
                arrange();
                header = set.header;
            },
            [this] { return Save(); }, [this] { return message; },
            [&] {
                EXPECT_EQ(set.header.recno, header.recno);
                EXPECT_EQ(set.header.settlement, header.settlement);
            });
        EXPECT_EQ(failures.lastFailure, "Unable to commit transaction.");
        EXPECT_GT(failures.failedRuns, 40);
        return failures.unnoticed;
    }
};
HVX_DATABASE_TEST_SUITE(SettlementSave);

// Whichever statement fails, every table is as it was, every lock is
// released and the record set is as it was, so the next save does the whole
// work once: under the first number, with no unit or repayment kept by a
// failed attempt.
TEST_P(SettlementSave, NewSettlementIsAllOrNothingWritesEveryRowAndReadsBackAsSaved) {
    EXPECT_EQ(FailEachSaveStatement([] {}), std::vector<long>{});
    EXPECT_EQ(message, "");
    EXPECT_EQ(set.header.recno, 1);
    EXPECT_EQ(set.header.setLink, "1");
    EXPECT_EQ(set.header.settlement, "41");
    EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});

    // The check pays the Priced line's net amount only.
    EXPECT_EQ(Header(), (Texts{"41\tC1\tCasey Farms\t03/08/2024\t03/07/2024\t1\tF\tF\t\t808.75\t"
                               "0\t0\t1"}));
    EXPECT_EQ(Rows("SELECT RECNO,SETTLEMENT,SETLINK,SOURCE,SOURCEREF,UNITSSET,TODPR,CONTRACT,"
                   "SETDTE,PATRONAGE,STATUS,REVERSED,SOURCELINK,DLLINK,POSTED,GLPOSTED,PRICEUNIT,"
                   "TOTPRICE,STYPE,NUMCHANGE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"1\t41\t1\tAssembly\tA100\t200.0000\tPriced\t\t03/07/2024\tT\tC\tF\t7001\t"
                     "9101\tF\tF\t4.2500\t850.00\t0\t0",
                     "2\t41\t1\tAssembly\tA100\t150.5000\tStorage Ticket\tST-88\t03/07/2024\tT\t"
                     "O\tF\t7001\t9102\tF\tF\t0.0000\t0.00\t0\t0"}));
    EXPECT_EQ(Rows("SELECT RECNO,DESTLINK,SETLINK,DLLINK,SETDTE,STATUS,OUNITS,UNITSSET,TODPR,"
                   "CONTRACT,SRATEDATE,SSDATE,ISDATE,AVGPRICE,GROSSAMT,NETAMT,STYPE,SUBMITTED "
                   "FROM HVXGR04F ORDER BY RECNO"),
              (Texts{"1\t1\t1\t9101\t03/07/2024\tC\t0.0000\t200.0000\tPriced\t\t\t<NULL>\t"
                     "<NULL>\t4.2500\t850.00\t808.75\t0\tF",
                     "2\t2\t1\t9102\t03/07/2024\tO\t150.5000\t150.5000\tStorage Ticket\tST-88\t"
                     "0.0020\t03/07/2024\t<NULL>\t0.0000\t0.00\t0.00\t0\tF"}));
    EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK,RECNO FROM HVXGR04H ORDER BY RECNO"),
              (Texts{"1\tA100\t1\t1", "2\tA100\t1\t2"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE FROM HVXGR04B ORDER BY RECNO"),
              (Texts{"41\t1\t9101\t120.0000\t4.2500", "41\t1\t9101\t80.0000\t4.2500"}));
    EXPECT_EQ(Rows("SELECT SETLINK,DLLINK,DEDUCT,AMOUNT,DA FROM HVXGR04C ORDER BY RECNO"),
              (Texts{"1\t9101\tADV\t40.00\tD", "1\t9101\tCHECKOFF\t1.25\tD"}));
    EXPECT_EQ(Rows("SELECT SETLINK,DLLINK,GRADFACT,RESULT FROM HVXGR04A"),
              (Texts{"1\t9101\tMOIST\t15.000"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,PAYNAME,PNTYPE FROM HVXGR04E ORDER BY RECNO"),
              (Texts{"41\t1\tO'Brien Farms\t0", "41\t1\tFirst Bank\t1"}));

    // 350.5 units leave the split, spread over its tickets in ticket order.
    EXPECT_EQ(Sources(), (Texts{"1001\t300.0000\tT", "1002\t50.5000\tF", "split\t350.5000\tF"}));
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t40.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t40.00\t1\t9101\t"}));
    EXPECT_EQ(Rows("SELECT RDATE FROM HVXGR57A"), Texts{"03/08/2024"});

    // Read back, with what the save filled in and its sources counted as saved.
    ui.messages.clear();
    SettlementRecordSet loaded;
    loaded.units.Add("stale", "stale", "99");
    ASSERT_TRUE(LoadSettlement(loaded, "1", SettlementType::SingleSource, ui));
    EXPECT_TRUE(ui.messages.empty());
    const SettlementHeader& h = loaded.header;
    EXPECT_EQ(h.settlement + "|" + h.custRef + "|" + h.custName + "|" + h.checkAmt, 
              "41|C1|Casey Farms|808.75");
    EXPECT_EQ(h.settDate, "03082024");  // the entry date, in the window's form
    EXPECT_FALSE(h.posted);
    EXPECT_EQ(loaded.defaults.sourceKind, "Assembly");
    EXPECT_EQ(loaded.defaults.contract, "ST-88");  // the first line that has one
    auto lines = set.details.Items();
    for (SettlementDetailItem& l : lines)
        l.setDte = "03/07/2024", l.avgPrice = l.priceUnit, l.grossAmt = l.totPrice;
    EXPECT_EQ(loaded.details.Items(), lines);
    for (const SettlementUniqueDetailItem& s : loaded.details.UniqueSources()) {
        EXPECT_DOUBLE_EQ(s.savedUnits, 350.5);
        EXPECT_DOUBLE_EQ(s.savedDollars, 850);
        EXPECT_EQ(s.UnitDelta(), 0);
        EXPECT_EQ(s.DollarDelta(), 0);
    }
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 350.5);
    EXPECT_FALSE(loaded.details.Loading());
    EXPECT_FALSE(loaded.details.Changed());
    EXPECT_EQ(loaded.units.Nodes(), set.units.Nodes());
    EXPECT_EQ(loaded.deductions.Nodes(), set.deductions.Nodes());  // flags from HVXGR52
    EXPECT_EQ(loaded.grades.Nodes(), set.grades.Nodes());
    EXPECT_EQ(loaded.payNames.Nodes(), set.payNames.Nodes());
}

TEST_P(SettlementSave, LoadRefusalsShowTheirMessage) {
    ASSERT_TRUE(Save()) << message;
    const struct {
        const char* link;
        SettlementType window;
        const char* message;
        std::size_t linesLeft;
    } cases[] = {
        {"999", SettlementType::SingleSource,
         "Unable to find record with this settlement link <999>", 0},
        {"1", SettlementType::MultipleSource,
         "Incorrect settlement type for this settlement window.", 0},
        // The stored line without its destination record.
        {"1", SettlementType::SingleSource,
         "Error retrieving record from HVXGR04F. Unable to load settlement.", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.linesLeft) Exec("DELETE FROM HVXGR04F WHERE DLLINK='9102'");
        hvxtest::ScriptedUi shown;
        SettlementRecordSet loaded;
        EXPECT_FALSE(LoadSettlement(loaded, c.link, c.window, shown));
        ASSERT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(shown.messages[0].text, c.message);
        EXPECT_EQ(shown.messages[0].caption, "Harvexa");
        EXPECT_EQ(loaded.details.Count(), c.linesLeft);
        EXPECT_FALSE(loaded.details.Loading());
    }
}

// A re-save is all or nothing too: the stored line goes from 150.5 to 100
// units, the repayment from 40.00 to 60.00, and the bank leaves the pay names.
TEST_P(SettlementSave, ResaveIsAllOrNothingRewritesLinesAndMovesOnlyTheChange) {
    EXPECT_EQ(FailEachSaveStatement([this] {
                  ASSERT_TRUE(Save()) << message;
                  SettlementDetailItem stored = *set.details.FindLine("9102");
                  set.details.RemoveLine("9102", ui);
                  stored.unitsSet = 100, stored.oUnits = "100.0000";
                  set.details.AddLine(stored);
                  set.deductions.RemoveLink("9101");
                  set.deductions.Add("ADV", "60.00", "D", "T", "9101", "A100", "Assembly");
                  set.deductions.Add("CHECKOFF", "1.25", "D", "F", "9101", "A100", "Assembly");
                  set.details.FindLine("9101")->netAmt = 788.75;
                  set.payNames.Clear();
                  set.payNames.Add("O'Brien Farms", false);
              }),
              std::vector<long>{});
    EXPECT_EQ(Header(), (Texts{"41\tC1\tCasey Farms\t03/08/2024\t03/07/2024\t1\tF\tF\t\t788.75\t"
                               "0\t0\t1"}));
    EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});
    EXPECT_EQ(Rows("SELECT RECNO,DLLINK,UNITSSET FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"3\t9101\t200.0000", "4\t9102\t100.0000"}));
    EXPECT_EQ(Rows("SELECT RECNO,DESTLINK,DLLINK,OUNITS FROM HVXGR04F ORDER BY RECNO"),
              (Texts{"3\t3\t9101\t0.0000", "4\t4\t9102\t100.0000"}));
    EXPECT_EQ(Rows("SELECT FLINK FROM HVXGR04H ORDER BY RECNO"), (Texts{"3", "4"}));
    EXPECT_EQ(Rows("SELECT PAYNAME FROM HVXGR04E"), Texts{"O'Brien Farms"});
    EXPECT_EQ(Rows("SELECT DEDUCT,AMOUNT FROM HVXGR04C ORDER BY RECNO"),
              (Texts{"ADV\t60.00", "CHECKOFF\t1.25"}));
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR04B"), Texts{"2"});
    EXPECT_EQ(Sources(), (Texts{"1001\t300.0000\tT", "1002\t0.0000\tF", "split\t300.0000\tF"}));
    // The earlier repayment was given back before the new one was applied.
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t60.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t60.00\t1\t9101\t"}));

    // Saved again unchanged, the settlement moves nothing.
    const Texts sources = Sources(), advances = hvxtest::AdvanceState();
    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(Sources(), sources);
    EXPECT_EQ(hvxtest::AdvanceState(), advances);
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t60.00\t1\t9101\t"}));
    EXPECT_TRUE(Held().empty());
}

TEST_P(SettlementSave, MultipleSourceSettlementHasOneDestinationUnderItsLink) {
    MultipleSource();
    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(Rows("SELECT CHECKAMT,STYPE FROM HVXGR04"), Texts{"590.00\t1"});
    EXPECT_EQ(Rows("SELECT RECNO,SOURCE,STYPE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"1\tAssembly\t1", "2\tScale Ticket\t1"}));
    // Status of the last line, location of the first line that has one.
    EXPECT_EQ(Rows("SELECT RECNO,DESTLINK,DLLINK,STYPE,UNITSSET,OUNITS,STATUS,LOCATION,TODPR,"
                   "AVGPRICE,GROSSAMT,NETAMT,SSDATE,SUBMITTED FROM HVXGR04F"),
              (Texts{"1\t\t1\t1\t150.0000\t150.0000\tC\t3\tPriced\t4.1000\t615.00\t590.00\t"
                     "04/01/2024\tT"}));
    // The ticket's assembly is the split's: one link.
    EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H"), Texts{"1\tA100\t1"});
    EXPECT_EQ(Rows("SELECT SETTUNITS FROM HVXGR02S"), Texts{"150.0000"});
    // One destination repays for the whole settlement: no line is named.
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t25.00\t1\t\t"}));

    // Read back, the destination's terms come with it, dates in the window's form.
    SettlementRecordSet loaded;
    ASSERT_TRUE(LoadSettlement(loaded, "1", SettlementType::MultipleSource, ui));
    EXPECT_EQ(loaded.details.Count(), 2u);
    const DestinationTerms& t = loaded.terms;
    EXPECT_EQ(t.isDate + "|" + t.ssDate + "|" + t.pPaidDate, "05012024|04012024|");
    EXPECT_EQ(t.sRateDate, "0.0015");  // a rate, never read as a date
    EXPECT_EQ(t.oUnits + "|" + t.status + "|" + t.submitted, "150.0000|C|T");
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 150);
}

TEST(CheckAmount, PaysOnlyGrainSoldOutrightEachLineRoundedToTheCent) {
    SettlementRecordSet single, multiple;
    for (const char* link : {"1", "2"})
        single.details.AddLine(hvxtest::AssemblyLine(link, "Priced", 1, 0.125, 0.125));
    single.details.AddLine(hvxtest::AssemblyLine("3", "Storage Ticket", 1, 0, 7));
    multiple.header.type = SettlementType::MultipleSource;
    SettlementWindowValues sold{"Priced", 0, 0, 590.55}, stored = sold;
    stored.destination = "Storage Ticket";
    EXPECT_DOUBLE_EQ(CheckAmount(single, sold), 0.26);  // 0.13 + 0.13, not 0.25
    EXPECT_DOUBLE_EQ(CheckAmount(multiple, sold), 590.55);
    EXPECT_DOUBLE_EQ(CheckAmount(multiple, stored), 0);
}

// Storage ticket contract ST-5 (DLLINK 5000) of settlement 12 (HVXGR04
// record 50), and a settlement selling 80 of its units.
void DrawOnContract(SettlementSave& t, bool ownerOnFile) {
    Exec("INSERT INTO HVXGR04F (SETTLEMENT,DLLINK,CONTRACT,TODPR,OUNITS,STATUS,STYPE,RECNO) "
         "VALUES ('12','5000','ST-5','Storage Ticket','120.0000','O','0',50)");
    if (ownerOnFile)
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,RECNO) VALUES ('12','50','0',50)");
    SettlementDetailItem line = *t.set.details.FindLine("9101");
    line.source = line.fromDpr = "Storage Ticket";
    line.sourceRef = "ST-5", line.sourceLink = "5000", line.unitsSet = 80;
    t.set.details.Clear();
    t.set.details.AddLine(line);
    t.set.defaults.FillFrom(line);
}

// The save itself shows nothing but the advance question; the window shows
// its message. The lock requests reach the host in the order given.
TEST_P(SettlementSave, MessagesAndLockReleaseOrderOfEachPath) {
    const Texts savedOnA100{"1 GrainLock1", "3 HVXGR02 1", "2 GrainLock1", "4 HVXGR02 1"};
    const Texts recordLocksThenProcessLock{"1 GrainLock1", "3 HVXGR02 1", "4 HVXGR02 1",
                                           "2 GrainLock1"};
    const struct {
        const char* name;
        std::function<void(SettlementSave&)> arrange;
        const char* message;  // empty: saved
        Texts lockOps;
    } paths[] = {
        {"saved", [](auto&) {}, "", savedOnA100},
        // Ten retries by default: eleven requests, and nothing else.
        {"process lock refused", [](SettlementSave& t) { t.host.refuseAll = true; },
         "Unable to get required process lock to save settlement. Another user is currently "
         "performing an operation using the same lock.",
         Texts(11, "1 GrainLock1")},
        {"no lines", [](SettlementSave& t) { t.set.details.Clear(); },
         "Settlement must have at least one source entry to save. Cannot save this settlement.",
         {"1 GrainLock1", "2 GrainLock1"}},
        {"beyond the split's share",
         [](auto&) { Exec("UPDATE HVXGR02S SET SETTUNITS='200.0000'"); },
         "Saving this settlement will make settled units greater than assembly A100 share units "
         "by 50.50 units. <7001>",
         recordLocksThenProcessLock},
        // A refused record lock gives the process lock up first.
        {"assembly lock refused",
         [](SettlementSave& t) {
             auto line = *t.set.details.FindLine("9102");
             line.dlLink = "9103", line.sourceRef = "A999", line.sourceLink = "7999";
             t.set.details.AddLine(line);
         },
         "Unable to lock assembly A999 for update. This assembly does not exist or is in use by "
         "another user. Unable to save settlement.",
         savedOnA100},
        {"transaction not begun",
         [](auto&) {
             std::string error;
             ASSERT_TRUE(hvx::Session::Begin(error)) << error;
         },
         "Unable to begin transaction on connection.", recordLocksThenProcessLock},
        {"contract drawn on", [](SettlementSave& t) { DrawOnContract(t, true); }, "",
         {"1 GrainLock1", "3 HVXGR04 50", "2 GrainLock1", "4 HVXGR04 50"}},
        {"contract without a settlement",
         [](SettlementSave& t) {
             DrawOnContract(t, true);
             Exec("DELETE FROM HVXGR04F WHERE RECNO=50");
         },
         "Unable to locate settlement to lock.", {"1 GrainLock1", "2 GrainLock1"}},
        // Its release fails too, but the reason the save stopped is kept.
        {"contract's settlement cannot be locked",
         [](SettlementSave& t) { DrawOnContract(t, false); },
         "Unable to lock settlement <12> for update. Settlement does not exist or is in use by "
         "another user.",
         {"1 GrainLock1", "2 GrainLock1"}},
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(path.name);
        TearDown();
        SetUp();
        path.arrange(*this);
        const auto before = Snapshot();
        host.sent.clear();
        const bool saved = *path.message == '\0';
        EXPECT_EQ(Save(), saved);
        std::string ignored;
        if (hvx::Session::InTransaction()) hvx::Session::Rollback(ignored);
        EXPECT_EQ(message, path.message);
        EXPECT_EQ(LockOps(), path.lockOps);
        EXPECT_EQ(Held(), Texts{});
        EXPECT_EQ(ui.messages.size(), saved ? 1u : 0u);
        if (!saved) {
            EXPECT_EQ(Snapshot(), before);
            EXPECT_EQ(set.header.recno, 0);
        }
    }
}

}  // namespace
