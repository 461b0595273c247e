// The accept checks of a settlement window in their order, and the status
// popup's texts.
#include <gtest/gtest.h>

#include "settlement/AcceptChecks.h"
#include "settlement/SettlementStatus.h"
#include "shell/BackOfficeCalls.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::settlement;

int VerifyFake(void*, const char* reference, char* result, int) {
    result[0] = '\0';
    return std::string(reference) == "BK-1";
}

class AcceptChecks_ : public hvxtest::DatabaseTest {};

TEST_P(AcceptChecks_, FirstFailingCheckShowsItsMessageAndMovesTheFocus) {
    hvxtest::Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('C-1','Ann',1)");
    hvxtest::FakeHost host;
    host.AddModule("H32BKOF.DLL").Export("bVerifyCustomer", &VerifyFake);
    const AcceptCheckInput good{&host, false, "C-1", "CustRef", "03/07/2024", "SettDate", true, "HVX"};
    const struct {
        const char* name;
        void (*change)(AcceptCheckInput&);
        const char* message;  // "" when the accept goes on
        const char* focus;
    } cases[] = {
        {"all good", [](AcceptCheckInput&) {}, "", ""},
        {"posted comes first",
         [](AcceptCheckInput& i) { i = {i.window, true, "", "CustRef", "", "SettDate", false, ""}; },
         "Cannot change a settlement once it has been posted. Please use the change button "
         "provided below.",
         ""},
        {"empty customer", [](AcceptCheckInput& i) { i.custRef = ""; i.settDate = ""; },
         "A valid customer reference is required.", "CustRef"},
        {"unknown customer", [](AcceptCheckInput& i) { i.custRef = "C-2"; },
         "A valid customer reference is required.", "CustRef"},
        {"back office knows BK-1", [](AcceptCheckInput& i) { i.custRef = "BK-1"; i.customerSystem = "TORVALE"; },
         "", ""},
        {"back office does not know C-1", [](AcceptCheckInput& i) { i.customerSystem = "TORVALE"; },
         "A valid customer reference is required.", "CustRef"},
        {"other system uses the own table", [](AcceptCheckInput& i) { i.customerSystem = "ACME"; },
         "", ""},
        {"blank date", [](AcceptCheckInput& i) { i.settDate = "  "; i.hasLines = false; },
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
        if (*c.message) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_EQ(ui.messages[0].caption, "Harvexa");
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
        EXPECT_EQ(ui.focus, *c.focus ? std::vector<std::string>{c.focus} : std::vector<std::string>{});
    }
}

HVX_DATABASE_TEST_SUITE(AcceptChecks_);

TEST(SettlementStatus, ShowsTheGLClassRowOnlyWithACode) {
    EXPECT_EQ(SettlementStatus("10", "Grain Purchases", true, false, false),
              (SettlementStatusText{"Settlement Status",
                                    "G/L Class~Grain Purchases\nPosted~Yes\nG/L Posted~No"}));
    EXPECT_EQ(SettlementStatus("", "ignored", false, true, true),
              (SettlementStatusText{"Settlement Status (Reversed)", "\nPosted~No\nG/L Posted~Yes"}));
    hvxtest::ScriptedUi ui;
    ShowSettlementStatus(ui, "", "", true, true, false);
    ASSERT_EQ(ui.popups.size(), 1u);
    EXPECT_EQ(ui.popups[0].caption, "Settlement Status");
    EXPECT_EQ(ui.popups[0].text, "\nPosted~Yes\nG/L Posted~Yes");
}

}  // namespace
