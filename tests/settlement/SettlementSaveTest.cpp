// Saving a settlement on every engine: the rows of a new single- and multiple-source settlement,
// read back; a change saved again; the check amount; every way out; all or nothing throughout.
#include <tuple>

#include "platform/NextNumbers.h"
#include "settlement/CheckAmount.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::SettlementType;
constexpr SettlementType kSingle = SettlementType::SingleSource;
constexpr SettlementType kMultiple = SettlementType::MultipleSource;
const char* const kAdvances = "SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 ORDER BY RECNO";
const char* const kRepayments =
    "SELECT ADVLINK,AMOUNT,SOURCELINK,PAIDLINK,CHECKNUM FROM HVXGR57A ORDER BY RECNO";

std::string Table(const char* sql) { return Joined(Rows(sql)); }
void ExpectTables(std::initializer_list<std::pair<const char*, const char*>> tables) {
    for (const auto& [sql, rows] : tables) EXPECT_EQ(Table(sql), rows) << sql;
}
const char* const kHeader =
    "SELECT SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,CHECKNUM,CHECKAMT,"
    "STYPE,NUMCHANGE,RECNO FROM HVXGR04";
const char* const kSources =
    "SELECT 'split',SETTUNITS,SETTLED FROM HVXGR02S UNION ALL SELECT SCALETICK,UNITSSET,SETTLED "
    "FROM HVXGR03A ORDER BY 1";

class SettlementSave : public SettlementSaveFixture {
protected:
    // A failed save leaves the header as it was; the commit is the last statement that can fail.
    std::vector<long> FailEachSaveStatement(const std::function<void()>& arrange) {
        SettlementHeader header;
        const auto failures = FailEachStatementInTurn(
            [&] { arrange(), header = set.header; }, [this] { return Save(); },
            [this] { return message; },
            [&] { EXPECT_EQ(std::tie(set.header.recno, set.header.settlement),
                            std::tie(header.recno, header.settlement)); });
        EXPECT_EQ(failures.lastFailure, "Unable to commit transaction.\nCommit failed (test hook).");
        EXPECT_GT(failures.failedRuns, 40);
        return failures.unnoticed;
    }
};
HVX_DATABASE_TEST_SUITE(SettlementSave);

// Whichever statement fails, every table is as it was, every lock is released and the record set is
// as it was, so the next save does the whole work once: under the first number, with no unit or
// repayment kept by a failed attempt.
TEST_P(SettlementSave, NewSettlementIsAllOrNothingWritesEveryRowAndReadsBackAsSaved) {
    EXPECT_EQ(FailEachSaveStatement([] {}), std::vector<long>{});
    EXPECT_EQ(message, "");
    EXPECT_EQ(set.header.setLink + "|" + set.header.settlement, "1|41");
    EXPECT_EQ(set.header.recno, 1);
    // The check pays the Priced line's net amount only; 350.5 units leave the split, spread over
    // its tickets in ticket order.
    ExpectTables({
        {"SELECT CONFIG18 FROM HVXGR40", "42"},
        {kHeader, "41 C1 Casey Farms 03/08/2024 03/07/2024 1 F F  808.75 0 0 1"},
        {"SELECT RECNO,SETTLEMENT,SETLINK,SOURCE,SOURCEREF,UNITSSET,TODPR,CONTRACT,SETDTE,"
         "PATRONAGE,STATUS,REVERSED,SOURCELINK,DLLINK,POSTED,GLPOSTED,PRICEUNIT,TOTPRICE,STYPE,"
         "NUMCHANGE FROM HVXGR04D ORDER BY RECNO",
         "1 41 1 Assembly A100 200.0000 Priced  03/07/2024 T C F 7001 9101 F F 4.2500 850.00 0 0|"
         "2 41 1 Assembly A100 150.5000 Storage Ticket ST-88 03/07/2024 T O F 7001 9102 F F "
         "0.0000 0.00 0 0"},
        {"SELECT RECNO,DESTLINK,SETLINK,DLLINK,SETDTE,STATUS,OUNITS,UNITSSET,TODPR,CONTRACT,"
         "SRATEDATE,SSDATE,ISDATE,AVGPRICE,GROSSAMT,NETAMT,STYPE,SUBMITTED FROM HVXGR04F ORDER BY "
         "RECNO",
         "1 1 1 9101 03/07/2024 O 200.0000 200.0000 Priced   <NULL> <NULL> 4.2500 850.00 "
         "808.75 0 F|"
         "2 2 1 9102 03/07/2024 O 150.5000 150.5000 Storage Ticket ST-88 0.0020 03/07/2024 <NULL> "
         "0.0000 0.00 0.00 0 F"},
        {"SELECT FLINK,ASSEMBLY,SETTLINK,RECNO FROM HVXGR04H ORDER BY RECNO",
         "1 A100 1 1|2 A100 1 2"},
        {"SELECT SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE FROM HVXGR04B ORDER BY RECNO",
         "41 1 9101 120.0000 4.2500|41 1 9101 80.0000 4.2500"},
        {"SELECT SETLINK,DLLINK,DEDUCT,AMOUNT,DA FROM HVXGR04C ORDER BY RECNO",
         "1 9101 ADV 40.00 D|1 9101 CHECKOFF 1.25 D"},
        {"SELECT SETLINK,DLLINK,GRADFACT,RESULT FROM HVXGR04A", "1 9101 MOIST 15.000"},
        {"SELECT SETTLEMENT,SETLINK,PAYNAME,PNTYPE FROM HVXGR04E ORDER BY RECNO",
         "41 1 O'Brien Farms 0|41 1 First Bank 1"},
        {kSources, "1001 300.0000 T|1002 50.5000 F|split 350.5000 F"},
        {kAdvances, "1 40.00 O|2 0.00 O"},
        {"SELECT ADVLINK,AMOUNT,SOURCELINK,PAIDLINK,CHECKNUM,RDATE FROM HVXGR57A",
         "A1 40.00 1 9101  03/08/2024"},
    });

    // Read back, with what the save filled in and its sources counted as saved: the entry date
    // comes back as the settlement date, in the window's form; the contract is the first line's
    // that has one.
    ui.messages.clear();
    SettlementRecordSet loaded;
    loaded.units.Add("stale", "stale", "99");
    ASSERT_TRUE(LoadSettlement(loaded, "1", kSingle, ui));
    EXPECT_TRUE(ui.messages.empty());
    const SettlementHeader& h = loaded.header;
    EXPECT_EQ(h.settlement + "|" + h.custRef + "|" + h.custName + "|" + h.checkAmt + "|" +
                  h.settDate + "|" + loaded.defaults.sourceKind + "|" + loaded.defaults.contract,
              "41|C1|Casey Farms|808.75|03082024|Assembly|ST-88");
    EXPECT_FALSE(h.posted || loaded.details.Loading() || loaded.details.Changed());
    auto lines = set.details.Items();
    for (SettlementDetailItem& l : lines)
        l.setDte = "03/07/2024", l.avgPrice = l.priceUnit, l.grossAmt = l.totPrice,
        l.oUnits = _HVXsprintf("%.4f", l.unitsSet), l.status = "O";
    EXPECT_EQ(loaded.details.Items(), lines);
    for (const SettlementUniqueDetailItem& s : loaded.details.UniqueSources())
        EXPECT_EQ(_HVXsprintf("%.15g %.15g %.15g %.15g", s.savedUnits, s.savedDollars,
                              s.UnitDelta(), s.DollarDelta()), "350.5 850 0 0");
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 350.5);
    EXPECT_EQ(loaded.units.Nodes(), set.units.Nodes());
    EXPECT_EQ(loaded.deductions.Nodes(), set.deductions.Nodes());  // flags from HVXGR52
    EXPECT_EQ(loaded.grades.Nodes(), set.grades.Nodes());
    EXPECT_EQ(loaded.payNames.Nodes(), set.payNames.Nodes());
}

TEST_P(SettlementSave, LoadRefusalsShowTheirMessage) {
    ASSERT_TRUE(Save()) << message;
    // The last: the stored line without its destination record.
    for (const auto& [link, window, text, linesLeft] : {
             std::tuple{"999", kSingle, "Unable to find record with this settlement link <999>",
                        0u},
             {"1", kMultiple, "Incorrect settlement type for this settlement window.", 0u},
             {"1", kSingle, "Error retrieving record from HVXGR04F. Unable to load settlement.",
              1u}}) {
        SCOPED_TRACE(text);
        if (linesLeft) Exec("DELETE FROM HVXGR04F WHERE DLLINK='9102'");
        ScriptedUi shown;
        SettlementRecordSet loaded;
        EXPECT_FALSE(LoadSettlement(loaded, link, window, shown));
        ASSERT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(shown.messages[0].caption + ": " + shown.messages[0].text,
                  std::string("Harvexa: ") + text);
        EXPECT_EQ(loaded.details.Count(), linesLeft);
        EXPECT_FALSE(loaded.details.Loading());
    }
}

// A re-save is all or nothing too: the stored line goes from 150.5 to 100 units (keeping the 20.5 a
// later settlement took), the repayment from 40.00 to 60.00, and the bank leaves the pay names.
TEST_P(SettlementSave, ResaveIsAllOrNothingRewritesLinesAndMovesOnlyTheChange) {
    EXPECT_EQ(FailEachSaveStatement([this] {
                  ASSERT_TRUE(Save()) << message;
                  SettlementDetailItem stored = *set.details.FindLine("9102");
                  Exec("UPDATE HVXGR04F SET OUNITS='130.0000' WHERE DLLINK='9102'");
                  set.details.RemoveLine("9102", ui);
                  stored.unitsSet = 100;
                  set.details.AddLine(stored);
                  set.deductions.RemoveLink("9101");
                  set.deductions.Add("ADV", "60.00", "D", "T", "9101", "A100", "Assembly");
                  set.deductions.Add("CHECKOFF", "1.25", "D", "F", "9101", "A100", "Assembly");
                  set.details.FindLine("9101")->netAmt = 788.75;
                  set.payNames.Clear(), set.payNames.Add("O'Brien Farms", false);
              }),
              std::vector<long>{});
    // The earlier repayment was given back before the new one was applied.
    ExpectTables({
        {kHeader, "41 C1 Casey Farms 03/08/2024 03/07/2024 1 F F  788.75 0 0 1"},
        {"SELECT CONFIG18 FROM HVXGR40", "42"},
        {"SELECT RECNO,DLLINK,UNITSSET FROM HVXGR04D ORDER BY RECNO",
         "3 9101 200.0000|4 9102 100.0000"},
        {"SELECT RECNO,DESTLINK,DLLINK,OUNITS FROM HVXGR04F ORDER BY RECNO",
         "3 3 9101 200.0000|4 4 9102 79.5000"},
        {"SELECT FLINK FROM HVXGR04H ORDER BY RECNO", "3|4"},
        {"SELECT PAYNAME FROM HVXGR04E", "O'Brien Farms"},
        {"SELECT DEDUCT,AMOUNT FROM HVXGR04C ORDER BY RECNO", "ADV 60.00|CHECKOFF 1.25"},
        {"SELECT COUNT(*) FROM HVXGR04B", "2"},
        {kSources, "1001 300.0000 T|1002 0.0000 F|split 300.0000 F"},
        {kAdvances, "1 60.00 O|2 0.00 O"},
        {kRepayments, "A1 60.00 1 9101 "},
    });
    // Saved again unchanged, the settlement moves nothing, though it repays more than is left open.
    Exec("UPDATE HVXGR57 SET RAMOUNT='500.00',OPENPAID='P' WHERE RECNO=2");
    const auto moved = [] { return Table(kSources) + Table(kAdvances) + Table(kRepayments); };
    const auto before = moved();
    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(moved(), before);
    EXPECT_TRUE(Held().empty());
}

// 100 units of split 7001 and 50 of ticket 1002 sold to one destination.
TEST_P(SettlementSave, MultipleSourceSettlementHasOneDestinationUnderItsLink) {
    set.details.Clear(), set.deductions.Clear();
    set.header.type = kMultiple;
    SettlementDetailItem fromSplit = AssemblyLine("9201", "Priced", 100, 4.1, 0);
    SettlementDetailItem fromTicket = AssemblyLine("9202", "Priced", 50, 4.1, 0);
    fromSplit.location.clear();
    fromTicket.source = "Scale Ticket", fromTicket.sourceRef = "1002";
    fromTicket.sourceLink = "8002", fromTicket.location = "3";
    for (SettlementDetailItem* line : {&fromSplit, &fromTicket})
        line->stype = "1", set.details.AddLine(*line);
    set.terms.submitted = "T", set.terms.ssDate = "04/01/2024";
    set.terms.isDate = "05012024", set.terms.sRateDate = "0.0015";
    set.deductions.Add("ADV", "25.00", "D", "T", "", "A100", "Assembly");
    values = {"Priced", 4.1, 615, 590};
    ASSERT_TRUE(Save()) << message;
    // The destination holds its units open and takes the location of the first line that has one;
    // the ticket's assembly is the split's: one link. One destination repays for the whole
    // settlement: no line is named.
    ExpectTables({
        {"SELECT CHECKAMT,STYPE FROM HVXGR04", "590.00 1"},
        {"SELECT RECNO,SOURCE,STYPE FROM HVXGR04D ORDER BY RECNO", "1 Assembly 1|2 Scale Ticket 1"},
        {"SELECT RECNO,DESTLINK,DLLINK,STYPE,UNITSSET,OUNITS,STATUS,LOCATION,TODPR,AVGPRICE,"
         "GROSSAMT,NETAMT,SSDATE,SUBMITTED FROM HVXGR04F",
         "1  1 1 150.0000 150.0000 O 3 Priced 4.1000 615.00 590.00 04/01/2024 T"},
        {"SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H", "1 A100 1"},
        {"SELECT SETTUNITS FROM HVXGR02S", "150.0000"},
        {kRepayments, "A1 25.00 1  "},
    });
    // Read back, the destination's terms come with it, dates in the window's form; the rate is
    // never read as a date.
    SettlementRecordSet loaded;
    ASSERT_TRUE(LoadSettlement(loaded, "1", kMultiple, ui));
    EXPECT_EQ(loaded.details.Count(), 2u);
    const DestinationTerms& t = loaded.terms;
    EXPECT_EQ(t.isDate + "|" + t.ssDate + "|" + t.pPaidDate + "|" + t.sRateDate + "|" + t.oUnits +
                  "|" + t.status + "|" + t.submitted,
              "05012024|04012024||0.0015|150.0000|O|T");
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 150);
}

// Lines take their links from the line counter, the destination of a multiple-source settlement
// the link of its settlement: saved in turn, no two destinations share one.
TEST_P(SettlementSave, NoTwoDestinationsShareALinkWhateverTheSettlementType) {
    for (int n = 0; n < 12; ++n) {
        set.ClearLists(), set.header.recno = 0, set.header.type = n % 3 ? kSingle : kMultiple;
        for (int line = 0; line < 2; ++line)
            set.details.AddLine(AssemblyLine(NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK").c_str(),
                                             "Priced", 5, 4.25, 21.25));
        ASSERT_TRUE(Save()) << message;
    }
    ExpectTables({{"SELECT COUNT(*) FROM HVXGR04F", "20"},
                  {"SELECT DLLINK FROM HVXGR04F GROUP BY DLLINK HAVING COUNT(*) > 1", ""}});
}

TEST(CheckAmount, PaysOnlyGrainSoldOutrightEachLineRoundedToTheCent) {
    SettlementRecordSet single, multiple;
    for (const char* link : {"1", "2"})
        single.details.AddLine(AssemblyLine(link, "Priced", 1, 0.125, 0.125));
    single.details.AddLine(AssemblyLine("3", "Storage Ticket", 1, 0, 7));
    multiple.header.type = kMultiple;
    SettlementWindowValues sold{"Priced", 0, 0, 590.55}, stored = sold;
    stored.destination = "Storage Ticket";
    EXPECT_DOUBLE_EQ(CheckAmount(single, sold), 0.26);  // 0.13 + 0.13, not 0.25
    EXPECT_DOUBLE_EQ(CheckAmount(multiple, stored), 0);
}

// Storage ticket contract ST-5 (DLLINK 5000) of settlement 12 (HVXGR04 record 50), each when on
// file, and a settlement selling 80 of its units. (Both on file, it is saved by the round trips.)
void DrawOnContract(SettlementSave& t, bool contractOnFile, bool ownerOnFile) {
    if (contractOnFile)
        Exec("INSERT INTO HVXGR04F (SETTLEMENT,DLLINK,CONTRACT,TODPR,OUNITS,STATUS,STYPE,RECNO) "
             "VALUES ('12','5000','ST-5','Storage Ticket','120.0000','O','0',50)");
    if (ownerOnFile)
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,RECNO) VALUES ('12','50','0',50)");
    SettlementDetailItem line = *t.set.details.FindLine("9101");
    line.source = line.fromDpr = "Storage Ticket";
    line.sourceRef = "ST-5", line.sourceLink = "5000", line.unitsSet = 80;
    t.set.details.Clear(), t.set.details.AddLine(line), t.set.defaults.FillFrom(line);
}

// The save itself shows nothing but the advance question; the window shows its message. The lock
// requests reach the host in the order given (a refused process lock, and a split over its share,
// are met by the host's concurrent saves).
TEST_P(SettlementSave, MessagesAndLockReleaseOrderOfEachPath) {
    const Texts processLockOnly{"1 GrainLock1", "2 GrainLock1"};
    // The message (empty: saved) and the lock requests of each path.
    using Path = std::tuple<const char*, std::function<void(SettlementSave&)>, const char*, Texts>;
    for (const auto& [name, arrange, shown, lockOps] : std::initializer_list<Path>{
        {"saved", [](auto&) {}, "", {"1 GrainLock1", "3 HVXGR02 1", "2 GrainLock1", "4 HVXGR02 1"}},
        {"no lines", [](SettlementSave& t) { t.set.details.Clear(); },
         "Settlement must have at least one source entry to save. Cannot save this settlement.",
         processLockOnly},
        // A refused record lock gives the process lock up first.
        {"assembly lock refused",
         [](SettlementSave& t) {
             auto line = *t.set.details.FindLine("9102");
             line.dlLink = "9103", line.sourceRef = "A999", line.sourceLink = "7999";
             t.set.details.AddLine(line);
         },
         "Unable to lock assembly A999 for update. This assembly does not exist or is in use by "
         "another user. Unable to save settlement.",
         {"1 GrainLock1", "3 HVXGR02 1", "2 GrainLock1", "4 HVXGR02 1"}},
        // Record locks are given up before the process lock.
        {"transaction not begun",
         [](auto&) { std::string error; ASSERT_TRUE(hvx::Session::Begin(error)) << error; },
         "Unable to begin transaction on connection.",
         {"1 GrainLock1", "3 HVXGR02 1", "4 HVXGR02 1", "2 GrainLock1"}},
        {"contract without a settlement",
         [](SettlementSave& t) { DrawOnContract(t, false, true); },
         "Unable to locate settlement to lock.", processLockOnly},
        // Its release fails too, but the reason the save stopped is kept.
        {"contract's settlement cannot be locked",
         [](SettlementSave& t) { DrawOnContract(t, true, false); },
         "Unable to lock settlement <12> for update. Settlement does not exist or is in use by "
         "another user.",
         processLockOnly}}) {
        SCOPED_TRACE(name);
        TearDown(), SetUp();
        arrange(*this);
        const auto before = Snapshot();
        host.sent.clear();
        const bool saved = *shown == '\0';
        EXPECT_EQ(Save(), saved);
        std::string ignored;
        if (hvx::Session::InTransaction()) hvx::Session::Rollback(ignored);
        EXPECT_EQ(message, shown);
        EXPECT_EQ(LockOps(), lockOps);
        EXPECT_EQ(Held(), Texts{});
        EXPECT_EQ(ui.messages.size(), saved ? 1u : 0u);
        if (saved) continue;
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(set.header.recno, 0);
    }
}

}  // namespace

// A save the engine refuses says what could not be stored and, below it, the engine's own words.
TEST_P(SettlementSave, RefusedSaveEndsWithTheEnginesReason) {
    Exec("CREATE UNIQUE INDEX ONE_LINE_EACH ON HVXGR04D (SETTLEMENT)");
    ASSERT_FALSE(Save());
    const size_t line = message.find('\n');
    ASSERT_NE(line, std::string::npos) << message;
    std::string reason = message.substr(line + 1);
    for (char& c : reason) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(message.substr(0, line), "Unable to insert source Assembly (A100) into HVXGR04D.");
    EXPECT_NE(reason.find("unique"), std::string::npos) << message;
}
