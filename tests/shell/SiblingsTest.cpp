// Calls to sibling modules on a fake host: every way a sibling or its function
// can be missing, with the exact message (or the silence) of each call, what
// the sibling receives, and how its answer is read.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "shell/BackOfficeCalls.h"
#include "shell/GeneralLedgerCall.h"
#include "shell/ReportCalls.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingFakes.h"
#include "shell/SiblingQueries.h"
#include "shell/SiblingWindows.h"

namespace {

using namespace siblingtest;

TEST_F(Siblings, BackOfficeLookupsOnEveryPath) {
    using F = hvx::BackOfficeFunction;
    const struct {
        F function;
        std::string name;
        HVXBackOfficeLookupFn fake;
    } lookups[] = {
        {F::SearchCustomerName, "bSearchCustName", BackOfficeFake<"bSearchCustName">},
        {F::SearchCustomerReference, "bSearchCustRef", BackOfficeFake<"bSearchCustRef">},
        {F::VerifyCustomer, "bVerifyCustomer", BackOfficeFake<"bVerifyCustomer">},
        {F::SearchGLAccount, "bSearchGLAccount", BackOfficeFake<"bSearchGLAccount">},
        {F::VerifyGLAccount, "bVerifyGLAccount", BackOfficeFake<"bVerifyGLAccount">},
    };
    for (const auto& f : lookups) {
        SCOPED_TRACE(f.name);
        hvx::BackOfficeRecord record;
        record.fields[0] = "KEEP";
        Reset();
        EXPECT_FALSE(hvx::CallBackOffice(window, f.function, "Smi", record));
        EXPECT_EQ(Shown(), Lines{"Harvexa: Unable to load H32BKOF.DLL"});

        Reset();  // the sibling exports every lookup but this one
        for (const auto& other : lookups)
            if (other.fake != f.fake) host.AddModule("H32BKOF.DLL").Export(other.name, other.fake);
        EXPECT_FALSE(hvx::CallBackOffice(window, f.function, "Smi", record));
        EXPECT_EQ(Shown(), Lines{"Harvexa: Cannot find " + f.name + " function in H32BKOF.DLL"});
        EXPECT_EQ(Calls(), Lines{});

        Reset();  // declined: whatever the buffer holds is not read
        host.AddModule("H32BKOF.DLL").Export(f.name, f.fake);
        gScript.answer = 0;
        gScript.text = "01=C100\t02=Jane Doe";
        EXPECT_FALSE(hvx::CallBackOffice(window, f.function, "Smi", record));
        EXPECT_EQ(record.Reference(), "KEEP");

        gScript.answer = 1;
        gScript.text = "01=C100\t02=Jane Doe\t03=RR 2\t09=not a field";
        EXPECT_TRUE(hvx::CallBackOffice(window, f.function, "Smi", record));
        EXPECT_EQ(record.Reference() + "|" + record.Name() + "|" + record.Field(3),
                  "C100|Jane Doe|RR 2");
        EXPECT_EQ(Calls(), Lines(2, f.name + "(Smi;4096)"));
        EXPECT_EQ(host.LoadRequests(), Lines(2, "H32BKOF.DLL"));
        EXPECT_EQ(Shown(), Lines{});
    }
}

TEST(BackOfficeRecord, KeepsFieldsOneToEightAndIgnoresOtherPrefixes) {
    const hvx::BackOfficeRecord r = hvx::ParseBackOfficeRecord(
        "01=C100\t02=Jane "
        "Doe\t09=extra\t00=zero\t1=short\tAB=letters\t\t08=last\t05=a=b\t10=ten\t03=");
    EXPECT_EQ(r.fields,
              (std::array<std::string, 8>{"C100", "Jane Doe", "", "", "a=b", "", "", "last"}));
    EXPECT_EQ(r.Field(9), "");
    EXPECT_EQ(hvx::ParseBackOfficeRecord("").Reference(), "");
}

TEST_F(Siblings, GeneralLedgerCodesAsTheAccountSearchAndCheckSeeThem) {
    const Parts typed{"4000", "10", ""};
    const std::string missing =
        "General Ledger Connection Error: General Ledger is not currently installed!";
    const auto noFunction = [](const std::string& command) {
        return "General Ledger Connection Error: Function " + command +
               " not found in current version of General Ledger.";
    };
    enum Sibling { None, NoFunction, Present };
    const struct {
        bool search;
        Sibling sibling;
        int code;
        char first;  // byte 0 of the answer
        bool result;
        Lines shown;
        Parts after;
    } cases[] = {
        {true, None, 0, 1, false, {missing}, typed},
        {true, NoFunction, 0, 1, false, {noFunction("SEARCHACCOUNT")}, typed},
        {true, Present, -2, 1, false, {}, typed},
        {true, Present, -1, 1, false, {"Grain Error: Grain return buffer too small"}, typed},
        {true, Present, 1, 1, false, {"Grain Error: Unknown return value"}, typed},
        {true, Present, 0, 0, false, {}, typed},
        {true, Present, 0, 2, false, {}, typed},
        {true, Present, 0, 1, true, {}, {"5100", "20", "30,40"}},
        {false, None, 0, 1, false, {missing}, typed},
        {false, NoFunction, 0, 1, false, {noFunction("VERIFYACCOUNT")}, typed},
        {false, Present, -2, 1, false, {}, typed},
        {false, Present, -1, 1, false, {"Harvexa: Grain return buffer too small"}, typed},
        {false, Present, 99, 1, false, {"Harvexa: Unknown return value"}, typed},
        {false, Present, 0, 0, false, {}, typed},
        {false, Present, 0, 1, true, {}, typed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << (c.search ? "search" : "check") << " sibling " << c.sibling << " code "
                     << c.code << " byte0 " << int(c.first));
        Reset();
        if (c.sibling != None)
            host.AddModule("H32GL.DLL")
                .Export(c.sibling == Present ? "SendDLLMessage" : "Send", SendDLLMessageFake);
        gScript.answer = c.code;
        gScript.bytes = GLAnswer(c.first, "5100,20,30,40");
        hvx::GLAccount account{typed};
        EXPECT_EQ(c.search ? hvx::SearchGLAccount(window, "", account)
                           : hvx::VerifyGLAccount(window, "", account),
                  c.result);
        EXPECT_EQ(account.parts, c.after);
        EXPECT_EQ(Shown(), c.shown);
        const Lines call{c.search ? "SendDLLMessage(SEARCHACCOUNT,4000,10,;400)"
                                  : "SendDLLMessage(VERIFYACCOUNT,4000,10;400)"};
        EXPECT_EQ(Calls(), c.sibling == Present ? call : Lines{});
    }
}

TEST(GeneralLedgerArguments, ByNumberOfPartsAndChosenAccountSplitAtTwoCommas) {
    const struct {
        Parts parts;
        const char *search, *verify;
    } arguments[] = {{{"1000", "", ""}, "1000,,", "1000"},
                     {{"1000", "20", ""}, "1000,20,", "1000,20"},
                     {{"1000", "", "3"}, "1000,,3", "1000,,3"},
                     {{"", "", ""}, ",,", ""}};
    for (const auto& a : arguments) {
        EXPECT_EQ(hvx::SearchAccountArgument({a.parts}), a.search);
        EXPECT_EQ(hvx::VerifyAccountArgument({a.parts}), a.verify);
    }
    EXPECT_EQ(hvx::ParseChosenAccount("A,B,C,D").parts, (Parts{"A", "B", "C,D"}));
    EXPECT_EQ(hvx::ParseChosenAccount("A,B").parts, (Parts{"A", "B", ""}));
    EXPECT_EQ(hvx::ParseChosenAccount("A").parts, (Parts{"A", "", ""}));
}

TEST_F(Siblings, BackOfficeSettingChoosesWhereAccountsAreLookedUp) {
    const struct {
        const char* setting;
        bool backOffice;
    } settings[] = {{"TORVALE", true},
                    {"  TORVALE ", true},
                    {"torvale", false},
                    {"TORVALE2", false},
                    {"", false}};
    for (const auto& s : settings) {
        for (bool search : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "'" << s.setting << "' search " << search);
            Reset();
            host.AddModule("H32BKOF.DLL")
                .Export("bSearchGLAccount", BackOfficeFake<"bSearchGLAccount">)
                .Export("bVerifyGLAccount", BackOfficeFake<"bVerifyGLAccount">);
            host.AddModule("H32GL.DLL").Export("SendDLLMessage", SendDLLMessageFake);
            gScript.answer = s.backOffice ? 1 : 0;  // chosen, or the general ledger's answer code
            gScript.text = "02=Cash\t01=5000";
            gScript.bytes = GLAnswer(1, "6000,1,2");
            hvx::GLAccount account{{"50", "9", "8"}};
            EXPECT_TRUE(search ? hvx::SearchGLAccount(window, s.setting, account)
                               : hvx::VerifyGLAccount(window, s.setting, account));
            const Parts expected = s.backOffice ? Parts{"5000", "", ""}
                                   : search     ? Parts{"6000", "1", "2"}
                                                : Parts{"50", "9", "8"};
            EXPECT_EQ(account.parts, expected);
            EXPECT_EQ(host.LoadRequests(), Lines{s.backOffice ? "H32BKOF.DLL" : "H32GL.DLL"});
            if (s.backOffice) {
                EXPECT_EQ(Calls(), Lines{search ? "bSearchGLAccount(50;4096)"
                                                : "bVerifyGLAccount(50;4096)"});
            }
        }
    }
}

TEST_F(Siblings, ReportCallsOnEveryPath) {
    struct Report {
        std::string file, function;
        void* fake;
        std::function<void(hvx::HostWindow)> run;
        std::string call;
    };
    std::vector<Report> reports = {
        {"H32GRR", "DoCWRReport", reinterpret_cast<void*>(ReportFake<"DoCWRReport">),
         hvx::RunReceiptsReport, "DoCWRReport(,,;0)"},
        {"H32GRR.DLL", "DoOneAssemblySheetEx",
         reinterpret_cast<void*>(ReportFake<"DoOneAssemblySheetEx">),
         [](hvx::HostWindow w) { hvx::PrintAssemblySheet(w, "A-1042"); },
         "DoOneAssemblySheetEx(A-1042,,;0)"},
    };
    const struct {
        hvx::SettlementPrintout printout;
        const char* function;
        void (*fake)(void*, const char*);
    } printouts[] = {
        {hvx::SettlementPrintout::Settlement, "DoPrintSettlementEx",
         KeyFake<"DoPrintSettlementEx">},
        {hvx::SettlementPrintout::SettlementContract, "DoPrintSettlementContractEx",
         KeyFake<"DoPrintSettlementContractEx">},
        {hvx::SettlementPrintout::InstallmentSaleContract, "DoPrintInstallmentSaleContract",
         KeyFake<"DoPrintInstallmentSaleContract">},
    };
    for (const auto& p : printouts)
        reports.push_back({"H32GRR.DLL", p.function, reinterpret_cast<void*>(p.fake),
                           [p](hvx::HostWindow w) { hvx::PrintSettlement(w, p.printout, "S-77"); },
                           p.function + std::string("(S-77;-1)")});
    enum Sibling { None, NotLoaded, NoFunction, Present };
    for (const auto& r : reports) {
        for (Sibling sibling : {None, NotLoaded, NoFunction, Present}) {
            SCOPED_TRACE(::testing::Message() << r.function << " sibling " << sibling);
            Reset();
            // The other spelling of the reports sibling holds everything: the
            // name must reach the host exactly as the call gives it.
            host.AddModule(r.file == "H32GRR" ? "H32GRR.DLL" : "H32GRR").functions[r.function] =
                r.fake;
            if (sibling != None) {
                hvxtest::FakeModule& grr = host.AddModule(r.file);
                grr.loaded = sibling != NotLoaded;
                if (sibling != NoFunction) grr.functions[r.function] = r.fake;
            }
            r.run(window);
            const Lines shown[] = {
                {"Harvexa: Unable to load DLL (" + r.file + ")"},
                {"Harvexa: " + r.file +
                 " is not currently installed. Please install DLL and retry."},
                {"Harvexa: Unable to find report (" + r.function + ") in " + r.file},
                {}};
            EXPECT_EQ(Shown(), shown[sibling]);
            EXPECT_EQ(host.LoadRequests(), Lines{r.file});
            EXPECT_EQ(Calls(), sibling == Present ? Lines{r.call} : Lines{});
            EXPECT_EQ(gWaits, sibling == Present ? std::vector<int>{1} : std::vector<int>{});
            EXPECT_EQ(ui.waitDepth, 0);
        }
    }
}

TEST_F(Siblings, WindowOpenersAreSilentWhenTheyCannotOpen) {
    using W = hvx::SiblingWindow;
    const struct {
        W which;
        std::string file, function;
        void (*fake)(void*, const char*);
    } openers[] = {
        {W::Commodity, "H32GRP.DLL", "CreateCommodityWithLoad", KeyFake<"CreateCommodityWithLoad">},
        {W::AssemblySheet, "H32GRP.DLL", "CreateAssemblySheetsWithLoad",
         KeyFake<"CreateAssemblySheetsWithLoad">},
        {W::SettlementDeduction, "H32GRP.DLL", "SettlementDeductionWindow",
         KeyFake<"SettlementDeductionWindow">},
        {W::ShippingDestination, "H32GRP.DLL", "ShippingDestinationWindow",
         KeyFake<"ShippingDestinationWindow">},
        {W::SalesContract, "H32GRP.DLL", "CreateSalesContractsWithLoad",
         KeyFake<"CreateSalesContractsWithLoad">},
        {W::Customer, "H32AR.DLL", "CreateCustomersInfoFuel", KeyFake<"CreateCustomersInfoFuel">},
    };
    for (const auto& o : openers) {
        SCOPED_TRACE(o.function);
        Reset();
        EXPECT_FALSE(hvx::OpenSiblingWindow(window, o.which, "KEY-1"));
        EXPECT_EQ(host.LoadRequests(), Lines{o.file});

        Reset();  // every opener is exported, but by the other sibling
        host.AddModule(o.file);
        for (const auto& other : openers)
            host.AddModule(o.file == "H32AR.DLL" ? "H32GRP.DLL" : "H32AR.DLL")
                .Export(other.function, other.fake);
        EXPECT_FALSE(hvx::OpenSiblingWindow(window, o.which, "KEY-1"));
        EXPECT_EQ(Calls(), Lines{});

        host.AddModule(o.file).Export(o.function, o.fake);
        EXPECT_TRUE(hvx::OpenSiblingWindow(window, o.which, "KEY-1"));
        EXPECT_EQ(Calls(), Lines{o.function + "(KEY-1;-1)"});
        EXPECT_EQ(Shown(), Lines{});
    }
}

TEST_F(Siblings, BalanceDueIsZeroUnlessTheFuelModuleAnswers) {
    // Not installed: the host is never asked, though it could load the module.
    for (const char* installation :
         {"", "[H32FUEL.DLL]\nVersion=4\n", "[H32FUELS.DLL]\nDllDate=1\n"}) {
        Reset();
        folder.WriteInstallation(installation);
        host.AddModule("H32FUEL.DLL").Export("GetCustomerBalanceDue", BalanceFake);
        gScript.text = "125.50";
        EXPECT_EQ(hvx::CustomerBalanceDue(window, "C100"), 0.0) << installation;
        EXPECT_TRUE(host.sent.empty());
        EXPECT_EQ(Calls(), Lines{});
    }
    folder.WriteInstallation("[H32FUEL.DLL]\nDllDate=2026-12-05\n");
    Reset();
    EXPECT_EQ(hvx::CustomerBalanceDue(window, "C100"), 0.0);
    EXPECT_EQ(host.LoadRequests(), Lines{"H32FUEL.DLL"});
    host.AddModule("H32FUEL.DLL").Export("GetBalanceDue", BalanceFake);
    EXPECT_EQ(hvx::CustomerBalanceDue(window, "C100"), 0.0);

    host.AddModule("H32FUEL.DLL").Export("GetCustomerBalanceDue", BalanceFake);
    const struct {
        const char* text;
        double balance;
    } answers[] = {{"125.50", 125.5}, {" -12.25 ", -12.25}, {"+3", 3},
                   {"7.5 USD", 7.5},  {"$7.50", 0},         {"", 0},
                   {"abc", 0},        {"1e3", 1000}};
    for (const auto& a : answers) {
        gScript.text = a.text;
        EXPECT_DOUBLE_EQ(hvx::CustomerBalanceDue(window, "C100"), a.balance) << a.text;
    }
    EXPECT_EQ(Calls(), Lines(std::size(answers), "GetCustomerBalanceDue(C100;64)"));
    EXPECT_EQ(Shown(), Lines{});
}

TEST_F(Siblings, UserNameOnEveryPath) {
    const std::string cannotLoad = "Harvexa: Cannot Load HVXCMP(32) :: HVXGetCurrentUserName";
    EXPECT_EQ(hvx::HVXGetCurrentUserName(window), "");
    EXPECT_EQ(Shown(), Lines{cannotLoad});
    EXPECT_EQ(host.LoadRequests(), Lines{"HVXCMP32.DLL"});

    Reset();
    host.AddModule("HVXCMP32.DLL").Export("ReturnUserName", UserNameFake);
    EXPECT_EQ(hvx::HVXGetCurrentUserName(window), "");
    EXPECT_EQ(Shown(),
              Lines{"Harvexa: Cannot Find ReturnCurrentUserName :: HVXGetCurrentUserName"});

    Reset();  // no host frame to ask: as if the sibling were missing
    host.AddModule("HVXCMP32.DLL").Export("ReturnCurrentUserName", UserNameFake);
    host.hasMainWindow = false;
    EXPECT_EQ(hvx::HVXGetCurrentUserName(window), "");
    EXPECT_EQ(Shown(), Lines{cannotLoad});
    EXPECT_TRUE(host.sent.empty());

    host.hasMainWindow = true;
    ui.messages.clear();
    gScript.text = "jdoe";
    EXPECT_EQ(hvx::HVXGetCurrentUserName(window), "jdoe");
    gScript.fillWithoutEnd = true;  // a sibling that fills the buffer without a terminator
    EXPECT_EQ(hvx::HVXGetCurrentUserName(window), std::string(256, 'x'));
    EXPECT_EQ(Calls(), Lines(2, "ReturnCurrentUserName(;256)"));
    EXPECT_EQ(Shown(), Lines{});
}

// The user-name sibling we ship, when the desktop build has made it.
TEST(ShippedSibling, HVXCMP32AnswersTheLoginName) {
    const char* modules = std::getenv("HARVEXA_MODULES_DIR");
    const std::string path = std::string(modules ? modules : ".") + "/HVXCMP32.so";
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) GTEST_SKIP() << "not built: " << path;
    auto userName =
        reinterpret_cast<HVXReturnCurrentUserNameFn>(dlsym(library, "ReturnCurrentUserName"));
    ASSERT_NE(userName, nullptr);
    const passwd* entry = getpwuid(geteuid());
    const char* user = std::getenv("USER");
    const std::string expected = entry ? entry->pw_name : user ? user : "";
    char name[hvx::kUserNameSize], tiny[3];
    userName(nullptr, name, sizeof name);
    userName(nullptr, tiny, sizeof tiny);
    EXPECT_EQ(std::string(name), expected);
    EXPECT_EQ(std::string(tiny), expected.substr(0, 2));
    dlclose(library);
}

}  // namespace
