// Process locks through the host, with the retry count of "hvxlocal.ini".
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "shell/LockRequest.h"
#include "shell/ProcessLocks.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

namespace fs = std::filesystem;

// Points the user's configuration folder at a fresh working folder for the test.
class ProcessLocks : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        setenv("XDG_CONFIG_HOME", fs::current_path().c_str(), 1);
        hvx::ForgetLockTryCount();
    }
    void TearDown() override {
        if (oldConfig_) setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        hvx::ForgetLockTryCount();
    }
    void SetTryCount(const std::string& value) {
        fs::create_directories("harvexa");
        std::ofstream("harvexa/hvxlocal.ini") << "[Grain]\nNetworkLockTryCount=" + value + "\n";
    }

    hvxtest::FakeWorkingFolder folder_;
    std::optional<std::string> oldConfig_;
    hvxtest::ScriptedUi ui_;
    hvxtest::FakeHost host_;
};

TEST_F(ProcessLocks, AskedUntilGrantedOrTryCountPlusOneTimes) {
    const struct {
        const char* value;  // null: no profile file
        int refusals;       // -1: refuse every request
        bool granted;
        int attempts;
    } cases[] = {{"0", -1, false, 11},      {"6000", -1, false, 11}, {nullptr, -1, false, 11},
                 {"1", -1, false, 2},       {"5000", -1, false, 5001}, {"abc", -1, false, 11},
                 {nullptr, 0, true, 1},     {nullptr, 3, true, 4},   {nullptr, 10, true, 11},
                 {nullptr, 11, false, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.value ? c.value : "<missing>") << " refusals "
                                        << c.refusals);
        fs::remove_all("harvexa");
        if (c.value) SetTryCount(c.value);
        hvx::ForgetLockTryCount();
        host_.sent.clear();
        host_.refuseAll = c.refusals < 0;
        host_.refusals = std::max(c.refusals, 0);
        EXPECT_EQ(hvx::TryProcessLock("GrainLock1"), c.granted);
        EXPECT_EQ(host_.Count(hvx::kLockTable), c.attempts);
    }
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ProcessLocks, TryCountIsReadOncePerModuleLoad) {
    SetTryCount("2");
    host_.refuseAll = true;
    EXPECT_FALSE(hvx::TryProcessLock("GrainLock1"));
    SetTryCount("4");
    EXPECT_FALSE(hvx::TryProcessLock("GrainLock1"));
    EXPECT_EQ(host_.Count(hvx::kLockTable), 3 + 3);
    hvx::ForgetLockTryCount();  // the module is unloaded and loaded again
    EXPECT_EQ(hvx::LockTryCount(), 4);
}

TEST_F(ProcessLocks, RequestsNameThePackageAndTheLock) {
    EXPECT_TRUE(hvx::TryProcessLock("GrainLock1"));
    EXPECT_TRUE(hvx::ReleaseProcessLock("GrainLock1"));
    ASSERT_EQ(host_.sent.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const hvxtest::HostMessage& m = host_.sent[i];
        EXPECT_EQ(m.message, hvx::kMsgLock);
        EXPECT_EQ(m.operation, i == 0 ? hvx::kLockTable : hvx::kUnlockTable);
        EXPECT_EQ(m.package + "|" + m.table + "|" + m.text + "|" + std::to_string(m.recno),
                  "HVXGRP|GrainLock1||0.000000");
    }
}

TEST_F(ProcessLocks, NoMainWindowIsReportedOnceAndRefuses) {
    host_.hasMainWindow = false;
    EXPECT_FALSE(hvx::TryProcessLock("GrainLock1"));
    EXPECT_FALSE(hvx::ReleaseProcessLock("GrainLock1"));
    EXPECT_TRUE(host_.sent.empty());
    ASSERT_EQ(ui_.messages.size(), 2u);
    for (const auto& m : ui_.messages) {
        EXPECT_EQ(m.caption + ": " + m.text, "Harvexa: Please setup Ptr to Main Window");
        EXPECT_EQ(m.icon, hvx::MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, hvx::MsgButtons::Ok);
    }
}

}  // namespace
