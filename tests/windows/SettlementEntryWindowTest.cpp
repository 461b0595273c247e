// The settlement entry windows' commands on every engine: each check in its
// place, each question asked once and its three answers, nothing stored or
// moved after a refusal.
#include <deque>
#include <optional>

#include "platform/Text.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "windows/entry/EntryFields.h"
#include "windows/entry/PrintMenu.h"
#include "windows/entry/SettlementEntryWindow.h"
#include "windows/posted/PostedChangeDialogs.h"
#include "windows/sources/SourceSelectionController.h"

namespace hvxtest {
namespace {

using hvx::MsgAnswer;
using hvx::SettlementType;
using hvx::entry::SettlementEntryWindow;

// Change dialogs that must not open: the window refuses before them here.
class NoPostedChanges : public hvx::posted::PostedChangeDialogs {
public:
    bool EditStorage(hvx::posted::StorageChange&) override { return Opened(); }
    bool EditInstallment(hvx::posted::InstallmentChange&) override { return Opened(); }
    bool EditService(hvx::posted::ServiceChange&) override { return Opened(); }
    bool EditCheckNumber(hvx::posted::CheckNumberChange&) override { return Opened(); }

private:
    static bool Opened() {
        ADD_FAILURE() << "a change dialog opened";
        return false;
    }
};

class ScriptedDialogs : public hvx::entry::EntryDialogs {
public:
    explicit ScriptedDialogs(ScriptedUi& port) : ui(port) {}
    ScriptedUi& ui;
    NoPostedChanges posted;
    std::optional<hvx::NewSettlementAnswers> answers;
    std::deque<int> popUps;                // each pop-up's chosen entry
    std::vector<std::string> popUpLabels;  // "label|label" of each pop-up shown
    std::vector<std::size_t> checkRows;    // rows the source selection checks

    hvx::HostWindow Window() override { return nullptr; }
    std::optional<hvx::NewSettlementAnswers> RunWizard(hvx::WizardMode) override {
        return answers;
    }
    int PopUp(std::string_view, const std::vector<hvx::entry::PopUpEntry>& entries) override {
        std::string labels;
        for (const auto& e : entries) labels += (labels.empty() ? "" : "|") + e.label;
        popUpLabels.push_back(labels);
        if (popUps.empty()) return -1;
        const int chosen = popUps.front();
        popUps.pop_front();
        return chosen;
    }
    bool SelectSources(const hvx::SourceSelectionRequest& request,
                       hvx::settlement::SettlementRecordSet& set,
                       hvx::SourceSelectionResult& result) override {
        hvx::SourceSelectionController selection(ui, set, request);
        if (!selection.Fill()) return false;
        for (std::size_t row : checkRows) selection.Check(row, true);
        if (!selection.Ok()) return false;
        result = selection.Result();
        return true;
    }
    hvx::settlement::AdvanceSelectionPort* AdvanceSelection() override { return nullptr; }
    hvx::posted::PostedChangeDialogs& PostedChanges() override { return posted; }
    bool EditPayNames(hvx::settlement::SettlementPayNameList&) override { return false; }
    void ViewRecord(std::string_view, const RecordFields&) override {}
};

// C1 (Casey Farms) has split 7001 of assembly A100: 500 units of corn at
// location 1, which the commodity keeps to 4 decimals.
class SettlementEntryWindowTest : public SettlementSaveFixture {
protected:
    void SetUp() override {
        SettlementSaveFixture::SetUp();
        Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('C1','Casey Farms',1)");
        Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,DECIMALS,RECNO) VALUES ('CORN','Corn','4',1)");
        ui.messages.clear(), ui.focus.clear();
    }

    SettlementEntryWindow& Window(SettlementType type = SettlementType::SingleSource) {
        entry.emplace(type, ui, dialogs);
        entry->Open(hvx::ParseSettlementKey(""));
        return *entry;
    }

    // A new settlement of C1 drawing on split 7001 of A100.
    SettlementEntryWindow& FromAssembly() {
        dialogs.answers = hvx::NewSettlementAnswers{"C1", "Casey Farms", "Assembly", "", ""};
        ui.picks.push_back({1, "A100"});
        SettlementEntryWindow& w = Window();
        w.New();
        return w;
    }
    // Chooses a destination from the menu, as the clerk picks it by label.
    static void Choose(SettlementEntryWindow& w, std::string_view category) {
        for (const hvx::MenuEntry& e : w.Menu())
            if (e.value == category) return w.ChooseFromMenu(e);
        FAIL() << category;
    }
    void PricedLine(SettlementEntryWindow& w, const char* units, const char* price) {
        Choose(w, "Priced");
        w.Line().quantity = units;
        w.QuantityChanged();
        w.Prices().Data().units = units, w.Prices().Data().price = price;
        ASSERT_TRUE(w.Prices().AcceptPrice());
        ASSERT_TRUE(w.AcceptLine()) << Shown();
    }
    void StorageLine(SettlementEntryWindow& w, const char* units, const char* contract) {
        Choose(w, "Storage Ticket");
        w.Line().quantity = units, w.Line().contract = contract;
        ASSERT_TRUE(w.AcceptLine()) << Shown();
    }
    std::string Shown() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
    static std::string Count(const char* table) {
        return Rows(std::string("SELECT COUNT(*) FROM ") + table)[0];
    }

    ScriptedDialogs dialogs{ui};
    std::optional<SettlementEntryWindow> entry;
};
HVX_DATABASE_TEST_SUITE(SettlementEntryWindowTest);

TEST_P(SettlementEntryWindowTest, NewSettlementFromTheWizardTakesTheSplitAndOffersItsOpenUnits) {
    SettlementEntryWindow& w = FromAssembly();
    EXPECT_EQ(w.SourceCaption(), "Assembly : A100");
    EXPECT_EQ(w.Set().defaults.commodity + "/" + w.Set().defaults.location, "CORN/1");
    EXPECT_EQ(w.Line().quantity, "500.0000");
    EXPECT_EQ(w.DestinationCaption(), "<Unavailable>");
    EXPECT_EQ(ui.pickTitles, (Texts{"Find Assembly To Settle"}));
    PricedLine(w, "200", "4.25");
    EXPECT_EQ(w.Line().quantity, "300.0000");  // the next line starts with what is left
}

// Acc Dest: with several faults at once only the first in order is shown,
// the focus goes to its field and no line is added.
TEST_P(SettlementEntryWindowTest, AcceptDestinationRefusesTheFirstFaultInOrder) {
    struct Case {
        const char* name;
        const char* destination;  // "" leaves the line without one
        const char* quantity;
        const char* priceUnits;  // units typed on the price page
        const char* contract;
        bool knownCustomer;
        const char* message;
        const char* focus;
        const char* quantityAfter;
        const char* lineDate = "";
    };
    const Case cases[] = {
        {"no destination", "", "", "", "", false,
         "No destination has been selected yet. Unable to save settlement entry.", "Menu", ""},
        {"units page", "Priced", "600", "100", "", false, "Total units do not equal units settled.",
         "UnitsSettled", "600.0000"},
        {"beyond the source", "Priced", "600", "600", "", false,
         "Maximum units available to settle from this source are 500.0000. You are attempting "
         "to settle 600.0000.",
         "UnitsSettled", "500.0000"},
        {"customer", "Storage Ticket", "500", "", "", false,
         "A valid customer is required before settlement detail may be accepted.", "Customer",
         "500.0000"},
        {"quantity", "Storage Ticket", "", "", "", true,
         "Units settled amount is required to accept this settle detail.", "UnitsSettled", ""},
        {"contract", "Storage Ticket", "499.99999", "", " ", true,
         "A valid Storage Ticket contract number is required.", "Contract", "500.0000"},
        {"line date", "Storage Ticket", "500", "", "ST-9", true,
         "The line date \"13/45/2026\" is not a date.", "LineDate", "500.0000", "13/45/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettlementEntryWindow& w = FromAssembly();
        if (!c.knownCustomer) w.Header().custRef = "NOBODY";
        if (*c.destination) Choose(w, c.destination);
        w.Line().quantity = c.quantity, w.Line().contract = c.contract;
        if (*c.lineDate) w.Line().date = c.lineDate;
        if (*c.quantity) w.QuantityChanged();
        if (*c.priceUnits) {
            w.Prices().Data().units = c.priceUnits, w.Prices().Data().price = "4.00";
            ASSERT_TRUE(w.Prices().AcceptPrice());
        }
        ui.messages.clear(), ui.focus.clear();
        EXPECT_FALSE(w.AcceptLine());
        EXPECT_EQ(Shown(), c.message);
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.focus, (Texts{c.focus}));
        EXPECT_EQ(w.Line().quantity, c.quantityAfter);
        EXPECT_TRUE(w.Set().details.Empty());
    }
}

TEST_P(SettlementEntryWindowTest, AcceptSavesTheLinesAndShowsTheStoredSettlement) {
    SettlementEntryWindow& w = FromAssembly();
    PricedLine(w, "200", "4.25");
    StorageLine(w, "300", "ST-9");
    ASSERT_TRUE(w.Accept()) << Shown();
    EXPECT_FALSE(w.Changed());
    EXPECT_EQ(w.Header().settlement, "41");
    EXPECT_NE(w.Header().recno, 0);
    EXPECT_EQ(Rows("SELECT TODPR,UNITSSET,TOTPRICE,GLCODE,SOURCE,SOURCEREF FROM HVXGR04D ORDER BY "
                   "RECNO"),
              (Texts{"Priced\t200.0000\t850.00\t06\tAssembly\tA100",
                     "Storage Ticket\t300.0000\t0.00\t80\tAssembly\tA100"}));
    EXPECT_EQ(Rows("SELECT CONTRACT,OUNITS,STATUS FROM HVXGR04F WHERE TODPR='Storage Ticket'"),
              Texts{"ST-9\t300.0000\tO"});
    EXPECT_EQ(Rows("SELECT SETTUNITS FROM HVXGR02S WHERE LINEID='7001'"), Texts{"500.0000"});
    EXPECT_EQ(Rows("SELECT UNITS,PRICE FROM HVXGR04B ORDER BY RECNO"),
              Texts{"200\t4.25"});  // as typed
    // Shown again as stored: a second accept stores the same lines, draws nothing again.
    EXPECT_EQ(w.Lines().size(), 2u);
    const auto stored = [] {
        return Rows("SELECT D.DLLINK,D.UNITSSET,F.OUNITS,F.STATUS,D.NUMCHANGE FROM HVXGR04D D, "
                    "HVXGR04F F WHERE F.DLLINK=D.DLLINK ORDER BY D.DLLINK");
    };
    const Texts before = stored();
    const std::string sources = SplitsAndTickets();
    ASSERT_TRUE(w.Accept()) << Shown();
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(SplitsAndTickets(), sources);
    EXPECT_EQ(Count("HVXGR04"), "1");

    // Another workstation opening it meanwhile sees it held: read-only, caption marked.
    host.refuseAll = true;
    SettlementEntryWindow other(SettlementType::SingleSource, ui, dialogs);
    ASSERT_TRUE(other.Open(hvx::ParseSettlementKey("41")));
    EXPECT_TRUE(other.LockedByOther());
    EXPECT_EQ(other.WindowCaption(), "Enter By Settlement Source (Locked)");
    EXPECT_FALSE(other.AcceptEnabled());
    EXPECT_TRUE(other.DateProtected() && other.CheckProtected());
    EXPECT_FALSE(other.AcceptLine());
    EXPECT_EQ(Shown(), "Option is currently unavailable.");
    ui.messages.clear();
    w.ChangePosted();  // not posted: its terms change through its lines
    EXPECT_EQ(Shown(), "Option is currently unavailable.");

    // "#RECNO" of the storage line: a new settlement drawing on the contract it made.
    host.refuseAll = false;
    const std::string line =
        Rows("SELECT RECNO FROM HVXGR04D WHERE TODPR='Storage Ticket'")[0];
    SettlementEntryWindow onward(SettlementType::SingleSource, ui, dialogs);
    ASSERT_TRUE(onward.Open(hvx::ParseSettlementKey("#" + line))) << Shown();
    EXPECT_EQ(onward.SourceCaption(), "Storage Ticket : ST-9");
    EXPECT_EQ(onward.Header().custRef + " " + onward.Line().quantity, "C1 300.0000");
    EXPECT_FALSE(onward.Stored());
}

// The line being entered when Accept is pressed: Cancel stores nothing, Yes
// takes the line first (and stops when it is refused), No drops it.
TEST_P(SettlementEntryWindowTest, AcceptAsksAboutTheChangedLineOnce) {
    struct Case {
        MsgAnswer answer;
        const char* quantity;
        const char* lines;  // lines stored
    };
    for (const Case& c : {Case{MsgAnswer::Cancel, "100", "0"}, Case{MsgAnswer::Yes, "100", "2"},
                          Case{MsgAnswer::Yes, "900", "0"}, Case{MsgAnswer::No, "100", "1"}}) {
        SCOPED_TRACE(std::string(c.quantity) + " " + std::to_string(int(c.answer)));
        TearDown(), SetUp();
        SettlementEntryWindow& w = FromAssembly();
        PricedLine(w, "200", "4.25");
        Choose(w, "Storage Ticket");
        w.Line().quantity = c.quantity, w.Line().contract = "ST-9";
        ui.messages.clear();
        ui.answers = {c.answer};
        w.Accept();
        EXPECT_EQ(ui.messages.front().text,
                  "Settlement detail has changed. Do you wish to save this source first?");
        EXPECT_EQ(std::ranges::count_if(ui.messages, [](const ShownMessage& m) {
                      return m.text.starts_with("Settlement detail has changed");
                  }),
                  1);
        EXPECT_EQ(Count("HVXGR04D"), c.lines);
    }
}

// A storage ticket must be settled whole: equal once rounded to 5 decimals.
TEST_P(SettlementEntryWindowTest, AStorageTicketSourceIsSettledWhole) {
    for (const auto& [open, saved] : {std::pair{"300.000001", true}, {"300.00001", false}}) {
        SCOPED_TRACE(open);
        TearDown(), SetUp();
        SeedContract("9900", "Storage Ticket", open);
        Exec("UPDATE HVXGR04F SET CUSTREF='C1',CONTRACT='ST-5',COMMODITY='CORN',LOCATION='1',"
             "SETTLEMENT='12'");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,POSTED,REVERSED,RECNO) VALUES "
             "('12','50','0','T','F',50)");
        dialogs.answers = hvx::NewSettlementAnswers{"C1", "Casey Farms", "Storage Ticket", "", ""};
        ui.picks.push_back({hvx::TextNumber(Rows("SELECT RECNO FROM HVXGR04F")[0]), "ST-5"});
        SettlementEntryWindow& w = Window();
        w.New();
        PricedLine(w, "300", "4.00");
        ui.messages.clear();
        EXPECT_EQ(w.Accept(), saved) << Shown();
        if (!saved) {
            EXPECT_EQ(Shown(), "Total units settled do not equal units on the storage ticket. ALL "
                               "units on a storage ticket must be used to save this settlement.");
        }
    }
}

// Leaving a changed settlement: Cancel keeps every edit where it is, No
// drops them and moves, Yes saves first and stays when the save is refused.
TEST_P(SettlementEntryWindowTest, MovingAwayAsksOnceAndHonoursEachAnswer) {
    SettlementEntryWindow& w = FromAssembly();
    PricedLine(w, "200", "4.25");
    ASSERT_TRUE(w.Accept()) << Shown();
    ui.messages.clear();
    EXPECT_FALSE(w.Next());
    EXPECT_EQ(ui.beeps, 1);  // the last settlement: only a beep
    EXPECT_TRUE(ui.messages.empty());

    w.Header().checkNum = "777", w.MarkChanged();
    ui.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(w.Previous());
    EXPECT_EQ(w.Header().checkNum, "777");
    EXPECT_EQ(ui.messages.back().text, "Changes have been made! Save changes?");
    EXPECT_EQ(ui.messages.back().caption, "Changed");

    w.Header().settDate = "";
    ui.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(w.MayClose());
    EXPECT_EQ(Shown(), "Settlement date is required to accept this settlement.");
    w.Header().settDate = "02302026";  // no such day: refused before anything is stored
    ui.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(w.MayClose());
    EXPECT_EQ(Shown(), "The settlement date \"02302026\" is not a date.");

    ui.answers = {MsgAnswer::No};
    ui.messages.clear();
    EXPECT_TRUE(w.MayClose());
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Rows("SELECT CHECKNUM FROM HVXGR04"), Texts{""});
}

TEST_P(SettlementEntryWindowTest, DeleteAsksOnceAndGivesTheUnitsBack) {
    SettlementEntryWindow& w = FromAssembly();
    StorageLine(w, "500", "ST-9");
    ASSERT_TRUE(w.Accept()) << Shown();
    EXPECT_EQ(w.DeleteCaption(), "&Delete");
    ui.messages.clear();
    ui.answers = {MsgAnswer::No};
    EXPECT_FALSE(w.DeleteOrReverse());
    EXPECT_EQ(Count("HVXGR04"), "1");
    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(w.DeleteOrReverse()) << Shown();
    EXPECT_EQ(ui.messages.size(), 2u);  // one question each time
    EXPECT_EQ(ui.messages.back().caption, "Delete Item?");
    EXPECT_EQ(Count("HVXGR04") + Count("HVXGR04D") + Count("HVXGR04F"), "000");
    EXPECT_EQ(Rows("SELECT SETTUNITS FROM HVXGR02S WHERE LINEID='7001'"), Texts{"0.0000"});
    EXPECT_FALSE(w.Stored());
}

// By destination: two tickets picked together and part of a storage ticket
// sold; the deduction repays C1's advance. Deleting gives everything back.
TEST_P(SettlementEntryWindowTest, ByDestinationTicketsAndAContractAreSoldAndGivenBack) {
    SeedContract("9900", "Storage Ticket", "300.0000");
    Exec("UPDATE HVXGR04F SET CUSTREF='C1',CONTRACT='ST-5',COMMODITY='CORN',LOCATION='1',"
         "SETTLEMENT='12'");
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,POSTED,REVERSED,RECNO) VALUES "
         "('12','50','0','T','F',50)");
    Exec("UPDATE HVXGR03A SET PRICE='4.0000'");
    const Tables before = Snapshot();
    dialogs.answers = hvx::NewSettlementAnswers{"C1", "Casey Farms", "Priced", "", ""};
    SettlementEntryWindow& w = Window(SettlementType::MultipleSource);
    w.New();
    const auto choose = [&](std::string_view kind) {
        for (const hvx::MenuEntry& e : w.Menu())
            if (e.value == kind) return w.ChooseFromMenu(e);
    };
    dialogs.checkRows = {0, 1};
    choose("Scale Ticket");
    ASSERT_EQ(w.Lines().size(), 2u) << Shown();
    ui.picks.push_back({hvx::TextNumber(Rows("SELECT RECNO FROM HVXGR04F")[0]), "ST-5"});
    choose("Storage Ticket");
    EXPECT_EQ(w.SourceCaption(), "Storage Ticket : ST-5");
    EXPECT_EQ(w.Line().quantity, "300.0000");
    w.Line().quantity = "100", w.Line().price = "4.10";
    ASSERT_TRUE(w.AcceptLine()) << Shown();
    w.Finish();
    hvx::PricePage& page = w.Prices();
    page.NewDeduction();
    page.Data().deduction = "ADV", page.Data().amount = "40.00", page.Data().da = "D";
    ASSERT_TRUE(page.AcceptDeduction()) << Shown();
    ui.answers = {MsgAnswer::Yes};  // the advance repaid as it comes
    ASSERT_TRUE(w.Accept()) << Shown();

    EXPECT_EQ(Rows("SELECT SOURCE,SOURCEREF,UNITSSET,TOTPRICE,GLCODE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"Scale Ticket\t1001\t300.0000\t1200.00\t06",
                     "Scale Ticket\t1002\t250.0000\t1000.00\t06",
                     "Storage Ticket\tST-5\t100.0000\t410.00\t04"}));
    EXPECT_EQ(Rows("SELECT TODPR,UNITSSET,GROSSAMT,NETAMT FROM HVXGR04F WHERE SETTLEMENT='41'"),
              Texts{"Priced\t650.0000\t2610.00\t2570.00"});
    EXPECT_EQ(Rows("SELECT DEDUCT,AMOUNT FROM HVXGR04C"), Texts{"ADV\t40.00"});
    EXPECT_EQ(Rows("SELECT RAMOUNT FROM HVXGR57 WHERE CUSTREF='C1'"), Texts{"40.00"});
    EXPECT_EQ(Rows("SELECT SCALETICK,UNITSSET FROM HVXGR03A ORDER BY SCALETICK"),
              (Texts{"1001\t300.0000", "1002\t250.0000"}));
    EXPECT_EQ(Rows("SELECT OUNITS FROM HVXGR04F WHERE DLLINK='9900'"), Texts{"200.0000"});

    // The window shows it as stored; its price page holds the settlement's deduction.
    EXPECT_EQ(w.Values().netAmt, 2570.00);
    EXPECT_EQ(page.Deductions().Count(), 1u);
    ui.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(w.DeleteOrReverse()) << Shown();
    EXPECT_EQ(Without(Snapshot(), {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS", "HVXGR04H"}),
              Without(before, {"HVXNEXTNUM", "HVXGR40", "HVXLOCKS", "HVXGR04H"}));
}

// By destination: the last source line of a priced settlement takes the
// pay names with it, but only after the clerk agreed.
TEST_P(SettlementEntryWindowTest, DeletingTheLastPricedSourceAsksAboutPayNames) {
    dialogs.answers = hvx::NewSettlementAnswers{"C1", "Casey Farms", "Priced", "", ""};
    SettlementEntryWindow& w = Window(SettlementType::MultipleSource);
    w.New();
    dialogs.checkRows = {0};
    for (const hvx::MenuEntry& e : w.Menu())
        if (e.value == "Scale Ticket") w.ChooseFromMenu(e);
    EXPECT_EQ(w.SourceCaption(), "Scale Ticket : 1001");
    w.Line().price = "4.10";
    ASSERT_TRUE(w.AcceptLine()) << Shown();
    EXPECT_EQ(w.Values().grossAmt, 1230.00);
    w.Set().payNames.Add("Casey Farms", false);
    w.SelectLine(0);
    for (const auto& [answer, left] : {std::pair{MsgAnswer::No, 1u}, {MsgAnswer::Yes, 0u}}) {
        ui.answers = {answer};
        ui.messages.clear();
        w.DeleteLine();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.starts_with("Deleting this last entry will remove all "
                                                    "paynames"));
        EXPECT_EQ(w.Lines().size(), left);
        EXPECT_EQ(w.Set().payNames.Count(), left);
        w.SelectLine(0);
    }
    EXPECT_EQ(w.Values().grossAmt, 0);
    EXPECT_FALSE(w.AcceptEnabled());
}

TEST_P(SettlementEntryWindowTest, PrintEntriesFollowTheSettlementsLines) {
    SettlementEntryWindow& w = FromAssembly();
    PricedLine(w, "200", "4.25");
    StorageLine(w, "300", "ST-9");
    const auto shown = [](const hvx::settlement::SettlementRecordSet& set) {
        std::string enabled;
        for (const auto& e : hvx::entry::PrintEntries(set)) enabled += e.enabled ? '1' : '0';
        return enabled;
    };
    EXPECT_EQ(shown(w.Set()), "11001");
    w.Header().reversed = true;
    EXPECT_EQ(shown(w.Set()), "10001");
    hvx::settlement::SettlementRecordSet contract;
    hvx::settlement::SettlementDetailItem line = AssemblyLine("1", "Priced Later", 5, 0, 0);
    line.source = "Storage Ticket";
    contract.details.AddLine(line);
    EXPECT_EQ(shown(contract), "10100");  // no assembly sheet for a contract's settlement
}

}  // namespace
}  // namespace hvxtest
