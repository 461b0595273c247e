// The settlement search's criteria dialog without a screen: what collecting,
// showing, clearing and searching do to the form and the criteria, the
// customer lookups on either back-office setting, and search sets saved and
// loaded through the file dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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
    for (bool flag : {c.RestrictByCustomer, c.RestrictByDate, c.UseSettlementDate,
                      c.MatchAnywhere, c.SearchInReversed, c.SearchInPosted, c.SearchInClosed,
                      c.SearchCaseSensitive, c.ExactMatchOnly})
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
        int location;  // -1: none chosen
        bool byCustomer, byDate;
        MsgAnswer answer;
        bool asked, collected;
    } cases[] = {
        {-1, false, false, MsgAnswer::No, true, false}, {-1, false, false, MsgAnswer::Yes, true, true},
        {-1, true, false, MsgAnswer::No, false, true},  {-1, false, true, MsgAnswer::No, false, true},
        {3, false, false, MsgAnswer::No, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        hvxtest::ScriptedUi ui;
        ui.answers = {c.answer};
        SettlementSearchObject criteria;
        Dialog d(ui, &criteria, false);
        d.Fields().SearchString = "12";
        if (c.location >= 0) d.Fields().Locations[c.location] = true;
        d.Fields().RestrictByCustomer = c.byCustomer, d.Fields().RestrictByDate = c.byDate;
        EXPECT_EQ(d.Search(), c.collected);
        EXPECT_EQ(Messages(ui), c.asked ? "Harvexa:" + std::string(Dialog::kMsgNoLocation) + ":1;"
                                        : "");
        EXPECT_EQ(criteria.SearchString, c.collected ? "12" : "");
        EXPECT_EQ(criteria.SearchAll, c.location < 0);
    }
}

TEST(SearchCriteriaDialog, ShowThenCollectKeepsEveryCriterionAndExactOutranksAnywhere) {
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
    EXPECT_EQ(Dump(loaded), "4471|ANDERSON|" + std::string(34, 'A') +
                                "|03/01/2024|03/31/2024|2|TTFFTTTTT|T" + std::string(21, 'F') +
                                "T|chosen");
    d.SetExactMatchOnly(false), d.Fields().MatchAnywhere = true;
    EXPECT_TRUE(d.MatchAnywhereEnabled());
    d.SetExactMatchOnly(true);
    EXPECT_FALSE(d.Fields().MatchAnywhere);
    EXPECT_EQ(Messages(ui), "");
}

TEST(SearchCriteriaDialog, ClearEmptiesTheFormOnYesAndTheCriteriaOnlyAtTheNextCollect) {
    hvxtest::ScriptedUi ui;
    SettlementSearchObject criteria;
    criteria.SearchString = "9", criteria.RestrictByDate = true, criteria.StartDate = "1/2/2024";
    criteria.UseSettlementDate = false, criteria.SettlementType = 1, criteria.Locations[4] = true;
    Dialog d(ui, &criteria, false);
    d.Show();
    const std::string before = Dump(criteria);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    d.Clear();
    EXPECT_EQ(d.Fields().SearchString + std::to_string(d.Fields().SettlementType), "91");
    d.Clear();
    EXPECT_EQ(Messages(ui), "Harvexa:Do you wish to clear all search parameters?:1;"
                            "Harvexa:Do you wish to clear all search parameters?:1;");
    EXPECT_EQ(Dump(criteria), before);
    EXPECT_FALSE(d.DateGroupEnabled());
    ui.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(d.Collect(true));
    EXPECT_EQ(Dump(criteria), "|||||0|FFTFFFFFF|" + std::string(23, 'F') + "|all");
}

TEST(SearchCriteriaDialog, RepeatSearchAsksToClearAndADateThatIsNoDateIsRefused) {
    for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        hvxtest::ScriptedUi ui;
        SettlementSearchObject criteria;
        Dialog d(ui, &criteria, true);
        d.Fields().RestrictByDate = true, d.Fields().StartDate = " 3/7/24";
        d.Fields().EndDate = "13/45/2024";
        EXPECT_FALSE(d.Search());
        EXPECT_EQ(Messages(ui) + ui.focus.at(0),
                  "Harvexa:The end date \"13/45/2024\" is not a date.:0;endDate");
        EXPECT_EQ(criteria.StartDate + d.Fields().StartDate, "03/07/2024");
        d.Fields().EndDate = "";
        ui.messages.clear(), ui.answers = {answer};
        EXPECT_TRUE(d.Search());
        EXPECT_EQ(Messages(ui), "Harvexa:" + std::string(Dialog::kMsgClearPrevious) + ":4;");
        EXPECT_EQ(d.ClearPrevious(), answer == MsgAnswer::Yes);
        EXPECT_EQ(criteria.StartDate, "03/07/2024");
    }
}

TEST(SearchCriteriaDialog, SavedSetLoadsBackThroughTheFileDialogs) {
    hvxtest::ScriptedUi ui;
    const std::string path = (std::filesystem::temp_directory_path() / "criteria-test.gss").string();
    std::remove(path.c_str());
    SettlementSearchObject criteria;
    Dialog d(ui, &criteria, false);
    d.Fields().SearchString = "BK-1", d.Fields().Locations[2] = true, d.Fields().SettlementType = 1;
    ui.fileNames = {"", path, path};
    d.Save(), d.Save();  // the first is cancelled
    d.Fields() = Dialog::Form{};
    d.Load();
    EXPECT_EQ(d.Fields().SearchString + std::to_string(d.Fields().SettlementType), "BK-11");
    EXPECT_TRUE(d.Fields().Locations[2]);
    EXPECT_EQ(ui.fileDialogs.at(0), "Save As|Grain Search Set (*.gss)|*.gss||.");
    EXPECT_EQ(ui.fileDialogs.at(2), "Open|Grain Search Set (*.gss)|*.gss||.");
    d.Help();
    EXPECT_EQ(ui.help.at(0), "HVXGRP.HLP#2029");
    std::remove(path.c_str());
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
    enum Action { Leave, Shift, Button };
    const struct {
        const char* backOffice;
        Field field;
        Action action;
        const char *ref, *name;
        double pick;
        const char *after, *lists, *focus;  // after: reference|name
    } cases[] = {
        {"HVX", Field::Reference, Leave, "ANDERSON", "x", 0, "ANDERSON|Anderson", "", "searchString"},
        {"HVX", Field::Reference, Leave, "ANDERSON", "/And", 0, "ANDERSON|/And", "HVXAR50:", ""},
        {"", Field::Name, Leave, "", "", 7, "ANDERSON|Anderson", "HVXAR50:NAME", "searchString"},
        {"", Field::Reference, Leave, "NOBODY", "N", 0, "NOBODY|N", "HVXAR50:", ""},
        {"", Field::Name, Button, "", "And", 7, "ANDERSON|Anderson", "HVXAR50:NAME", ""},
        {"", Field::Reference, Shift, "", "", 7, "|", "", ""},
        {"TORVALE", Field::Reference, Leave, "BK-1", "", 0, "BK-1|Bakker Farms", "", "searchString"},
        {"TORVALE", Field::Name, Leave, "", "Smi", 0, "SM-2|Smithfield Grain and Cattle Company", "",
         "searchString"},
        {"TORVALE", Field::Reference, Button, "S", "", 0, "SM-2|Smithfield Grain and Cattle Company",
         "", ""},
    };
    hvxtest::FakeHost host;
    host.AddModule("H32BKOF.DLL")
        .Export("bVerifyCustomer", &VerifyFake)
        .Export("bSearchCustName", &SearchFake)
        .Export("bSearchCustRef", &SearchFake);
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        hvxtest::Exec("DELETE FROM HVXGR40");
        hvxtest::Exec(std::string("INSERT INTO HVXGR40 (BCKOFFCE,RECNO) VALUES ('") +
                      c.backOffice + "',1)");
        hvxtest::ScriptedUi ui;
        ui.picks = {{c.pick, ""}};
        SettlementSearchObject criteria;
        Dialog d(ui, &criteria, false, &host);
        d.Open();
        d.Fields().CustRef = c.ref, d.Fields().CustName = c.name;
        c.action == Button ? d.SearchCustomer(c.field) : d.LeaveCustomer(c.field, c.action == Shift);
        std::string lists, focus;
        for (size_t i = 0; i < ui.pickLists.size(); ++i)
            lists += ui.pickLists[i].substr(ui.pickLists[i].rfind(' ') + 1) + ":" + ui.pickKeys[i];
        for (const auto& f : ui.focus) focus += f;
        EXPECT_EQ(d.Fields().CustRef + "|" + d.Fields().CustName, c.after);
        EXPECT_EQ(lists, c.lists);
        EXPECT_EQ(focus, c.focus);
        EXPECT_EQ(Messages(ui), "");
    }
}

}  // namespace
