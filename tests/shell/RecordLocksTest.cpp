// Record locks on keyed grain records, on every engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/Format.h"
#include "shell/HostLocks.h"
#include "shell/RecordLocks.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvx::RecordKind;
using hvxtest::Exec;

class RecordLocks : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Exec("INSERT INTO HVXGR02 (ASSEMBLY,RECNO) VALUES ('A-100',42)");
        Exec("INSERT INTO HVXGR04 (SETTLEMENT,NUMCHANGE,RECNO) VALUES ('1001','0',7)");
        Exec("INSERT INTO HVXGR05 (CONTRACT,RECNO) VALUES ('SC-9',12345678)");
    }
    hvxtest::ScriptedUi ui_;
    hvxtest::FakeHost host_;
};
HVX_DATABASE_TEST_SUITE(RecordLocks);

TEST_P(RecordLocks, EachKindLocksItsTableRecord) {
    const struct {
        RecordKind kind;
        const char* key;
        const char* request;  // package|table|record|text
    } cases[] = {{RecordKind::Assembly, "A-100", "HVXGRP|HVXGR02|42|"},
                 {RecordKind::Settlement, "1001", "HVXGRP|HVXGR04|7|"},
                 {RecordKind::SalesContract, "SC-9", "HVXGRP|HVXGR05|12345678|"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        host_.sent.clear();
        EXPECT_TRUE(hvx::LockKeyedRecord(c.kind, c.key, 0));
        EXPECT_TRUE(hvx::UnlockKeyedRecord(c.kind, c.key));
        ASSERT_EQ(host_.sent.size(), 2u);
        for (const auto& m : host_.sent)
            EXPECT_EQ(_HVXsprintf("%s|%s|%.0f|%s", m.package, m.table, m.recno, m.text), c.request);
        EXPECT_EQ(host_.sent[0].operation, hvx::kLockRecord);
        EXPECT_EQ(host_.sent[1].operation, hvx::kUnlockRecord);
    }
}

TEST_P(RecordLocks, UnknownKeyNeverAsksTheHost) {
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Assembly, "A-999", hvx::kAssemblyLockRetries));
    EXPECT_FALSE(hvx::UnlockKeyedRecord(RecordKind::Assembly, "A-999"));
    // The key of one kind means nothing in another kind's table.
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::Settlement, "A-100", 0));
    EXPECT_FALSE(hvx::LockKeyedRecord(RecordKind::SalesContract, "x' OR '1'='1", 0));
    EXPECT_TRUE(host_.sent.empty());
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_P(RecordLocks, RetriesUntilGrantedOrExhausted) {
    const struct {
        long retries;
        int refusals;  // -1: refuse every request
        bool granted;
        int attempts;
    } cases[] = {{5, -1, false, 6}, {0, -1, false, 1}, {5, 5, true, 6}, {5, 6, false, 6},
                 {-2, -1, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.retries << " retries, " << c.refusals << " refusals");
        host_.sent.clear();
        host_.refuseAll = c.refusals < 0;
        host_.refusals = std::max(c.refusals, 0);
        EXPECT_EQ(hvx::LockKeyedRecord(RecordKind::Assembly, "A-100", c.retries), c.granted);
        EXPECT_EQ(host_.Count(hvx::kLockRecord), c.attempts);
    }
}

// A host that keeps the raw bytes of the last request it was handed.
class RawHost final : public hvx::HostPort {
public:
    unsigned char bytes[sizeof(hvx::LockRequest)] = {};
    long operation = 0;
    RawHost() { hvx::SetHostPort(this); }
    ~RawHost() override { hvx::SetHostPort(nullptr); }
    hvx::HostWindow MainWindow() override { return this; }
    long SendHostMessage(hvx::HostWindow, unsigned, long wparam, void* lparam) override {
        operation = wparam;
        std::memcpy(bytes, lparam, sizeof bytes);
        std::strcpy(static_cast<hvx::LockRequest*>(lparam)->text, "mlee on office-1");
        return 1;
    }
    void BroadcastToDocuments(unsigned, long, const void*) override {}
    void* FindSiblingFunction(void*, std::string_view) override { return nullptr; }
    bool IsModuleLoaded(void*) override { return false; }
};

TEST_P(RecordLocks, WireRecordAndHolderText) {
    RawHost raw;
    EXPECT_TRUE(hvx::LockKeyedRecord(RecordKind::SalesContract, "SC-9", 0));
    ASSERT_EQ(sizeof raw.bytes, 1092u);
    EXPECT_EQ(raw.operation, 3);
    EXPECT_EQ(std::memcmp(raw.bytes, "HVXGRP\0", 7), 0);
    EXPECT_EQ(std::memcmp(raw.bytes + 30, "HVXGR05\0", 8), 0);
    EXPECT_EQ(raw.bytes[60], 0);
    double recno = 0;
    std::memcpy(&recno, raw.bytes + 1084, sizeof recno);
    EXPECT_EQ(recno, 12345678.0);

    EXPECT_EQ(hvx::AskLockHolder("HVXGRP", "HVXGR05", 12345678), "mlee on office-1");
    EXPECT_EQ(raw.operation, 5);
    EXPECT_EQ(raw.bytes[60], 0);  // the text goes to the host cleared

    // Names too long for their fields are cut to fit, with their end.
    const hvx::LockRequest request = hvx::MakeLockRequest(std::string(40, 'N'), std::string(40, 'T'));
    EXPECT_EQ(std::string(request.package) + std::string(request.table),
              std::string(29, 'N') + std::string(29, 'T'));
}

}  // namespace
