// The search criteria dialog without a screen: collecting, showing, clearing
// and searching, and the customer lookups on either back-office setting.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/search/SearchCriteriaDialog.h"

namespace {

using hvx::MsgAnswer;
using hvx::search::SettlementSearchObject;
using Dialog = hvx::SearchCriteriaController;
using Field = Dialog::CustomerField;

// Every criterion in one text, in the object's order.
std::string Dump(const SettlementSearchObject& c) {
    std::string out = c.SearchString + "|" + c.CustRef + "|" + c.CustName + "|" + c.StartDate +
                      "|" + c.EndDate + "|" + std::to_string(c.SettlementType) + "|";
    for (bool flag : {c.RestrictByCustomer, c.RestrictByDate, c.UseSettlementDate, c.MatchAnywhere,
                      c.SearchInReversed, c.SearchInPosted, c.SearchInClosed, c.SearchCaseSensitive,
                      c.ExactMatchOnly})
        out += flag ? 'T' : 'F';
    out += '|';
    for (bool flag : c.Locations) out += flag ? 'T' : 'F';
    return out + (c.SearchAll ? "|all" : "|chosen");
}

std::string Messages(const hvxtest::ScriptedUi& ui) {
    std::string out;
    for (const auto& m : ui.messages)
        out += m.caption + ":" + m.text + ":" + std::to_string(int(m.icon)) + ";";
    return out;
}

TEST(SearchCriteriaDialog, NoLocationAsksUnlessRestrictedAndNoKeepsEverything) {
    const struct {
        bool location, byCustomer, byDate, asked;  // location: "Check Number" chosen
        MsgAnswer answer;
        const char* collected;  // the search text the criteria hold after
    } cases[] = {{false, false, false, true, MsgAnswer::No, ""},
                 {false, false, false, true, MsgAnswer::Yes, "12"},
                 {false, true, false, false, MsgAnswer::No, "12"},
                 {false, false, true, false, MsgAnswer::No, "12"},
                 {true, false, false, false, MsgAnswer::No, "12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        hvxtest::ScriptedUi ui;
        ui.answers = {c.answer};
        SettlementSearchObject criteria;
        Dialog d(ui, &criteria, false);
        d.Fields().SearchString = "12", d.Fields().RestrictByCustomer = c.byCustomer;
        d.Fields().RestrictByDate = c.byDate, d.Fields().Locations[3] = c.location;
        EXPECT_EQ(d.Search(), *c.collected != 0);
        EXPECT_EQ(Messages(ui),
                  c.asked ? "Harvexa:" + std::string(Dialog::kMsgNoLocation) + ":1;" : "");
        EXPECT_EQ(criteria.SearchString + (criteria.SearchAll ? "|all" : ""),
                  c.collected + std::string(c.location ? "" : "|all"));
    }
}

TEST(SearchCriteriaDialog, ShowCollectAndClearKeepEveryCriterionAndExactOutranksAnywhere) {
    hvxtest::ScriptedUi ui;
    SettlementSearchObject loaded;
    loaded.SearchString = "4471", loaded.CustRef = "ANDERSON", loaded.CustName = "Anderson";
    loaded.StartDate = "03/01/2024", loaded.EndDate = "03/31/2024", loaded.SettlementType = 2;
    loaded.RestrictByCustomer = loaded.RestrictByDate = loaded.SearchInReversed = true;
    loaded.SearchInPosted = loaded.SearchInClosed = loaded.SearchCaseSensitive = true;
    loaded.UseSettlementDate = false, loaded.MatchAnywhere = true, loaded.ExactMatchOnly = true;
    loaded.Locations[0] = loaded.Locations[22] = true, loaded.SearchAll = true;
    Dialog d(ui, &loaded, false);
    d.Show();
    EXPECT_FALSE(d.Fields().MatchAnywhere || d.MatchAnywhereEnabled());
    EXPECT_TRUE(d.CustomerGroupEnabled() && d.DateGroupEnabled());
    // The name field keeps 35 bytes: a two-byte letter that would end past
    // them is left out whole.
    d.Fields().CustName = std::string(34, 'A') + "\u00e9";
    ASSERT_TRUE(d.Collect(true));
    const std::string collected = "4471|ANDERSON|" + std::string(34, 'A') +
                                  "|03/01/2024|03/31/2024|2|TTFFTTTTT|T" + std::string(21, 'F') +
                                  "T|chosen";
    EXPECT_EQ(Dump(loaded), collected);
    d.SetExactMatchOnly(false), d.Fields().MatchAnywhere = true, d.SetExactMatchOnly(true);
    EXPECT_FALSE(d.Fields().MatchAnywhere);
    // Clear asks; the criteria follow the emptied form only when collected.
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    d.Clear();
    EXPECT_EQ(d.Fields().SearchString, "4471");
    d.Clear();
    EXPECT_EQ(Dump(loaded), collected);
    EXPECT_FALSE(d.CustomerGroupEnabled() || d.DateGroupEnabled());
    d.Collect(false);
    EXPECT_EQ(Dump(loaded), "|||||0|FFTFFFFFF|" + std::string(23, 'F') + "|all");
    const std::string clearAll = "Harvexa:Do you wish to clear all search parameters?:1;";
    EXPECT_EQ(Messages(ui), clearAll + clearAll);
}

// Answering No is the view's test.
TEST(SearchCriteriaDialog, RepeatSearchAsksToClearAndADateThatIsNoDateIsRefused) {
    hvxtest::ScriptedUi ui;
    SettlementSearchObject criteria;
    Dialog d(ui, &criteria, true);
    d.Fields().RestrictByDate = true, d.Fields().StartDate = " 3/7/24";
    d.Fields().EndDate = "13/45/2024";
    EXPECT_FALSE(d.Search());
    EXPECT_EQ(Messages(ui) + ui.focus.at(0),
              "Harvexa:The end date \"13/45/2024\" is not a date.:0;endDate");
    EXPECT_EQ(criteria.StartDate + d.Fields().StartDate, "03/07/2024");
    d.Fields().EndDate = "", ui.messages.clear();
    EXPECT_TRUE(d.Search());
    EXPECT_EQ(Messages(ui), "Harvexa:" + std::string(Dialog::kMsgClearPrevious) + ":4;");
    EXPECT_EQ(criteria.StartDate + (d.ClearPrevious() ? "|clear" : ""), "03/07/2024|clear");
}

int VerifyFake(void*, const char* text, char* result, int n) {
    return std::string(text) == "BK-1" && std::snprintf(result, n, "01=BK-1\t02=Bakker Farms");
}
int SearchFake(void*, const char*, char* r, int n) {
    return std::snprintf(r, n, "01=SM-2\t02=Smithfield Grain and Cattle Company of Iowa");
}

class SearchCriteriaCustomerTest : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SearchCriteriaCustomerTest);

TEST_P(SearchCriteriaCustomerTest, LookupsFillBothFieldsOnEitherBackOfficeSetting) {
    hvxtest::Exec("INSERT INTO HVXAR50 (REFERENCE,NAME,RECNO) VALUES ('ANDERSON','Anderson',7)");
    hvxtest::Exec("INSERT INTO HVXGR40 (RECNO) VALUES (1)");
    enum Action { Leave, Shift, Button };
    const struct {
        const char* backOffice;
        Field field;
        Action action;
        const char *ref, *name;
        double pick;
        const char* after;  // reference|name|the key of each list shown|focus moves
    } cases[] = {
        // clang-format off
        {"HVX", Field::Reference, Leave, "ANDERSON", "x", 0, "ANDERSON|Anderson||searchString"},
        {"HVX", Field::Reference, Leave, "ANDERSON", "/And", 0, "ANDERSON|/And|list:|"},
        {"", Field::Name, Leave, "", "", 7, "ANDERSON|Anderson|list:NAME|searchString"},
        {"", Field::Reference, Leave, "NOBODY", "N", 0, "NOBODY|N|list:|"},
        {"", Field::Name, Button, "", "And", 7, "ANDERSON|Anderson|list:NAME|"},
        {"", Field::Reference, Shift, "", "", 7, "|||"},
        {"TORVALE", Field::Reference, Leave, "BK-1", "", 0, "BK-1|Bakker Farms||searchString"},
        {"TORVALE", Field::Name, Leave, "", "Smi", 0, "SM-2|Smithfield Grain and Cattle Company||searchString"},
        {"TORVALE", Field::Reference, Button, "S", "", 0, "SM-2|Smithfield Grain and Cattle Company||"},
        // clang-format on
    };
    hvxtest::FakeHost host;
    auto& office = host.AddModule("H32BKOF.DLL").Export("bVerifyCustomer", &VerifyFake);
    office.Export("bSearchCustName", &SearchFake).Export("bSearchCustRef", &SearchFake);
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        hvxtest::Exec(std::string("UPDATE HVXGR40 SET BCKOFFCE='") + c.backOffice + "'");
        hvxtest::ScriptedUi ui;
        ui.picks = {{c.pick, ""}};
        Dialog d(ui, nullptr, false, &host);
        d.Open();
        d.Fields().CustRef = c.ref, d.Fields().CustName = c.name;
        c.action == Button ? d.SearchCustomer(c.field)
                           : d.LeaveCustomer(c.field, c.action == Shift);
        std::string seen = d.Fields().CustRef + "|" + d.Fields().CustName + "|";
        for (const std::string& key : ui.pickKeys) seen += "list:" + key;
        seen += "|";
        for (const std::string& field : ui.focus) seen += field;
        EXPECT_EQ(seen + Messages(ui), c.after);
    }
}

}  // namespace
