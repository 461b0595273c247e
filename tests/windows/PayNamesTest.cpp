// The pay names a settlement starts with (liens by commodity and date, secured parties
// from a consolidation module that answers), and the editor a clerk changes them in.
#include <gtest/gtest.h>

#include <cstring>

#include "settlement/SettlementPayNameList.h"
#include "shell/InterfaceObject.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/paynames/DefaultPayNames.h"
#include "windows/paynames/PayNameEditor.h"

namespace {

int gWindowTag = 0;

// "payee|+mortgagee|…" and "message|focus; …".
std::string Names(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& row : rows)
        out += (out.empty() ? "" : "|") + std::string(row.ends_with("Mortgagee") ? "+" : "") +
               row.substr(0, row.find('\t'));
    return out;
}
std::string Shown(hvxtest::ScriptedUi& ui) {
    std::string out;
    for (const auto& m : ui.messages)
        out += m.caption + ": " + m.text + (ui.focus.empty() ? "" : "|" + ui.focus.back()) + "; ";
    ui.messages.clear();
    return out;
}

// The consolidation module: it answers the secured parties of 41-1000001, refuses to
// answer for 41-1000002 and, while its period is closed, refuses to be told of the object.
bool gClosed = false;
int Consolidation(void*, const char* className, const char* event, const char* taxNumber,
                  char* answer, int size, char* error, int errorSize) {
    const std::string_view e(event), tax(taxNumber);
    std::strncpy(answer, tax == "41-1000001" ? "01=First Bank\t02=Other\t01=Second Bank" : "",
                 size);
    const char* refusal = gClosed && e == hvx::kInitializeEvent ? "Period 2026-12 is closed"
                          : e == "GetSecuredParties" && tax == "41-1000002" ? "Not now"
                                                                            : nullptr;
    if (refusal) std::strncpy(error, refusal, static_cast<std::size_t>(errorSize));
    return refusal || std::string_view(className) != "Grain Settlements";
}

int Older(void*, const char*, const char*, char*, int) {
    return 0;
}

class DefaultPayNames : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(DefaultPayNames);

TEST_P(DefaultPayNames, LiensByCommodityAndDateThenTheSecuredPartiesOfTheTaxNumber) {
    hvxtest::Exec(
        "INSERT INTO HVXAR50 (REFERENCE,SSTAXIDNUM,RECNO) VALUES ('C1','41-1000001',1),"
        "('C2','41-1000002',2),('C3','',3)");
    hvxtest::Exec(
        "INSERT INTO HVXGR56A (CUSTREF,LIENHOLD,COMMODITY,EXPDATE,RECNO) VALUES "
        "('C1','Corn Lender',' CORN ',NULL,1),('C1','Every Crop Bank','','2027-01-01',2),"
        "('C1','Expiring Bank','','2026-12-30',3),('C2','Soy Lender','SOYBEANS',NULL,4)");
    enum Receiver { NotInstalled, Answers, Closed };
    const struct {
        const char *customer, *date, *commodity;
        Receiver receiver;
        const char *names, *shown;
    } cases[] = {
        {"C3", "12/30/2026", "CORN", NotInstalled, "Farmer", ""},
        // A lien holds on its expiration date; a commodity's lien for that commodity alone.
        {"C1", "12/30/2026", "WHEAT", NotInstalled, "Farmer|+Every Crop Bank|+Expiring Bank", ""},
        // A day later it has expired; one expiring in the next year has not.
        {"C1", "12/31/2026", "CORN", NotInstalled, "Farmer|+Corn Lender|+Every Crop Bank", ""},
        {"C1", "01/01/2027", "WHEAT", Answers, "Farmer|+Every Crop Bank|+First Bank|+Second Bank",
         ""},
        {"C1", "01/02/2027", "CORN", Closed, "Farmer|+Corn Lender",
         "Harvexa: Period 2026-12 is closed; "},
        {"C2", "01/02/2027", "SOYBEANS", Answers, "Farmer|+Soy Lender", "Harvexa: Not now; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.customer) + " " + c.date + " " + std::to_string(c.receiver));
        hvxtest::FakeWorkingFolder folder;
        hvxtest::FakeHost host;
        hvxtest::ScriptedUi ui;
        folder.WriteInstallation(c.receiver == NotInstalled ? "" : "[H32CNSD.DLL]\nDllDate=1\n");
        gClosed = c.receiver == Closed;
        host.AddModule("H32CNSD.DLL")  // with an older module's entry, which the text one is before
            .Export("HVXInterface_HandleEventText", Consolidation)
            .Export("HVXInterface_HandleEvent", Older);
        hvx::settlement::SettlementPayNameList names;
        hvx::InterfaceObject events(&gWindowTag);
        hvx::DefaultPayNames(ui, events, {c.customer, c.date, c.commodity, "Farmer"}, names);
        EXPECT_EQ(Names(names.ListRows()), c.names);
        EXPECT_EQ(Shown(ui), c.shown);
    }
    hvxtest::ScriptedUi ui;
    hvx::settlement::SettlementPayNameList names;
    hvx::InterfaceObject events(&gWindowTag, "Grain Settlements", {});
    hvxtest::Exec("ALTER TABLE HVXGR56A RENAME COLUMN LIENHOLD TO HOLDER");
    hvx::DefaultPayNames(ui, events, {"C1", "01/02/2027", "CORN", "Farmer"}, names);
    EXPECT_EQ(Names(names.ListRows()), "Farmer");
    EXPECT_TRUE(
        Shown(ui).starts_with("Harvexa: Unable to read the liens of this customer. Add "
                              "the lien holders by hand.\n"));
}

// A clerk's edits in turn: the list after each, and what is refused where.
TEST(PayNameEditor, AddChangeDeleteOnACopyThatOkPutsBack) {
    const char* const kNone = "Harvexa: No item is currently selected.|PayNameList; ";
    const struct {
        char command;      // Accept, Delete, moVe down, Select row 0 or 1
        const char* name;  // typed first; null: left as it is
        bool mortgagee;    // set before Accept; after Select, what the row has
        const char *names, *shown;
    } steps[] = {
        {'A', "   ", false, "Ann|+Farm", "Harvexa: A pay name is required.|PayName; "},
        {'D', nullptr, false, "Ann|+Farm", kNone},
        {'1', nullptr, true, "Ann|+Farm", ""},
        {'A', "Bank", true, "Ann|+Bank", ""},
        {'A', " Co-op  ", true, "Ann|+Bank|+Co-op", ""},  // after a change, a new name
        {'0', nullptr, false, "Ann|+Bank|+Co-op", ""},
        {'v', nullptr, false, "+Bank|Ann|+Co-op", ""},  // down, and still the one selected
        {'A', nullptr, true, "+Bank|+Ann|+Co-op", ""},
        {'1', nullptr, true, "+Bank|+Ann|+Co-op", ""},
        {'D', nullptr, true, "+Bank|+Co-op", ""},
    };
    hvx::settlement::SettlementPayNameList payNames;
    payNames.Add("Ann", false);
    payNames.Add("Farm", true);
    hvxtest::ScriptedUi ui;
    hvx::PayNameEditor editor(ui, payNames);
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(1, s.command) + (s.name ? s.name : ""));
        if (s.name) editor.Data().name = s.name;
        if (s.command == 'A') editor.Data().mortgagee = s.mortgagee;
        const bool done = s.command == 'A'   ? editor.Accept()
                          : s.command == 'D' ? editor.Delete()
                          : s.command == 'v' ? editor.MoveDown()
                                             : (editor.Select(s.command - '0'), true);
        EXPECT_EQ(done, !*s.shown);
        EXPECT_EQ(Shown(ui), s.shown);
        EXPECT_EQ(editor.Data().mortgagee, s.command != 'A' && s.command != 'D' && s.mortgagee);
        EXPECT_EQ(Names(editor.Rows()), s.names);
    }
    EXPECT_EQ(Names(payNames.ListRows()), "Ann|+Farm") << "the record set keeps its names until OK";
    editor.Ok();
    EXPECT_EQ(Names(payNames.ListRows()), "+Bank|+Co-op");
}

}  // namespace
