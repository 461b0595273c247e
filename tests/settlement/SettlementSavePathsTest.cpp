// Every way out of the save on every engine: its message, the lock requests
// in the order they reach the host, and a database left untouched when it
// stops.
#include <functional>

#include "platform/Session.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using hvxtest::Exec;
using hvxtest::Texts;

class SettlementSavePaths : public hvxtest::SettlementSaveFixture {
public:
    // Storage ticket contract ST-5 (DLLINK 5000) of settlement 12 (HVXGR04
    // record 50), and a settlement selling 80 of its units.
    void DrawOnContract(bool ownerOnFile) {
        Exec("INSERT INTO HVXGR04F (SETTLEMENT,DLLINK,CONTRACT,TODPR,OUNITS,STATUS,STYPE,RECNO) "
             "VALUES ('12','5000','ST-5','Storage Ticket','120.0000','O','0',50)");
        if (ownerOnFile)
            Exec("INSERT INTO HVXGR04 (SETTLEMENT,SETLINK,STYPE,RECNO) VALUES ('12','50','0',50)");
        hvx::settlement::SettlementDetailItem line = *set.details.FindLine("9101");
        line.source = line.fromDpr = "Storage Ticket";
        line.sourceRef = "ST-5";
        line.sourceLink = "5000";
        line.unitsSet = 80;
        set.details.Clear();
        set.details.AddLine(line);
        set.defaults.FillFrom(line);
    }
};
HVX_DATABASE_TEST_SUITE(SettlementSavePaths);

struct Path {
    const char* name;
    std::function<void(SettlementSavePaths&)> arrange;
    const char* message;  // empty: saved
    Texts lockOps;
};

// The save itself shows nothing but the advance question; the window shows
// its message.
TEST_P(SettlementSavePaths, MessagesAndLockReleaseOrderOfEachPath) {
    const Texts savedOnA100{"1 GrainLock1", "3 HVXGR02 1", "2 GrainLock1", "4 HVXGR02 1"};
    const Texts recordLocksThenProcessLock{"1 GrainLock1", "3 HVXGR02 1", "4 HVXGR02 1",
                                           "2 GrainLock1"};
    const Path paths[] = {
        {"saved", [](auto&) {}, "", savedOnA100},
        // Ten retries by default: eleven requests, and nothing else.
        {"process lock refused", [](SettlementSavePaths& t) { t.host.refuseAll = true; },
         "Unable to get required process lock to save settlement. Another user is currently "
         "performing an operation using the same lock.",
         Texts(11, "1 GrainLock1")},
        {"no lines", [](SettlementSavePaths& t) { t.set.details.Clear(); },
         "Settlement must have at least one source entry to save. Cannot save this settlement.",
         {"1 GrainLock1", "2 GrainLock1"}},
        {"beyond the split's share",
         [](auto&) { Exec("UPDATE HVXGR02S SET SETTUNITS='200.0000'"); },
         "Saving this settlement will make settled units greater than assembly A100 share units "
         "by 50.50 units. <7001>",
         recordLocksThenProcessLock},
        // A refused record lock gives the process lock up first.
        {"assembly lock refused",
         [](SettlementSavePaths& t) {
             auto line = *t.set.details.FindLine("9102");
             line.dlLink = "9103", line.sourceRef = "A999", line.sourceLink = "7999";
             t.set.details.AddLine(line);
         },
         "Unable to lock assembly A999 for update. This assembly does not exist or is in use by "
         "another user. Unable to save settlement.",
         savedOnA100},
        {"transaction not begun",
         [](auto&) {
             std::string error;
             ASSERT_TRUE(hvx::Session::Begin(error)) << error;
         },
         "Unable to begin transaction on connection.", recordLocksThenProcessLock},
        {"contract drawn on", [](SettlementSavePaths& t) { t.DrawOnContract(true); }, "",
         {"1 GrainLock1", "3 HVXGR04 50", "2 GrainLock1", "4 HVXGR04 50"}},
        {"contract without a settlement",
         [](SettlementSavePaths& t) {
             t.DrawOnContract(true);
             Exec("DELETE FROM HVXGR04F WHERE RECNO=50");
         },
         "Unable to locate settlement to lock.", {"1 GrainLock1", "2 GrainLock1"}},
        // Its release fails too, but the reason the save stopped is kept.
        {"contract's settlement cannot be locked",
         [](SettlementSavePaths& t) { t.DrawOnContract(false); },
         "Unable to lock settlement <12> for update. Settlement does not exist or is in use by "
         "another user.",
         {"1 GrainLock1", "2 GrainLock1"}},
    };
    for (const Path& path : paths) {
        SCOPED_TRACE(path.name);
        TearDown();
        SetUp();
        path.arrange(*this);
        const auto before = Snapshot();
        host.sent.clear();
        const bool saved = *path.message == '\0';
        EXPECT_EQ(Save(), saved);
        std::string ignored;
        if (hvx::Session::InTransaction()) hvx::Session::Rollback(ignored);
        EXPECT_EQ(message, path.message);
        EXPECT_EQ(LockOps(), path.lockOps);
        EXPECT_EQ(Held(), Texts{});
        EXPECT_EQ(ui.messages.size(), saved ? 1u : 0u);
        if (!saved) {
            EXPECT_EQ(Snapshot(), before);
            EXPECT_EQ(set.header.recno, 0);
        }
    }
}

}  // namespace
