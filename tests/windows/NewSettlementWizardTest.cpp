// The new-settlement wizard without a screen: lists, pages with Back, the customer
// Finish insists on, and what fields look up when left forward or searched.
#include <gtest/gtest.h>

#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/wizard/NewSettlementWizard.h"

namespace {

using hvx::WizardMode;
using Wizard = hvx::NewSettlementWizard;
using Field = Wizard::Field;

std::string Joined(const auto& texts) {
    std::string out;
    for (const auto& t : texts) out += std::string(t) + "|";
    return out.substr(0, out.empty() ? 0 : out.size() - 1);
}

int VerifyFake(void*, const char* text, char* result, int n) {
    return std::string(text) == "BK-1" && std::snprintf(result, n, "01=BK-1\t02=Bakker Farms");
}
int NameFake(void*, const char*, char* r, int n) {
    return snprintf(r, n, "01=SM-2\t02=Smith");
}

class NewSettlementWizardTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('CORN','Corn',1)");
        hvxtest::Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('01','Main',1)");
        hvxtest::Exec(
            "INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('ANDERSON','Anderson',7)");
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
};
HVX_DATABASE_TEST_SUITE(NewSettlementWizardTest);

TEST_P(NewSettlementWizardTest, EachModeListsItsEntriesUnderItsLabelAndHasItsHelp) {
    const std::string bought =
        "Priced|Installment Sale|Priced Later|Basis Fixed|Futures Fixed|"
        "Hedged-to-Arrive|Minimum Priced";
    const std::string lists[] = {
        "Source Type:Assembly|Storage Ticket|Priced Later|Installment Sale|Basis Fixed|Futures "
        "Fixed|Hedged-to-Arrive|Minimum Priced|Grain Bank|CCC|Direct In|Setup",
        "Destination Type:" + bought + "|Storage Ticket|CCC|Grain Bank|Redelivered",
        "Destination Type:" + bought};
    for (int mode = 0; mode < 3; ++mode) {
        ui.help.clear();
        Wizard w(ui, &host, WizardMode(mode));
        w.Open(), w.Help();
        EXPECT_EQ(std::string(w.ListLabel()) + ":" + Joined(w.Entries()), lists[mode]);
        EXPECT_EQ(Joined(ui.help), mode == 0 ? "HVXGRP.HLP#2112" : "");
    }
    EXPECT_EQ(ui.messages.at(1).caption + ":" + ui.messages[1].text,
              "Harvexa:Help topic is currently unavailable.");
}

TEST_P(NewSettlementWizardTest, PagesFollowTheChosenTypeAndBackRetracesTheWayTaken) {
    // N "Next >", B "< Back", L leaving the list forward (l with Shift: nothing);
    // s and a choose Setup and Assembly. After Setup, then Assembly, Back no
    // longer passes the commodity page.
    Wizard w(ui, &host, WizardMode::SourceType);
    w.Open();
    std::string pages;
    for (const char s : std::string("lsNNBBaLB")) {
        if (s == 's' || s == 'a') w.Select(s == 's' ? 11 : 0);
        if (s == 'N') w.Next();
        if (s == 'B') w.Back();
        if (s == 'L' || s == 'l') w.LeaveList(s == 'l');
        pages += s == 's' || s == 'a' ? s : char('0' + int(w.CurrentPage()));
    }
    EXPECT_EQ(pages, "0s1210a20");
    EXPECT_EQ(Joined(ui.focus), "list|commodity|custName|commodity|list|custName|list");
}

TEST_P(NewSettlementWizardTest, FinishWantsReferenceAndNameAndAnswersOnlyWhatThisPassAsked) {
    Wizard w(ui, &host, WizardMode::SourceType);
    w.Open(), w.Select(11), w.Next(), w.Next();  // Setup asks for commodity and location
    w.Fields() = {"", "ANDERSON", "CORN", "01"};
    ui.focus.clear();
    EXPECT_FALSE(w.Next()) << "a reference without a name";
    EXPECT_EQ(ui.messages.at(0).text + Joined(ui.focus), "A valid customer is required.custName");
    w.Fields().custName = "Anderson";
    ASSERT_TRUE(w.Next());
    const auto& a = w.Answers();
    EXPECT_EQ(Joined(std::vector{a.custRef, a.custName, a.kind, a.commodity, a.location}),
              "ANDERSON|Anderson|Setup|CORN|01");
    // Back to the list for Assembly: what page 1 held is no answer of it.
    w.Back(), w.Back(), w.Select(0), w.Next();
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(Joined(std::vector{a.kind, a.commodity, a.location}), "Assembly||");
}

TEST_P(NewSettlementWizardTest, FieldsLeftForwardOrSearchedLookUpTheirValueOrOpenTheirList) {
    enum Action { Leave, Shift, Button };
    const struct {
        const char* backOffice;  // "" no configuration row; "-" TORVALE without the sibling
        Field field;
        Action action;
        Wizard::Record typed;                          // custName, custRef, commodity, location
        double pick;                                   // the list's answer: a RECNO, 0 to cancel
        const char *after, *lists, *focus, *messages;  // after: reference|name|commodity|location
    } cases[] = {
        // clang-format off
        {"", Field::Commodity, Leave, {"", "", "/", ""}, 1, "||CORN|", "HVXGR51:", "location", ""},
        {"", Field::Commodity, Leave, {"", "", "RYE", ""}, 0, "|||", "HVXGR51:", "commodity", ""},
        {"", Field::Commodity, Shift, {"", "", "/", ""}, 0, "||/|", "", "", ""},
        {"", Field::Location, Button, {"", "", "", "9"}, 1, "|||01", "HVXINV16:", "next", ""},
        // The module's own customers: the name is read for the reference, or a list opens.
        {"HVX", Field::CustName, Leave, {"And", "", "", ""}, 7, "ANDERSON|Anderson||",
         "HVXAR50:NAME", "next", ""},
        {"", Field::CustRef, Leave, {"x", "ANDERSON", "", ""}, 0, "ANDERSON|Anderson||", "",
         "next", ""},
        // The back office verifies, then searches; when it is missing it says so once.
        {" TORVALE ", Field::CustRef, Leave, {"", "BK-1", "", ""}, 0, "BK-1|Bakker Farms||", "",
         "next", ""},
        {"TORVALE", Field::CustName, Leave, {"Smi", "", "", ""}, 0, "SM-2|Smith||", "", "next", ""},
        {"-", Field::CustName, Leave, {"Smi", "", "", ""}, 0, "|Smi||", "", "",
         "Unable to load H32BKOF.DLL"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        hvxtest::Exec("DELETE FROM HVXGR40");
        if (*c.backOffice)
            hvxtest::Exec(std::string("INSERT INTO HVXGR40 (BCKOFFCE,RECNO) VALUES ('") +
                          (*c.backOffice == '-' ? "TORVALE" : c.backOffice) + "',1)");
        host.modules.clear();
        if (*c.backOffice != '-')
            host.AddModule("H32BKOF.DLL")
                .Export("bVerifyCustomer", &VerifyFake)
                .Export("bSearchCustName", &NameFake);
        Wizard w(ui, &host, WizardMode::SourceType);
        w.Open();
        ui.focus.clear(), ui.messages.clear(), ui.pickLists.clear(), ui.pickKeys.clear();
        ui.picks = {{c.pick, c.field == Field::Commodity ? "CORN" : "01"}};
        w.Fields() = c.typed;
        c.action == Button ? w.Search(c.field) : w.Leave(c.field, c.action == Shift);
        const Wizard::Record& f = w.Fields();
        std::vector<std::string> lists, shown;
        for (size_t i = 0; i < ui.pickLists.size(); ++i)  // the table listed, and its key
            lists.push_back(ui.pickLists[i].substr(ui.pickLists[i].rfind(' ') + 1) + ":" +
                            ui.pickKeys[i]);
        for (const auto& m : ui.messages) shown.push_back(m.text);
        EXPECT_EQ(Joined(std::vector{f.custRef, f.custName, f.commodity, f.location, Joined(lists),
                                     Joined(ui.focus), Joined(shown)}),
                  Joined(std::vector<std::string>{c.after, c.lists, c.focus, c.messages}));
    }
}

}  // namespace
