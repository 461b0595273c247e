// Calls to sibling modules on a fake host, and the interface object's events to them.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "platform/Format.h"
#include "platform/Text.h"
#include "shell/BackOfficeCalls.h"
#include "shell/GeneralLedgerCall.h"
#include "shell/InterfaceObject.h"
#include "shell/ModuleInstall.h"
#include "shell/ReportCalls.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingQueries.h"
#include "shell/SiblingWindows.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using Lines = std::vector<std::string>;
using Parts = std::array<std::string, 3>;

// What the fakes answer (a code; a text, the general ledger's at byte 50 after byte 0) and
// the calls received ("texts;number", marked under the wait cursor). One fake serves every
// function of a signature: the host finds it only under the exact name asked for.
int gAnswer = 1;
char gFirst = 1;
std::string gText;
Lines gCalls;
hvxtest::ScriptedUi* gUi = nullptr;
int gWindowTag = 0;
const hvx::HostWindow kWindow = &gWindowTag;

void Record(void* window, const Lines& texts, int number) {
    EXPECT_EQ(window, kWindow);
    std::string call;
    for (std::size_t n = 0; n < texts.size(); ++n) call += (n ? "," : "") + texts[n];
    gCalls.push_back(call + ";" + std::to_string(number) + (gUi->waitDepth ? " waiting" : ""));
}
int BackOfficeFake(void* window, const char* text, char* result, int size) {
    Record(window, {text}, size);
    CopyToBuffer(gText, result, static_cast<std::size_t>(size));
    return gAnswer;
}
int SendDLLMessageFake(void* window, const char* command, const char* argument, char* ret,
                       int size) {
    Record(window, {command, argument}, size);
    ret[0] = gFirst;
    CopyToBuffer(gText, ret + 50, static_cast<std::size_t>(size - 50));
    return gAnswer;
}
// These two copy without an end when the text fills the buffer.
void BalanceFake(void* window, const char* customer, char* balance, int size) {
    Record(window, {customer}, size);
    std::strncpy(balance, gText.c_str(), static_cast<std::size_t>(size));
}
void UserNameFake(void* window, char* name, int size) {
    Record(window, {}, size);
    std::strncpy(name, gText.c_str(), static_cast<std::size_t>(size));
}
void KeyFake(void* window, const char* key) { Record(window, {key}, -1); }
void ReportFake(void* window, const char* a, const char* b, const char* c, int options) {
    Record(window, {a, b, c}, options);
}

// The interface object's receivers; one event is refused.
std::string gRefusedEvent;
template <int Receiver>
int HandleEventFake(void* owner, const char* className, const char* eventName, char* error,
                    int size) {
    Record(owner, {Receiver == 1 ? "H32CNSD.DLL" : "H32AUDIT.DLL", className, eventName}, size);
    if (eventName != gRefusedEvent) return 0;
    CopyToBuffer("Consolidation period 2026-11 is closed", error, static_cast<std::size_t>(size));
    return 3;
}

std::string Account(bool ok, const hvx::GLAccount& a) {
    return (ok ? "yes " : "no ") + a.parts[0] + "|" + a.parts[1] + "|" + a.parts[2];
}

class Siblings : public ::testing::Test {
protected:
    void SetUp() override {
        gUi = &ui;
        folder.WriteInstallation("[H32FUEL.DLL]\nDllDate=2026-12-05\n");
        Reset();
    }
    void Reset() {
        host.modules.clear();
        host.sent.clear();
        ui.messages.clear();
        gCalls.clear();
        gAnswer = gFirst = 1;
    }
    Lines Shown() const {
        Lines lines;
        for (const auto& m : ui.messages) lines.push_back(m.caption + ": " + m.text);
        return lines;
    }

    hvxtest::FakeWorkingFolder folder;
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
};

// One call to a sibling: its file and function, the call (its result as a text), the
// sibling's answer, what it receives, the result when it answers and when it cannot be
// reached, the message when the file is missing and when it lacks the function ("": none).
struct SiblingCall {
    std::string file, function;
    void* fake;
    std::function<std::string()> run;
    std::string answer, received, answered, unreached, missing, noFunction;
};

std::vector<SiblingCall> AllCalls() {
    const auto fake = [](auto* f) { return reinterpret_cast<void*>(f); };
    const auto backOffice = [&](hvx::BackOfficeFunction f, const std::string& name) {
        return SiblingCall{
            "H32BKOF.DLL", name, fake(BackOfficeFake),
            [f] {
                hvx::BackOfficeRecord r;
                r.fields[0] = "KEEP";
                const bool ok = hvx::CallBackOffice(kWindow, f, "Smi", r);
                return (ok ? "yes " : "no ") + r.Reference() + "|" + r.Name() + "|" + r.Field(3) +
                       "|" + r.Field(5) + "|" + r.Field(8) + r.Field(0) + r.Field(9);
            },
            // Fields 01= to 08= are kept; other prefixes are not fields.
            "01=C100\t02=Jane Doe\t09=x\t00=zero\t1=short\tAB=x\t\t08=last\t05=a=b\t03=RR 2",
            "Smi;4096", "yes C100|Jane Doe|RR 2|a=b|last", "no KEEP||||",
            "Harvexa: Unable to load H32BKOF.DLL",
            "Harvexa: Cannot find " + name + " function in H32BKOF.DLL"};
    };
    const auto ledger = [&](bool search) {
        const std::string command = search ? "SEARCHACCOUNT" : "VERIFYACCOUNT";
        return SiblingCall{
            "H32GL.DLL", "SendDLLMessage", fake(SendDLLMessageFake),
            [search] {
                gAnswer = 0;  // the general ledger's code for an answer
                hvx::GLAccount a{{"4000", "10", ""}};
                return Account(search ? hvx::SearchGLAccount(kWindow, "", a)
                                      : hvx::VerifyGLAccount(kWindow, "", a), a);
            },
            "5100,20,30,40", command + (search ? ",4000,10,;400" : ",4000,10;400"),
            search ? "yes 5100|20|30,40" : "yes 4000|10|", "no 4000|10|",
            "General Ledger Connection Error: General Ledger is not currently installed!",
            "General Ledger Connection Error: Function " + command +
                " not found in current version of General Ledger."};
    };
    // Reports run under the wait cursor; they return nothing.
    const auto report = [&](const std::string& file, const std::string& function,
                            std::function<void()> run, const std::string& received) {
        return SiblingCall{file, function,
                           received.ends_with(";0") ? fake(ReportFake) : fake(KeyFake),
                           [run] { return run(), ""; }, "", received + " waiting", "", "",
                           "Harvexa: Unable to load DLL (" + file + ")",
                           "Harvexa: Unable to find report (" + function + ") in " + file};
    };
    const auto printout = [&](hvx::SettlementPrintout p, const std::string& function) {
        return report("H32GRR.DLL", function, [p] { hvx::PrintSettlement(kWindow, p, "S-77"); },
                      "S-77;-1");
    };
    // Windows of siblings open silently or not at all.
    const auto opener = [&](hvx::SiblingWindow w, const std::string& file,
                            const std::string& function) {
        const auto open = [w] { return hvx::OpenSiblingWindow(kWindow, w, "K") ? "y" : ""; };
        return SiblingCall{file, function, fake(KeyFake), open, "", "K;-1", "y", "", "", ""};
    };
    using F = hvx::BackOfficeFunction;
    using W = hvx::SiblingWindow;
    using P = hvx::SettlementPrintout;
    return {
        backOffice(F::SearchCustomerName, "bSearchCustName"),
        backOffice(F::SearchCustomerReference, "bSearchCustRef"),
        backOffice(F::VerifyCustomer, "bVerifyCustomer"),
        backOffice(F::SearchGLAccount, "bSearchGLAccount"),
        backOffice(F::VerifyGLAccount, "bVerifyGLAccount"),
        ledger(true),
        ledger(false),
        report("H32GRR", "DoCWRReport", [] { hvx::RunReceiptsReport(kWindow); }, ",,;0"),
        report("H32GRR.DLL", "DoOneAssemblySheetEx",
               [] { hvx::PrintAssemblySheet(kWindow, "A-1042"); }, "A-1042,,;0"),
        report("H32GRR.DLL", "DoShipmentReport",
               [] { hvx::PrintShipmentBatch(kWindow, {"311", "312"}); }, "311,312,,;0"),
        printout(P::Settlement, "DoPrintSettlementEx"),
        printout(P::SettlementContract, "DoPrintSettlementContractEx"),
        printout(P::InstallmentSaleContract, "DoPrintInstallmentSaleContract"),
        opener(W::Commodity, "H32GRP.DLL", "CreateCommodityWithLoad"),
        opener(W::AssemblySheet, "H32GRP.DLL", "CreateAssemblySheetsWithLoad"),
        opener(W::SettlementDeduction, "H32GRP.DLL", "SettlementDeductionWindow"),
        opener(W::ShippingDestination, "H32GRP.DLL", "ShippingDestinationWindow"),
        opener(W::SalesContract, "H32GRP.DLL", "CreateSalesContractsWithLoad"),
        opener(W::Customer, "H32AR.DLL", "CreateCustomersInfoFuel"),
        {"H32FUEL.DLL", "GetCustomerBalanceDue", fake(BalanceFake),
         [] { return _HVXsprintf("%.2f", hvx::CustomerBalanceDue(kWindow, "C100")); }, " -12.25 ",
         "C100;64", "-12.25", "0.00", "", ""},
        {"HVXCMP32.DLL", "ReturnCurrentUserName", fake(UserNameFake),
         // A name filling the whole buffer has no end.
         [] { return hvx::HVXGetCurrentUserName(kWindow); }, std::string(300, 'x'), ";256",
         std::string(256, 'x'), "",
         "Harvexa: Cannot Load HVXCMP(32) :: HVXGetCurrentUserName",
         "Harvexa: Cannot Find ReturnCurrentUserName :: HVXGetCurrentUserName"},
    };
}

TEST_F(Siblings, EveryCallWithTheSiblingMissingUnloadedWithoutTheFunctionOrInstalled) {
    enum Sibling { Missing, Unloaded, NoFunction, Installed };
    for (const SiblingCall& c : AllCalls()) {
        const bool report = c.received.ends_with(" waiting");
        for (Sibling sibling : {Missing, Unloaded, NoFunction, Installed}) {
            if (sibling == Unloaded && !report) continue;
            SCOPED_TRACE(::testing::Message() << c.function << " sibling " << sibling);
            Reset();
            gText = c.answer;
            // The other spelling of the file holds the function: names reach the host as given.
            const bool dll = c.file.ends_with(".DLL");
            host.AddModule(dll ? c.file.substr(0, c.file.size() - 4) : c.file + ".DLL")
                .functions[c.function] = c.fake;
            if (sibling != Missing) {
                hvxtest::FakeModule& module = host.AddModule(c.file);
                module.loaded = sibling != Unloaded;
                // Without the function, it still has one by a similar name.
                module.functions[sibling == NoFunction ? c.function + "X" : c.function] = c.fake;
            }
            EXPECT_EQ(c.run(), sibling == Installed ? c.answered : c.unreached);
            const std::string unloaded =
                "Harvexa: " + c.file + " is not currently installed. Please install DLL and retry.";
            const std::string shown[] = {c.missing, unloaded, c.noFunction, ""};
            EXPECT_EQ(Shown(), shown[sibling].empty() ? Lines{} : Lines{shown[sibling]});
            EXPECT_EQ(host.LoadRequests(), Lines{c.file});
            EXPECT_EQ(gCalls, sibling == Installed ? Lines{c.received} : Lines{});
            EXPECT_EQ(ui.waitDepth, 0);
        }
    }
}

// The back office setting chooses the sibling; answers other than yes leave the account as typed.
TEST_F(Siblings, AccountLookupsByBackOfficeSettingAndAnswer) {
    const struct {
        const char* setting;
        bool search, backOffice;
        int code;    // the back office's answer, or the general ledger's code
        char first;  // byte 0 of the general ledger's answer
        Lines shown;
    } cases[] = {
        {"TORVALE", true, true, 1, 1, {}},
        {"  TORVALE ", false, true, 1, 1, {}},
        {"TORVALE", false, true, 0, 1, {}},  // declined: the buffer is not read
        {"torvale", true, false, -2, 1, {}},  // the general ledger told the user itself
        {"", true, false, -1, 1, {"Grain Error: Grain return buffer too small"}},
        {"", true, false, 1, 1, {"Grain Error: Unknown return value"}},
        {"", true, false, 0, 0, {}},
        {"TORVALE2", false, false, -1, 1, {"Harvexa: Grain return buffer too small"}},
        {"", false, false, 99, 1, {"Harvexa: Unknown return value"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "'" << c.setting << "' " << c.search << c.code);
        Reset();
        host.AddModule("H32BKOF.DLL")
            .Export(c.search ? "bSearchGLAccount" : "bVerifyGLAccount", BackOfficeFake);
        host.AddModule("H32GL.DLL").Export("SendDLLMessage", SendDLLMessageFake);
        gAnswer = c.code;
        gFirst = c.first;
        gText = c.backOffice ? "02=Cash\t01=5000" : "5100,20,30,40";
        hvx::GLAccount account{{"4000", "10", ""}};
        const bool ok = c.search ? hvx::SearchGLAccount(kWindow, c.setting, account)
                                 : hvx::VerifyGLAccount(kWindow, c.setting, account);
        EXPECT_EQ(Account(ok, account), c.backOffice && c.code ? "yes 5000||" : "no 4000|10|");
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(host.LoadRequests(), Lines{c.backOffice ? "H32BKOF.DLL" : "H32GL.DLL"});
        EXPECT_EQ(gCalls.size(), 1u);
    }
}

// Who receives the interface object's events, in which order, and what the user sees.
TEST_F(Siblings, InterfaceObjectReceiversInOrderWithTheirErrorsAndAbsences) {
    enum { CannotLoad, NoFunction, Handles };  // what the host has of H32CNSD.DLL
    const struct {
        const char* installation;  // null: both receivers named by the caller
        int cnsd;
        const char* refusedEvent;  // by H32CNSD.DLL; initializing fails when it is initialize
        const char* events;  // C: H32CNSD.DLL, A: H32AUDIT.DLL; + initialize, - destroy
        Lines shown;
    } cases[] = {
        // The settlement save's own object asks only an installed consolidation module.
        {"[H32CNSD.DLL]\nVersion=2\n", Handles, "", "", {}},
        {"[H32CNSD.DLL]\nDllDate=2026-12-05\n", Handles, "", "C+ C-", {}},
        {nullptr, Handles, "", "C+ A+ C- A-", {}},
        // The first refusal ends the firing: the second receiver never hears of it.
        {nullptr, Handles, "HVXInitializeEvent", "C+ C- A-",
         {"Harvexa: Consolidation period 2026-11 is closed"}},
        {nullptr, Handles, "HVXDestroyEvent", "C+ A+ C-", {}},  // nothing to show
        {nullptr, NoFunction, "", "A+ A-",
         Lines(2, "Harvexa: The H32CNSD.DLL module does not support this interface object.")},
        {nullptr, CannotLoad, "", "A+ A-", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        Reset();
        gRefusedEvent = c.refusedEvent;
        if (c.cnsd != CannotLoad) {
            hvxtest::FakeModule& cnsd = host.AddModule("H32CNSD.DLL");
            if (c.cnsd == Handles) cnsd.Export("HVXInterface_HandleEvent", HandleEventFake<1>);
        }
        host.AddModule("H32AUDIT.DLL").Export("HVXInterface_HandleEvent", HandleEventFake<2>);
        if (c.installation) folder.WriteInstallation(c.installation);
        {
            const auto object = c.installation ? std::make_unique<hvx::InterfaceObject>(kWindow)
                                               : std::make_unique<hvx::InterfaceObject>(
                                                     kWindow, "Grain Settlements",
                                                     Lines{"H32CNSD.DLL", "H32AUDIT.DLL"});
            EXPECT_EQ(object->Initialize(), std::string(c.refusedEvent) != "HVXInitializeEvent");
        }
        std::string events;
        for (const std::string& call : gCalls)
            events += (events.empty() ? "" : " ") + std::string(call[3] == 'C' ? "C" : "A") +
                      (call.find("Initialize") != std::string::npos ? "+" : "-");
        EXPECT_EQ(events, c.events);
        for (const std::string& call : gCalls)  // the owner's class and the error buffer
            EXPECT_TRUE(call.find(",Grain Settlements,HVX") != call.npos && call.ends_with(";1024"))
                << call;
        EXPECT_EQ(Shown(), c.shown);
        if (!*c.events) { EXPECT_TRUE(host.sent.empty()); }
    }
}

TEST(GeneralLedgerArguments, ByNumberOfPartsAndChosenAccountSplitAtTwoCommas) {
    EXPECT_EQ(hvx::VerifyAccountArgument({{"1000", "", ""}}), "1000");
    EXPECT_EQ(hvx::VerifyAccountArgument({{"1000", "", "3"}}), "1000,,3");
    EXPECT_EQ(hvx::SearchAccountArgument({{"1000", "", ""}}), "1000,,");
    EXPECT_EQ(hvx::ParseChosenAccount("A,B").parts, (Parts{"A", "B", ""}));
    EXPECT_EQ(hvx::ParseChosenAccount("A").parts, (Parts{"A", "", ""}));
}

TEST_F(Siblings, BalanceDueOnlyFromAnInstalledFuelModule) {
    host.AddModule("H32FUEL.DLL").Export("GetCustomerBalanceDue", BalanceFake);
    const struct {
        const char* text;
        double balance;
    } answers[] = {{"+3", 3}, {"7.5 USD", 7.5}, {"$7.50", 0}, {"1e3", 1000}};
    for (const auto& a : answers) {
        gText = a.text;
        EXPECT_DOUBLE_EQ(hvx::CustomerBalanceDue(kWindow, "C100"), a.balance) << a.text;
    }
    // Not installed: the host is never asked, though it could load the module.
    host.sent.clear();
    folder.WriteInstallation("[H32FUEL.DLL]\nVersion=4\n");
    EXPECT_EQ(hvx::CustomerBalanceDue(kWindow, "C100"), 0.0);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_FALSE(hvx::IsModuleInstalled(""));
}

TEST_F(Siblings, UserNameWithoutAHostFrame) {
    host.AddModule("HVXCMP32.DLL").Export("ReturnCurrentUserName", UserNameFake);
    host.hasMainWindow = false;  // no frame to ask: as if the sibling were missing
    EXPECT_EQ(hvx::HVXGetCurrentUserName(kWindow), "");
    EXPECT_EQ(Shown(), Lines{"Harvexa: Cannot Load HVXCMP(32) :: HVXGetCurrentUserName"});
    EXPECT_TRUE(host.sent.empty());

}

// The user-name sibling we ship, when the desktop build has made it.
TEST(ShippedSibling, HVXCMP32AnswersTheLoginName) {
    const char* modules = std::getenv("HARVEXA_MODULES_DIR");
    const std::string path = std::string(modules ? modules : ".") + "/HVXCMP32.so";
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) GTEST_SKIP() << "not built: " << path;
    const auto userName =
        reinterpret_cast<HVXReturnCurrentUserNameFn>(dlsym(library, "ReturnCurrentUserName"));
    ASSERT_NE(userName, nullptr);
    const std::string expected = getpwuid(geteuid())->pw_name;
    char name[hvx::kUserNameSize], tiny[3];
    userName(nullptr, name, sizeof name);
    userName(nullptr, tiny, sizeof tiny);
    EXPECT_EQ(std::string(name) + "|" + tiny, expected + "|" + expected.substr(0, 2));
    dlclose(library);
}

}  // namespace
