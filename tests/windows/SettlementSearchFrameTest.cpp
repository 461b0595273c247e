// The results window's commands over a search of stored lines: what view
// and settle open or refuse, research clearing or appending, cancel from
// inside a run, export.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "windows/search/SettlementSearchFrame.h"

namespace {

using hvx::SettlementSearchFrame;
using hvx::search::SettlementSearchObject;

class SettlementSearchFrameTest : public hvxtest::DatabaseTest, public hvx::SearchFramePort {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec(
            "INSERT INTO HVXGR04 (SETTLEMENT,STYPE,RECNO) VALUES ('7','0',1),('8','1',2)");
        hvxtest::Exec(
            "INSERT INTO HVXGR04D (SETTLEMENT,CUSTNAME,TODPR,STATUS,STYPE,REVERSED,POSTED,RECNO) "
            "VALUES ('7','ANDERSON','Priced','O','0','F','F',11),"
            "('7','ANDERSON','Storage Ticket','C','0','F','F',12),"
            "('8','NGUYEN','Priced Later','O','1','F','F',13),"
            "('9','NOBODY','Priced Later','O','0','F','F',14)");
        criteria_ = std::make_shared<SettlementSearchObject>();
        criteria_->SearchInClosed = true;
        frame_ = std::make_unique<SettlementSearchFrame>(ui_, *this, criteria_);
    }

    void OpenSourceSettlement(const std::string& key) override { opened_.push_back("source " + key); }
    void OpenDestSettlement(const std::string& key) override { opened_.push_back("dest " + key); }
    bool RunCriteria(SettlementSearchObject& criteria, bool& clearPrevious) override {
        criteria.SearchString = "NGUY";
        criteria.Locations[1] = true;
        criteria.SearchAll = false;
        clearPrevious = clearAnswer_;
        return researchAnswer_;
    }
    void Pump() override {
        states_.push_back(frame_->Title() + "|" + frame_->CloseText() + "|" +
                          (frame_->ResearchEnabled() ? "R" : "-"));
        if (cancelWhilePumping_ && frame_->Running()) {
            EXPECT_FALSE(frame_->Close());
        }
    }
    void RowsReset() override { ++resets_; }

    std::string LastMessage() const { return ui_.messages.empty() ? "" : ui_.messages.back().text; }

    hvxtest::ScriptedUi ui_;
    std::shared_ptr<SettlementSearchObject> criteria_;
    std::unique_ptr<SettlementSearchFrame> frame_;
    std::vector<std::string> opened_, states_;
    bool clearAnswer_ = false, researchAnswer_ = true, cancelWhilePumping_ = false;
    int resets_ = 0;
};

TEST_P(SettlementSearchFrameTest, ViewAndSettleOpenOrRefuseByTheRow) {
    frame_->Run();
    ASSERT_EQ(frame_->Results().Size(), 4u);
    EXPECT_EQ(frame_->MatchesLine(), "4 settlement entry matches found.");
    EXPECT_EQ(frame_->ScannedText(), "4 records scanned");
    EXPECT_EQ(states_.front(), "Searching Settlements...|&Cancel|-");
    EXPECT_EQ(states_.back(), "Settlement Search Results|&Close|R");

    frame_->View(2);           // settlement 8 is by destination
    frame_->View(0);
    frame_->View(3);           // no header: nothing
    frame_->View(std::nullopt);
    frame_->SettleBySource(2);
    EXPECT_EQ(opened_, (std::vector<std::string>{"dest 8", "source 7", "source #13"}));

    const std::pair<std::optional<std::size_t>, const char*> refusals[] = {
        {std::nullopt, "No settlement entry has been selected."},
        {0, "Cannot settle an entry with a To DPR of Priced."},
        {1, "Settlement entry requires an 'Open' status to settle."},
    };
    for (const auto& [row, message] : refusals) {
        frame_->SettleBySource(row);
        EXPECT_EQ(LastMessage(), message);
    }
    frame_->SettleByDestination();
    EXPECT_EQ(LastMessage(), "Settle by destination option is currently unavailable.");
    EXPECT_EQ(opened_.size(), 3u);

    // A search that cannot start says why where the matches are counted.
    criteria_->RestrictByDate = true;
    criteria_->EndDate = "13/01/2024";
    frame_->Run();
    EXPECT_EQ(frame_->MatchesLine(),
              "The search could not be run: The end date of the range, \"13/01/2024\", is not a date.");
    EXPECT_EQ(frame_->Results().Size(), 4u);
}

TEST_P(SettlementSearchFrameTest, ResearchAppendsOrClearsAndCancelKeepsWhatWasFound) {
    frame_->Run();
    frame_->Research();  // No to clearing: NGUYEN's line joins the four
    EXPECT_EQ(frame_->Results().Size(), 5u);
    EXPECT_EQ(frame_->MatchesLine(), "5 settlement entry matches found.");
    clearAnswer_ = true;
    frame_->Research();
    EXPECT_EQ(frame_->Results().Size(), 1u);
    EXPECT_EQ(resets_, 1);
    researchAnswer_ = false;
    frame_->Research();  // Cancel in the dialog: the rows stay
    EXPECT_EQ(frame_->Results().Size(), 1u);

    // "&Cancel" pressed while the first line is let through: the run stops
    // at the next line, and the window stays open.
    criteria_->SearchAll = true;
    cancelWhilePumping_ = true;
    frame_->Run();
    EXPECT_FALSE(frame_->Running());
    EXPECT_TRUE(frame_->Close());
    EXPECT_EQ(frame_->Results().Size(), 2u);
    EXPECT_EQ(frame_->MatchesLine(), "2 settlement entry matches found.");
}

TEST_P(SettlementSearchFrameTest, ExportWritesTheRowsShownInTheirOrder) {
    frame_->Run();
    frame_->Sort(hvx::search::kCellCustName, false);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("hvx-export-" + std::to_string(::getpid()) + ".csv"))
            .string();
    ui_.fileNames.push_back(path);
    frame_->Export();
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    std::filesystem::remove(path);
    std::vector<std::string> names;
    std::istringstream lines(text.str());
    for (std::string line; std::getline(lines, line);)
        names.push_back(line.substr(0, line.find(',', line.find(',') + 1)));
    EXPECT_EQ(names, (std::vector<std::string>{"Sett #,Cust Ref.", "9,", "8,", "7,", "7,"}));

    ui_.fileNames.push_back("/nonexistent-folder/x.csv");
    frame_->Export();
    EXPECT_EQ(LastMessage().substr(0, 58),
              "The search results could not be written to /nonexistent-fo");
}

HVX_DATABASE_TEST_SUITE(SettlementSearchFrameTest);

}  // namespace

namespace {

// The searching picture: one step per 500 ms at most, measured from the
// last step; a clock that went back starts the measure again.
TEST(SearchPicture, StepsAtMostEvery500MsAndRestartsOnAClockGoneBack) {
    hvxtest::ScriptedUi ui;
    struct : hvx::SearchFramePort {
        void OpenSourceSettlement(const std::string&) override {}
        void OpenDestSettlement(const std::string&) override {}
        bool RunCriteria(SettlementSearchObject&, bool&) override { return false; }
        void Pump() override {}
        void RowsReset() override {}
    } port;
    SettlementSearchFrame frame(ui, port, std::make_shared<SettlementSearchObject>());
    using ms = std::chrono::milliseconds;
    const SettlementSearchFrame::Clock::time_point start{std::chrono::hours(1)};
    frame.Animate(start);  // the first step: the measure starts at the clock's zero
    std::string pictures;
    for (int at : {100, 499, 600, 1099, 1100, 1700, 1200, 1699, 1700, 2200, 2700, 3200})
        frame.Animate(start + ms(at)), pictures += std::to_string(frame.Picture());
    EXPECT_EQ(pictures, "112230001230");
}

}  // namespace
