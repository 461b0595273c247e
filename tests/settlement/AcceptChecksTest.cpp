// The settlement window's own checks and lists on every engine: the accept
// checks in their order, the status popup's texts, and the settlement lookup
// keyed by settlement number.
#include <gtest/gtest.h>

#include "platform/PickList.h"
#include "settlement/AcceptChecks.h"
#include "settlement/SettlementLookups.h"
#include "settlement/SettlementStatus.h"
#include "shell/BackOfficeCalls.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::settlement;
using hvxtest::Exec;
using Texts = std::vector<std::string>;

int VerifyFake(void*, const char* reference, char* result, int) {
    result[0] = '\0';
    return std::string(reference) == "BK-1";
}

class SettlementWindow : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SettlementWindow);

TEST_P(SettlementWindow, FirstFailingAcceptCheckShowsItsMessageAndMovesTheFocus) {
    Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('C-1','Ann',1)");
    hvxtest::FakeHost host;
    host.AddModule("H32BKOF.DLL").Export("bVerifyCustomer", &VerifyFake);
    const AcceptCheckInput good{&host, false, "C-1", "CustRef", "03/07/2024", "SettDate", true, "HVX"};
    const char* const kCustomer = "A valid customer reference is required.";
    const struct {
        const char* name;
        void (*change)(AcceptCheckInput&);
        const char *message, *focus;  // "" when the accept goes on, or no focus moves
    } cases[] = {
        {"all good", [](AcceptCheckInput&) {}, "", ""},
        {"posted comes first",
         [](AcceptCheckInput& i) { i = {i.window, true, "", "CustRef", "", "SettDate", false, ""}; },
         "Cannot change a settlement once it has been posted. Please use the change button "
         "provided below.",
         ""},
        {"empty customer", [](AcceptCheckInput& i) { i.custRef = "", i.settDate = ""; }, kCustomer,
         "CustRef"},
        {"unknown customer", [](AcceptCheckInput& i) { i.custRef = "C-2"; }, kCustomer, "CustRef"},
        {"back office knows BK-1",
         [](AcceptCheckInput& i) { i.custRef = "BK-1", i.customerSystem = "TORVALE"; }, "", ""},
        {"back office does not know C-1", [](AcceptCheckInput& i) { i.customerSystem = "TORVALE"; },
         kCustomer, "CustRef"},
        {"blank date", [](AcceptCheckInput& i) { i.settDate = "  ", i.hasLines = false; },
         "Settlement date is required to accept this settlement.", "SettDate"},
        {"no lines", [](AcceptCheckInput& i) { i.hasLines = false; },
         "Settlement requires at least one source entry to save.", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::ScriptedUi ui;
        AcceptCheckInput input = good;
        c.change(input);
        EXPECT_EQ(AcceptBlocked(input, ui), *c.message != '\0');
        std::string shown;
        for (const auto& m : ui.messages) shown += m.text + "|" + m.caption + ";";
        EXPECT_EQ(shown, *c.message ? std::string(c.message) + "|Harvexa;" : "");
        EXPECT_EQ(ui.focus, *c.focus ? Texts{c.focus} : Texts{});
    }
}

TEST(SettlementStatus, ShowsTheGLClassRowOnlyWithACode) {
    EXPECT_EQ(SettlementStatus("10", "Grain Purchases", true, false, false),
              (SettlementStatusText{"Settlement Status",
                                    "G/L Class~Grain Purchases\nPosted~Yes\nG/L Posted~No"}));
    hvxtest::ScriptedUi ui;
    ShowSettlementStatus(ui, "", "ignored", false, true, true);
    ASSERT_EQ(ui.popups.size(), 1u);
    EXPECT_EQ(ui.popups[0].caption + "|" + ui.popups[0].text,
              "Settlement Status (Reversed)|\nPosted~No\nG/L Posted~Yes");
}

// Lines of single-source settlements 7, 10 and 3 (two lines) and of
// multiple-source settlement 12.
TEST_P(SettlementWindow, LookupListsTheLinesOfOneTypeKeyedBySettlementNumber) {
    Exec("INSERT INTO HVXGR04D (CUSTNAME,SETTLEMENT,SETDTE,STYPE,RECNO) VALUES "
         "('Casey Farms','7','2024-03-07','0',1),('Able Acres','10','2024-03-09','0',2),"
         "('Casey Farms','12','2024-03-10','1',3),('O''Brien Farms','3','2024-02-01','0',4),"
         "('O''Brien Farms','3','2024-02-01','0',5)");
    hvxtest::ScriptedUi ui;
    std::string field = "1", error;
    // Cancelled: nothing picked, the field keeps what was typed.
    EXPECT_FALSE(LookupSettlement(ui, hvx::SettlementType::SingleSource, field));
    EXPECT_EQ(field, "1");
    hvx::PickList list;
    ASSERT_TRUE(list.Load(ui.pickColumns.back(), ui.pickLists.back(), ui.pickKeys.back(), error))
        << error;
    ASSERT_EQ(list.Columns().size(), 10u);
    EXPECT_EQ(list.Columns()[0].title + "|" + list.Columns()[6].title, "Name|Units Settled");
    Texts keys;
    for (int r = 0; r < static_cast<int>(list.Rows().size()); ++r) keys.push_back(list.KeyText(r));
    EXPECT_EQ(keys, (Texts{"3", "3", "7", "10"}));
    // Typing the start of a number lands on its settlement; the pick hands
    // back the settlement number, not the customer's name.
    const int row = list.RowFor("1");
    ASSERT_GE(row, 0);
    ui.picks.push_back({list.Rows()[row].recno, list.KeyText(row)});
    EXPECT_TRUE(LookupSettlement(ui, hvx::SettlementType::SingleSource, field));
    EXPECT_EQ(field, "10");
}

}  // namespace
