// The module as a program that only loads it sees it: no application, no
// host window, just dlopen and the entry points.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <QCoreApplication>

#include "DesktopSupport.h"
#include "platform/HostPort.h"
#include "abi/ModuleAbi.h"
#include "support/FakeHost.h"

namespace {

using desktop::Entry;

TEST(ModuleLibrary, AnswersTheHostsQueries) {
    ASSERT_NE(desktop::Module(), nullptr) << dlerror();
    auto whatCanIDo = Entry<HVXWhatCanIDoFn>("HVXWhatCanIDo");
    auto setup = Entry<HVXSetupFn>("Setup");
    auto terminate = Entry<HVXTerminateFn>("Terminate");
    ASSERT_TRUE(whatCanIDo && setup && terminate);

    const struct {
        const char* query;
        const char* answer;
    } cases[] = {
        {"REQUIREDDLLS", "H32016.DLL"},
        {"MAINTAINANCE", ""},
        {"requireddlls", ""},  // queries are exact
        {"REQUIREDDLLS ", ""},
        {"MAINTENANCE", ""},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query ? c.query : "<null>");
        const char* answer = whatCanIDo(c.query);
        ASSERT_NE(answer, nullptr);  // an empty text, never a null
        EXPECT_STREQ(answer, c.answer);
    }
    for (int word : {0, 1, 0xFFFF}) {
        EXPECT_EQ(setup(word), 1);
        EXPECT_EQ(terminate(word), 1);
    }
}

TEST(ModuleLibrary, InitializeKeepsTheHostPortItIsGiven) {
    auto initialize = Entry<HVXInitializeFn>("Initialize");
    ASSERT_NE(initialize, nullptr);
    hvxtest::FakeHost first, second;  // each sets itself as the port when made
    EXPECT_EQ(initialize(&first), 1);
    EXPECT_EQ(hvx::CurrentHostPort(), &first);
    EXPECT_EQ(HVXReturnMDIWin(), first.MainWindow());
    // A second Initialize replaces the handle.
    EXPECT_EQ(initialize(&second), 1);
    EXPECT_EQ(hvx::CurrentHostPort(), &second);
}

TEST(ModuleLibrary, WindowsNeedAnApplication) {
    // Run alone (as ctest runs every test), this process has no application:
    // the entry points that open windows refuse instead of aborting.
    if (QCoreApplication::instance()) GTEST_SKIP() << "an application already exists";
    EXPECT_EQ(Entry<HVXCreateWindowFn>("CreateSourceSettlementMENU")(nullptr), 0);
    EXPECT_EQ(Entry<HVXCreateKeyedWindowFn>("CreateDestSettlement")(nullptr, "1042"), 0);
    EXPECT_EQ(Entry<HVXNewSettlementFn>("NewSettlement")(nullptr), 0);
    Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch")(nullptr);
}

}  // namespace
