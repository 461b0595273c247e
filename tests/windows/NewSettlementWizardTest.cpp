// The "Create New Settlement" wizard without a screen: the list of each mode,
// the order of its pages with Back, the customer it insists on, and what its
// fields look up when they are left forward or searched.
#include <gtest/gtest.h>

#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/wizard/NewSettlementWizard.h"

namespace {

using hvx::WizardMode;
using Wizard = hvx::NewSettlementWizard;
using Field = Wizard::Field;

std::string Joined(const auto& texts, const char* separator = "|") {
    std::string out;
    for (const auto& t : texts) out += (out.empty() ? "" : separator) + std::string(t);
    return out;
}

int VerifyFake(void*, const char* text, char* result, int size) {
    return std::string(text) == "BK-1" && std::snprintf(result, size, "01=BK-1\t02=Bakker Farms");
}
int SearchNameFake(void*, const char*, char* result, int size) {
    return std::snprintf(result, size, "01=SM-2\t02=Smith Grain\t09=ignored") > 0;
}

class NewSettlementWizardTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('CORN','Corn',1)");
        hvxtest::Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('01','Main',1)");
        hvxtest::Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('ANDERSON','Anderson "
                      "Family Farms',7)");
    }
    void Setting(const char* backOffice) {
        hvxtest::Exec(std::string("INSERT INTO HVXGR40 (BCKOFFCE,RECNO) VALUES ('") +
                      backOffice + "',1)");
    }
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
};
HVX_DATABASE_TEST_SUITE(NewSettlementWizardTest);

TEST_P(NewSettlementWizardTest, EachModeListsItsEntriesUnderItsLabelAndPromptAndHasItsHelp) {
    const struct {
        WizardMode mode;
        const char *label, *entries, *help;
    } cases[] = {
        {WizardMode::SourceType, "Source Type",
         "Assembly|Storage Ticket|Priced Later|Installment Sale|Basis Fixed|Futures Fixed|"
         "Hedged-to-Arrive|Minimum Priced|Grain Bank|CCC|Direct In|Setup", "HVXGRP.HLP#2112"},
        {WizardMode::DestinationType, "Destination Type",
         "Priced|Installment Sale|Priced Later|Basis Fixed|Futures Fixed|Hedged-to-Arrive|"
         "Minimum Priced|Storage Ticket|CCC|Grain Bank|Redelivered", ""},
        {WizardMode::ShipmentDestination, "Destination Type",
         "Priced|Installment Sale|Priced Later|Basis Fixed|Futures Fixed|Hedged-to-Arrive|"
         "Minimum Priced", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ui.focus.clear(), ui.messages.clear(), ui.help.clear();
        Wizard w(ui, &host, c.mode);
        w.Open();
        EXPECT_EQ(Joined(w.Entries()), c.entries);
        EXPECT_EQ(w.ListLabel(), c.label);
        EXPECT_EQ(w.Heading(), c.mode == WizardMode::SourceType
                                   ? "Select the source for the settlement about to be created."
                                   : "Select the destination for the settlement about to be "
                                     "created.");
        EXPECT_EQ(w.Selected(), 0);
        EXPECT_EQ(Joined(ui.focus), "list");
        EXPECT_FALSE(w.BackEnabled());
        w.Help();
        EXPECT_EQ(Joined(ui.help), c.help);
        EXPECT_EQ(ui.messages.size(), *c.help ? 0u : 1u);
        for (const auto& m : ui.messages)
            EXPECT_EQ(m.caption + ":" + m.text, "Harvexa:Help topic is currently unavailable.");
    }
}

TEST_P(NewSettlementWizardTest, PagesFollowTheChosenTypeAndBackRetracesTheWayTaken) {
    // Steps: N "Next >", B "< Back", L leaving the list forward, l the same with
    // Shift; a, d and s choose Assembly, Direct In and Setup. Pages as numbers.
    const struct {
        WizardMode mode;
        const char *steps, *pages, *focus;
    } cases[] = {
        {WizardMode::SourceType, "NB", "20", "list|custName|list"},
        {WizardMode::SourceType, "sNNBBN", "s12101",
         "list|commodity|custName|commodity|list|commodity"},
        {WizardMode::SourceType, "dNBB", "d100", "list|commodity|list"},
        // Setup once, then Assembly: Back no longer passes the commodity page.
        {WizardMode::SourceType, "sNNBBaNB", "s1210a20",
         "list|commodity|custName|commodity|list|custName|list"},
        {WizardMode::SourceType, "lL", "02", "list|custName"},
        {WizardMode::DestinationType, "NBN", "202", "list|custName|list|custName"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        ui.focus.clear();
        Wizard w(ui, &host, c.mode);
        w.Open();
        std::string pages;
        for (const char* s = c.steps; *s; ++s) {
            if (*s == 's' || *s == 'd' || *s == 'a') {
                w.Select(*s == 's' ? 11 : *s == 'd' ? 10 : 0);
                pages += *s;
                continue;
            }
            if (*s == 'N') w.Next();
            if (*s == 'B') w.Back();
            if (*s == 'L' || *s == 'l') w.LeaveList(*s == 'l');
            pages += std::to_string(static_cast<int>(w.CurrentPage()));
        }
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(Joined(ui.focus), c.focus);
    }
}

TEST_P(NewSettlementWizardTest, FinishWantsReferenceAndNameAndAnswersOnlyWhatThisPassAsked) {
    Wizard w(ui, &host, WizardMode::SourceType);
    w.Open();
    w.Select(11);  // Setup: commodity and location are asked
    w.Next();
    w.Fields() = {"", "ANDERSON", "CORN", "01"};
    w.Next();
    ui.focus.clear();
    EXPECT_FALSE(w.Next()) << "a reference without a name";
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption + ":" + ui.messages[0].text,
              "Harvexa:A valid customer is required.");
    EXPECT_EQ(Joined(ui.focus), "custName");
    EXPECT_EQ(w.CurrentPage(), Wizard::Page::Customer);
    w.Fields().custName = "Anderson Family Farms";
    ASSERT_TRUE(w.Next());
    const auto& a = w.Answers();
    EXPECT_EQ(Joined(std::vector{a.custRef, a.custName, a.kind, a.commodity, a.location}),
              "ANDERSON|Anderson Family Farms|Setup|CORN|01");
    // Back to the list for Assembly: what page 1 held is no answer of it.
    w.Back(), w.Back(), w.Select(0), w.Next();
    ASSERT_TRUE(w.Next());
    EXPECT_EQ(Joined(std::vector{w.Answers().kind, w.Answers().commodity, w.Answers().location}),
              "Assembly||");
}

TEST_P(NewSettlementWizardTest, FieldsLeftForwardOrSearchedLookUpTheirValueOrOpenTheirList) {
    enum Action { Leave, Shift, Button };
    const struct {
        const char* name;
        const char* backOffice;  // "" no configuration row; "-" TORVALE without the sibling
        Field field;
        Action action;
        Wizard::Record typed;  // custName, custRef, commodity, location
        std::vector<hvxtest::ScriptedUi::Pick> picks;
        const char *after, *lists, *focus, *messages;
    } cases[] = {
        {"commodity /", "", Field::Commodity, Leave, {"", "", "/", ""}, {{1, "CORN"}},
         "|CORN|", "HVXGR51:", "location", ""},
        {"commodity on file", "", Field::Commodity, Leave, {"", "", "CORN", ""}, {},
         "|CORN|", "", "location", ""},
        {"commodity unknown, list cancelled", "", Field::Commodity, Leave, {"", "", "RYE", ""},
         {}, "||", "HVXGR51:", "commodity", ""},
        {"commodity with Shift", "", Field::Commodity, Shift, {"", "", "/", ""}, {}, "|/|", "", "",
         ""},
        {"location on file", "", Field::Location, Leave, {"", "", "", "01"}, {}, "||01", "",
         "next", ""},
        {"location button", "", Field::Location, Button, {"", "", "", "9"}, {{1, "01"}}, "||01",
         "HVXINV16:", "next", ""},
        {"name with no reference", "HVX", Field::CustName, Leave, {"Anders", "", "", ""},
         {{7, "Anderson Family Farms"}}, "ANDERSON|Anderson Family Farms", "HVXAR50:NAME", "next",
         ""},
        {"reference with a name", "", Field::CustRef, Leave, {"x", "ANDERSON", "", ""}, {},
         "ANDERSON|Anderson Family Farms", "", "next", ""},
        {"reference without a name", "", Field::CustRef, Leave, {"", "ANDERSON", "", ""}, {},
         "ANDERSON|", "HVXAR50:", "custRef", ""},
        {"empty reference", "", Field::CustRef, Leave, {"", "", "", ""}, {}, "|", "", "custName",
         ""},
        {"back office verifies", "TORVALE", Field::CustRef, Leave, {"", "BK-1", "", ""}, {},
         "BK-1|Bakker Farms", "", "next", ""},
        {"back office searches a name", " TORVALE ", Field::CustName, Leave,
         {"Smi", "", "", ""}, {}, "SM-2|Smith Grain", "", "next", ""},
        {"back office missing: said once", "-", Field::CustName, Leave, {"Smi", "", "", ""}, {},
         "|Smi", "", "", "Unable to load H32BKOF.DLL"},
        {"back office missing: button", "-", Field::CustRef, Button, {"", "C", "", ""}, {},
         "C|", "", "", "Unable to load H32BKOF.DLL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::Exec("DELETE FROM HVXGR40");
        if (*c.backOffice) Setting(*c.backOffice == '-' ? "TORVALE" : c.backOffice);
        host.modules.clear();
        if (*c.backOffice != '-')
            host.AddModule("H32BKOF.DLL")
                .Export("bVerifyCustomer", &VerifyFake)
                .Export("bSearchCustName", &SearchNameFake);
        Wizard w(ui, &host, WizardMode::SourceType);
        w.Open();
        ui.focus.clear(), ui.messages.clear(), ui.pickLists.clear(), ui.pickKeys.clear();
        ui.picks.assign(c.picks.begin(), c.picks.end());
        w.Fields() = c.typed;
        if (c.action == Button)
            w.Search(c.field);
        else
            w.Leave(c.field, c.action == Shift);
        const Wizard::Record& f = w.Fields();
        const bool customer = c.field == Field::CustRef || c.field == Field::CustName;
        EXPECT_EQ(customer ? f.custRef + "|" + f.custName : "|" + f.commodity + "|" + f.location,
                  c.after);
        std::vector<std::string> lists;
        for (size_t i = 0; i < ui.pickLists.size(); ++i)
            lists.push_back(ui.pickLists[i].substr(ui.pickLists[i].rfind(' ') + 1) + ":" +
                            ui.pickKeys[i]);
        EXPECT_EQ(Joined(lists), c.lists);
        EXPECT_EQ(Joined(ui.focus), c.focus);
        std::vector<std::string> shown;
        for (const auto& m : ui.messages) shown.push_back(m.text);
        EXPECT_EQ(Joined(shown), c.messages);
    }
}

}  // namespace
