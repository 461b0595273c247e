// The record-lock controller of a maintenance window, against a fake host.
#include <gtest/gtest.h>

#include <vector>

#include "shell/LockRequest.h"
#include "shell/RecordLockController.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using Lines = std::vector<std::string>;

// A window that records what the controller tells it.
class Window final : public hvx::LockableWindow {
public:
    std::string caption = "Settlement Maintenance";
    Lines told;
    std::string FrameCaption() const override { return caption; }
    void SetFrameCaption(std::string_view text) override { caption = text; }
    void LockHeld() override { told.push_back("held"); }
    void LockedByOtherUser() override { told.push_back("locked"); }
};

std::tm At(int hour, int minute) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

class RecordLockControllerTest : public ::testing::Test {
protected:
    RecordLockControllerTest() : controller_(window_, [this] { return now_; }) {
        controller_.SetLockInformation("HVXGRP", "HVXGR08");
    }
    // Every lock request, as "operation table record".
    Lines Requests() const {
        Lines lines;
        for (const auto& m : host_.sent)
            lines.push_back(std::to_string(m.operation) + " " + m.package + "|" + m.table + " " +
                            std::to_string(static_cast<long>(m.recno)));
        return lines;
    }
    hvxtest::ScriptedUi ui_;
    hvxtest::FakeHost host_;
    Window window_;
    std::tm now_ = At(13, 5);
    hvx::RecordLockController controller_;
};

TEST_F(RecordLockControllerTest, RefusedLockMarksTheCaptionOnceAndAGrantRestoresIt) {
    host_.refuseAll = true;
    // The caption kept is the one before the first lock, so a later refusal
    // does not mark it twice; the wait is told on a twelve-hour clock.
    const struct {
        int hour, minute;
        const char* since;
    } refusals[] = {{13, 5, "01:05 PM 03/07/2024"}, {0, 30, "12:30 AM 03/07/2024"},
                    {12, 0, "12:00 PM 03/07/2024"}};
    for (const auto& r : refusals) {
        now_ = At(r.hour, r.minute);
        EXPECT_FALSE(controller_.LockRecord(18));
        EXPECT_EQ(window_.caption, "Settlement Maintenance (Locked)");
        EXPECT_EQ(controller_.WaitingSince(), r.since);
    }
    now_ = At(9, 0);
    EXPECT_FALSE(controller_.LockRecord(18, true));  // a silent refusal changes nothing
    EXPECT_EQ(controller_.WaitingSince(), "12:00 PM 03/07/2024");
    host_.refuseAll = false;
    EXPECT_TRUE(controller_.LockRecord(18));
    EXPECT_EQ(window_.caption, "Settlement Maintenance");
    EXPECT_EQ(window_.told, (Lines{"locked", "locked", "locked", "held"}));
    // One request per lock: a window's record lock is not retried.
    EXPECT_EQ(host_.Count(hvx::kLockRecord), 5);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RecordLockControllerTest, MovingToAnotherRecordReleasesTheFirst) {
    EXPECT_TRUE(controller_.LockRecord(17));
    EXPECT_TRUE(controller_.HoldsLock());
    EXPECT_EQ(controller_.LockedRecord(), 17);
    host_.refuseAll = true;
    EXPECT_FALSE(controller_.LockRecord(18));
    EXPECT_FALSE(controller_.HoldsLock());
    controller_.ReleaseLock();  // nothing left to release
    EXPECT_EQ(Requests(), (Lines{"3 HVXGRP|HVXGR08 17", "4 HVXGRP|HVXGR08 17",
                                 "3 HVXGRP|HVXGR08 18"}));
}

TEST_F(RecordLockControllerTest, LockInformationIsRequired) {
    for (const auto& [package, table] : {std::pair{"", "HVXGR08"}, std::pair{"HVXGRP", ""}}) {
        hvx::RecordLockController controller(window_, [this] { return now_; });
        controller.SetLockInformation(package, table);
        EXPECT_FALSE(controller.LockRecord(17));
    }
    EXPECT_TRUE(host_.sent.empty());
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[1].caption + ": " + ui_.messages[1].text,
              "Harvexa: Package/Table lock information has not been setup.");
    EXPECT_EQ(ui_.messages[1].icon, hvx::MsgIcon::Exclamation);
    EXPECT_EQ(window_.caption, "Settlement Maintenance");
}

TEST_F(RecordLockControllerTest, LockButtonShowsWhoHoldsTheRecord) {
    window_.caption = std::string(230, 'C');
    host_.refuseAll = true;
    controller_.LockRecord(17);
    EXPECT_EQ(window_.caption, std::string(200, 'C') + " (Locked)");  // kept to 200 characters
    controller_.ShowLockInformation();
    EXPECT_EQ(Requests(), (Lines{"3 HVXGRP|HVXGR08 17", "5 HVXGRP|HVXGR08 17"}));
    ASSERT_EQ(ui_.popups.size(), 1u);
    EXPECT_EQ(ui_.popups[0].caption, "User Information");
    EXPECT_EQ(ui_.popups[0].text,
              "jdoe on workstation-2 since 03/07/2024 09:15 AM\n"
              "Locked since <Unavailable>\n"
              "Waiting since 01:05 PM 03/07/2024");
    EXPECT_EQ(ui_.lastPopupWidth, 240);
    EXPECT_EQ(ui_.lastPopupOffset, 20);
}

}  // namespace
