// Record locks on keyed grain records, on every engine.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
