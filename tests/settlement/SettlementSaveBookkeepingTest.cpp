// Settlements of two customers drawing on assembly splits, scale tickets and open contracts are
// created, changed and saved again at random (fixed seed) through the whole save, on every engine.
// After every step each source holds what the stored lines take from it and each advance what its
// repayment rows say; a settlement saved again unchanged moves nothing.
#include <algorithm>
#include <map>
#include <random>
#include <span>
#include <utility>

#include "rules/StoredText.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::AdvanceSelectionController;
using hvx::SettlementType;
using hvx::TextNumber;

constexpr unsigned kSeed = 20240308;
const std::string kOverShare = "Saving this settlement will make settled units greater";
const std::string kNotApplied = "Unable to apply full advance payment amount.";
const std::string kCanceled = "Advance update canceled.\nSettlement save operation aborted.";

struct Source {
    const char *kind, *ref, *link;
} const kSources[] = {
    {"Assembly", "A-1", "L1"}, {"Assembly", "A-1", "L2"}, {"Assembly", "A-2", "L3"},
    {"Scale Ticket", "U1", "ST-1"}, {"Scale Ticket", "U2", "ST-2"},
    {"Storage Ticket", "CT-1", "9001"}, {"Installment Sale", "CT-2", "9002"},
    {"Priced Later", "CT-3", "9003"},
};

struct Settlement {
    std::string custRef;
    int source;  // the one source of a single-source settlement, else -1
    SettlementRecordSet set{};
    SettlementWindowValues values{};
    std::string link{};  // empty until first saved
    double recno = 0;
    bool refusedChange = false;  // the set holds a change its save refused
    SettlementType Type() const {
        return source < 0 ? SettlementType::MultipleSource : SettlementType::SingleSource;
    }
};

// The second column of a query summed by its first, each sum rounded.
std::map<std::string, double> SumBy(const std::string& sql, int places) {
    std::map<std::string, double> sums;
    for (const std::string& row : Rows(sql)) {
        const Texts f = Fields(row);
        sums[f[0]] = HVXRound(sums[f[0]] + TextNumber(f[1]), places);
    }
    return sums;
}
const char* const kRepaidBySettlement = "SELECT SOURCELINK,AMOUNT FROM HVXGR57A";

// What a save moves: the source records, the repayment rows of the other settlements, and what each
// customer and each settlement has repaid. Which advances a settlement's own repayments rest on is
// left out: every save gives them back and applies them again, maybe to an older advance opened
// meanwhile.
Texts Moved(const std::string& link) {
    Texts all;
    for (const std::string& sql :
         Texts{"SELECT * FROM HVXGR02S", "SELECT * FROM HVXGR03A",
               "SELECT * FROM HVXGR04F WHERE SETTLEMENT='12'",
               "SELECT ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK FROM HVXGR57A WHERE "
               "SOURCELINK<>'" + link + "'"}) {
        Texts rows = Rows(sql);
        std::ranges::sort(rows), all.insert(all.end(), rows.begin(), rows.end());
    }
    for (const char* sql : {"SELECT CUSTREF,RAMOUNT FROM HVXGR57", kRepaidBySettlement})
        for (const auto& [who, amount] : SumBy(sql, 2))
            all.push_back(who + " repaid " + _HVXsprintf("%.2f", amount));
    return all;
}

// Straight from the tables: every split, ticket and open contract against the stored lines drawing
// on it (a ticket's lines count on its split as well), every advance against its repayment rows,
// and every settlement's repayment rows against its stored advance deduction.
void ExpectBookkeeping() {
    std::map<std::string, double> drawn =
        SumBy("SELECT SOURCELINK,UNITSSET FROM HVXGR04D UNION ALL SELECT T.ASSEMLINK,D.UNITSSET "
              "FROM HVXGR04D D JOIN HVXGR03A T ON T.STDLINEID=D.SOURCELINK", 4);
    std::map<std::string, double> dollars = SumBy("SELECT SOURCELINK,TOTPRICE FROM HVXGR04D", 2);
    std::map<std::string, Texts> splits;
    for (const auto& row : Rows("SELECT LINEID,SHAREUNITS,SETTUNITS,SETTLED FROM HVXGR02S")) {
        const Texts f = splits[Fields(row)[0]] = Fields(row);
        const double share = TextNumber(f[1]);
        const bool full = share != 0 && HVXRound(share, 5) <= HVXRound(TextNumber(f[2]), 5);
        EXPECT_EQ(TextNumber(f[2]), drawn[f[0]]) << "units settled on " << f[0];
        EXPECT_EQ(f[3], full ? "T" : "F") << "split " << f[0];
    }
    // L1's tickets are covered in ticket order by its settled units; L4's are sources.
    double rest = TextNumber(splits["L1"][2]);
    for (const std::string& row : Rows("SELECT STDLINEID,UNITS,UNITSSET,SETTLED,ASSEMLINK FROM "
                                       "HVXGR03A ORDER BY SCALETICK")) {
        const Texts f = Fields(row);
        const double ticket = TextNumber(f[1]);
        const bool own = f[4] == "L4";
        const bool covered = own ? ticket == drawn[f[0]] : splits["L1"][3] == "T" || rest >= ticket;
        EXPECT_EQ(TextNumber(f[2]), own ? drawn[f[0]] : covered ? ticket : rest) << row;
        EXPECT_EQ(f[3], !covered ? "F" : own ? "D" : "T") << "ticket " << row;
        if (!own) rest = covered ? HVXRound(rest - ticket, 4) : 0;
    }
    for (const std::string& row : Rows("SELECT DLLINK,UNITSSET,OUNITS,STATUS,ISDOLUSED FROM "
                                       "HVXGR04F WHERE SETTLEMENT='12'")) {
        const Texts f = Fields(row);
        const double open = HVXRound(TextNumber(f[1]) - drawn[f[0]], 4);
        EXPECT_EQ(TextNumber(f[2]), open) << "contract " << row;
        EXPECT_EQ(f[3], open == 0 ? "C" : "O") << "contract " << row;
        // Only an installment sale counts the dollars drawn on it.
        EXPECT_EQ(TextNumber(f[4]), f[0] == "9002" ? dollars[f[0]] : 0) << "contract " << row;
    }
    ExpectRepaidIsSumOfRows({});
    EXPECT_EQ(SumBy(kRepaidBySettlement, 2),
              SumBy("SELECT SETLINK,AMOUNT FROM HVXGR04C WHERE DEDUCT='ADV'", 2));
}

class SettlementSaveBookkeeping : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 8});
        Exec("INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','T',1)");
        Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A-1','F',1),('A-2','F',2)");
        SeedSplit("A-1", "L1", "150"), SeedSplit("A-1", "L2", "100");
        SeedSplit("A-2", "L3", "120"), SeedSplit("A-1", "L4", "2000");
        // T1 and T2 are covered by L1's units in ticket order; U1 and U2 are sources of their own.
        SeedTicket("T1", "L1", "TL-1", "60"), SeedTicket("T2", "L1", "TL-2", "90");
        SeedTicket("U1", "L4", "ST-1", "900"), SeedTicket("U2", "L4", "ST-2", "900");
        // Open contracts of settlement 12, drawn on by single- and multiple-source settlements.
        for (const Source& contract : std::span(kSources).last(3))
            SeedContract(contract.link, contract.kind, "2000.0000");
        Exec("UPDATE HVXGR04F SET SETTLEMENT='12'");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,RECNO) VALUES ('12','50','0',50)");
        Exec("INSERT INTO HVXGR52 (REFERENCE,ADVCODE,RECNO) VALUES ('ADV','1',1)");
        // C1 owes plenty; C2 little enough that its repayments run out.
        Seed({{1, "C1", "2024-01-10", "Assembly", "A-1", "50.00", "0.00", "O"},
              {2, "C1", "2024-02-01", "Scale Ticket", "U1", "80.00", "0.00", "O"},
              {3, "C1", "2024-03-01", "Storage Ticket", "CT-1", "600.00", "0.00", "O"},
              {4, "C2", "2024-01-20", "Assembly", "A-2", "40.00", "0.00", "O"},
              {5, "C2", "2024-02-15", "Assembly", "A-1", "60.00", "0.00", "O"}});
        for (int source : {0, 3, 5, -1}) all_.push_back({"C1", source});
        for (int source : {1, 2, 6, 7, -1}) all_.push_back({"C2", source});
        // Chosen by hand: the newest advances first, until the amount is covered.
        selection.script = [](AdvanceSelectionController& dialog) {
            while (dialog.LeftToApply() > 0 && !dialog.OpenAdvances().empty())
                dialog.Add(dialog.OpenAdvances().size() - 1);
            return dialog.Ok();
        };
    }
    void TearDown() override { hvx::SetTodayForTesting({0, 0, 0}), DatabaseTest::TearDown(); }

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    const SettlementDetailItem& SomeLine(const Settlement& s) {
        return *std::next(s.set.details.Items().begin(), Pick(s.set.details.Count()));
    }

    // A line's units, and its dollars, status and price row that follow.
    void SetUnits(Settlement& s, SettlementDetailItem& line, double units) {
        const bool open = line.toDpr != "Priced";
        line.unitsSet = units, line.totPrice = line.netAmt = HVXRound(units * line.priceUnit, 2);
        line.status = open ? "O" : "C";
        s.set.units.RemoveLink(line.dlLink);
        const std::string price = _HVXsprintf("%.4f", line.priceUnit);
        if (!open) s.set.units.Add(_HVXsprintf("%.4f", units), price, line.dlLink);
    }
    double SomeUnits() { return (1 + Pick(800000)) / 10000.0; }

    // The kinds of step; each changes the window's record set, then it is saved.
    void Create(Settlement& s) {
        s.set = SettlementRecordSet{};
        SettlementHeader& h = s.set.header;
        h.custRef = s.custRef, h.custName = "Name " + s.custRef, h.settDate = "03072024";
        h.type = s.Type();
        s.values = {s.source < 0 ? "Priced" : "", 4.1, 0, 0};
        for (size_t n = 1 + Pick(3); n > 0; --n) AddLine(s);
        if (Pick(2) == 0) ToggleAdvance(s);
    }
    void AddLine(Settlement& s) {
        const Source& src = kSources[s.source >= 0 ? size_t(s.source) : Pick(std::size(kSources))];
        SettlementDetailItem line;
        line.source = src.kind, line.sourceRef = src.ref, line.sourceLink = src.link;
        line.dlLink = std::to_string(++nextLine_);
        line.commodity = "CORN", line.location = "1", line.patronage = "T", line.submitted = "F";
        line.stype = s.source < 0 ? "1" : "0";
        line.toDpr = s.source < 0 || Pick(3) != 0 ? "Priced" : "Storage Ticket";
        line.contract = line.toDpr == "Priced" ? "" : "C" + line.dlLink;
        line.priceUnit = line.toDpr == "Priced" ? (300 + Pick(200)) / 100.0 : 0;
        SetUnits(s, line, SomeUnits());
        s.set.defaults.FillFrom(line);
        s.set.details.AddLine(std::move(line));
    }
    void ChangeUnits(Settlement& s) {
        SettlementDetailItem line = SomeLine(s);
        s.set.details.RemoveLine(line.dlLink, ui);
        SetUnits(s, line, SomeUnits());
        s.set.details.AddLine(std::move(line));
    }
    void RemoveLine(Settlement& s) {
        if (s.set.details.Count() < 2) return AddLine(s);
        const std::string link = SomeLine(s).dlLink;
        s.set.details.RemoveLine(link, ui), s.set.units.RemoveLink(link);
        s.set.deductions.RemoveLink(link);
    }
    // The settlement's only deduction repays advances: out of its first priced line, or out of the
    // one destination of a multiple-source one.
    void ToggleAdvance(Settlement& s) {
        SettlementDeductionList& deductions = s.set.deductions;
        if (!deductions.Nodes().empty()) return deductions.RemoveLink(deductions.Nodes()[0].dlLink);
        const auto& lines = s.set.details.Items();
        const auto priced = std::ranges::find(lines, "Priced", &SettlementDetailItem::toDpr);
        if (priced == lines.end()) return;
        deductions.Add("ADV", _HVXsprintf("%.2f", (500 + Pick(8500)) / 100.0), "D", "T",
                       s.source < 0 ? "" : priced->dlLink, priced->sourceRef, priced->source);
    }
    void Keep(Settlement&) {}

    // The window reads the stored settlement again.
    void Reopen(Settlement& s) {
        s.set = SettlementRecordSet{}, s.refusedChange = false;
        if (s.recno == 0) return;
        ASSERT_TRUE(LoadSettlement(s.set, s.link, s.Type(), ui));
    }

    // What the tables say of a save before it runs: a split pushed over its share refuses it, and
    // so do repayments beyond what the customer owes once this settlement's own repayments are
    // given back.
    std::string ExpectedRefusal(const Settlement& s, bool byHand) {
        std::map<std::string, double> units = SumBy(
            "SELECT SOURCELINK,UNITSSET FROM HVXGR04D WHERE SOURCE='Assembly' AND SETLINK<>'" +
            s.link + "'", 4);
        for (const SettlementDetailItem& line : s.set.details.Items())
            if (line.source == "Assembly") units[line.sourceLink] += HVXRound(line.unitsSet, 4);
        for (const auto& [link, share] : SumBy("SELECT LINEID,SHAREUNITS FROM HVXGR02S", 4))
            if (HVXRound(units[link], 4) > share) return kOverShare;
        double repay = 0;
        for (const SettlementDeductionNode& node : s.set.deductions.Nodes())
            repay += node.advance == "T" ? TextNumber(node.amount) : 0;
        const double open = SumBy("SELECT CUSTREF,AMOUNT FROM HVXGR57", 2)[s.custRef] -
                            SumBy("SELECT CUSTREF,RAMOUNT FROM HVXGR57", 2)[s.custRef] +
                            SumBy(kRepaidBySettlement, 2)[s.link];
        if (HVXRound(repay, 2) > HVXRound(open, 2)) return byHand ? kCanceled : kNotApplied;
        return "";
    }

    // Saves as the window does. A refused save leaves every table as it was and the record set as
    // before it.
    void Save(Settlement& s, bool unchanged) {
        const bool byHand = Pick(4) == 0;
        if (byHand) ui.answers.push_back(hvx::MsgAnswer::No);
        const std::string refusal = ExpectedRefusal(s, byHand);
        const Tables everything = refusal.empty() ? Tables{} : SettlementSaveFixture::Snapshot();
        const Texts moved = Moved(s.link);
        s.set.header.entryDate = "03082024";
        std::string message;
        SettlementSaveWindow window{s.set, s.values, ui, &selection, message};
        const bool saved = SaveSettlement(window);
        ui.answers.clear();
        if (!refusal.empty()) {
            EXPECT_FALSE(saved);
            EXPECT_EQ(message.substr(0, refusal.size()), refusal);
            EXPECT_EQ(SettlementSaveFixture::Snapshot(), everything) << "refused: " << message;
            ++refusals_[refusal];
            // The user mends the change in the window, or gives it up.
            s.refusedChange = Pick(2) == 0;
            if (!s.refusedChange) Reopen(s);
            return;
        }
        ASSERT_TRUE(saved) << message;
        s.link = s.set.header.setLink, s.recno = s.set.header.recno, ++saves_;
        const bool mended = std::exchange(s.refusedChange, false);
        if (!unchanged || mended) return;
        EXPECT_EQ(Moved(s.link), moved) << "saved again unchanged";
        ++unchangedSaves_;
    }

    struct StepKind {
        const char* name;
        int weight;
        void (SettlementSaveBookkeeping::*change)(Settlement&);
    };
    static constexpr StepKind kCreate{"create", 0, &SettlementSaveBookkeeping::Create};
    static constexpr StepKind kSteps[] = {
        {"change units", 4, &SettlementSaveBookkeeping::ChangeUnits},
        {"add line", 2, &SettlementSaveBookkeeping::AddLine},
        {"remove line", 2, &SettlementSaveBookkeeping::RemoveLine},
        {"add or remove advance", 2, &SettlementSaveBookkeeping::ToggleAdvance},
        {"save unchanged", 3, &SettlementSaveBookkeeping::Keep}};
    void Step(const StepKind& kind, Settlement& s) {
        (this->*kind.change)(s), Save(s, kind.change == &SettlementSaveBookkeeping::Keep);
    }
    const StepKind& SomeStep() {
        std::vector<int> weights;
        for (const StepKind& kind : kSteps) weights.push_back(kind.weight);
        return kSteps[std::discrete_distribution<size_t>(weights.begin(), weights.end())(random_)];
    }

    FakeHost host;
    ScriptedUi ui;
    ScriptedSelection selection;
    std::mt19937 random_{kSeed};
    std::vector<Settlement> all_;
    int nextLine_ = 20000, saves_ = 0, unchangedSaves_ = 0;
    std::map<std::string, int> refusals_;
};
HVX_DATABASE_TEST_SUITE(SettlementSaveBookkeeping);

TEST_P(SettlementSaveBookkeeping, SourcesAndAdvancesHoldWhatTheStoredLinesTakeAfterEverySave) {
    for (int step = 1; step <= 150 && !HasFailure(); ++step) {
        const size_t which = Pick(all_.size());
        Settlement& s = all_[which];
        const StepKind& kind = s.set.details.Empty() ? kCreate : SomeStep();
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", step " << step << " ("
                                        << kind.name << ") of settlement " << which);
        if (s.recno != 0 && Pick(3) == 0) Reopen(s);  // as the window does after a save
        Step(kind, s);
        ExpectBookkeeping();
    }
    // The walk really saved, saved unchanged, and ran into shares and debts.
    EXPECT_GT(saves_, 80);
    EXPECT_GT(unchangedSaves_, 10);
    EXPECT_GT(refusals_[kOverShare], 0);
    EXPECT_GT(refusals_[kNotApplied] + refusals_[kCanceled], 0);
}

}  // namespace
