// Search set files: what the writer leaves on disk, what the reader takes
// back, and the files it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "search/SearchSetFile.h"
#include "support/ScriptedUi.h"

namespace {

namespace fs = std::filesystem;
using hvx::MsgAnswer;
using hvx::search::SettlementSearchObject;

class SearchSetFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("hvx-gss-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        path_ = (folder_ / "corn.gss").string();
        fs::remove(path_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void WriteFile(const std::string& text) const { std::ofstream(path_) << text; }
    std::string FileText() const {
        std::ostringstream text;
        text << std::ifstream(path_).rdbuf();
        return text.str();
    }
    // The collect of the criteria dialog: SearchAll follows the list.
    void Save(SettlementSearchObject* criteria) {
        hvx::search::WriteSearchSet(ui_, criteria, path_, [](SettlementSearchObject& c) {
            c.SearchAll = hvx::search::NoLocationChosen(c);
        });
    }
    std::string Shown() const { return ui_.messages.empty() ? "" : ui_.messages.back().text; }

    hvxtest::ScriptedUi ui_;
    fs::path folder_;
    std::string path_;
};

TEST_F(SearchSetFile, ANewFileHoldsTheTypeThenEveryCriterionInOrder) {
    SettlementSearchObject criteria;
    criteria.SearchString = "10244";
    criteria.SettlementType = hvx::search::kByDestination;
    Save(&criteria);
    std::string expected =
        "[Harvexa]\nType=Grain Search Set\n\n[Parameters]\nSearchString=10244\nCustRef=\nCustName=\n"
        "StartDate=\nEndDate=\nRestrictByCustomer=FALSE\nRestrictByDate=FALSE\n"
        "UseSettlementDate=TRUE\nSettlementType=2\nMatchAnywhere=FALSE\nSearchInReversed=FALSE\n"
        "SearchInPosted=FALSE\nSearchInClosed=FALSE\nSearchCaseSensitive=FALSE\n"
        "ExactMatchOnly=FALSE\n";
    for (const auto& location : hvx::search::SearchLocations())
        expected += std::string(location.key) + "=FALSE\n";
    expected += "SearchAll=TRUE\n";
    EXPECT_EQ(FileText(), expected);
    EXPECT_NE(expected.find("SearchPricedLatedSource=FALSE\nSearchPricedLaterDest="),
              std::string::npos);

    SettlementSearchObject back;
    back.SettlementType = hvx::search::kBySource;
    ASSERT_TRUE(hvx::search::ReadSearchSet(ui_, &back, path_));
    EXPECT_EQ(back.SearchString + "|" + std::to_string(back.SettlementType), "10244|2");
    EXPECT_TRUE(back.UseSettlementDate && back.SearchAll);
}

// Over an existing file: asked first; No writes nothing, Yes replaces the
// criteria key by key and keeps what else the file holds.
TEST_F(SearchSetFile, OverwritingAsksAndKeepsTheFilesOwnKeys) {
    const std::string before = "; kept by hand\n[Parameters]\nNote=daily run\nCustRef=OLD\n[Other]\nA=1\n";
    SettlementSearchObject criteria;
    criteria.CustRef = "ANDERSON";
    criteria.Locations[2] = true;
    for (const auto& [answer, changed] : {std::pair{MsgAnswer::No, false}, {MsgAnswer::Yes, true}}) {
        WriteFile(before);
        ui_.answers = {answer};
        Save(&criteria);
        EXPECT_EQ(Shown(), "This file already existed. Do you wish to overwrite it?");
        const std::string text = FileText();
        EXPECT_EQ(text == before, !changed);
        if (!changed) continue;
        for (const char* kept : {"; kept by hand\n", "Note=daily run\n", "[Other]\nA=1\n",
                                 "CustRef=ANDERSON\n", "SearchCustRef=TRUE\n", "SearchAll=FALSE\n"})
            EXPECT_NE(text.find(kept), std::string::npos) << kept;
    }
    ui_.answers = {MsgAnswer::Yes};
    Save(nullptr);
    EXPECT_EQ(Shown(), "No search object is currently defined.");
}

TEST_F(SearchSetFile, TheReaderTakesCapitalTFlagsAndRefusesOtherFiles) {
    struct Case {
        const char* name;
        const char* file;
        bool loaded;
        const char* restrictByDate;  // "1"/"0" as loaded, "-" when refused
        int type;
    };
    const Case cases[] = {
        {"True", "[Harvexa]\nType=Grain Search Set\n[Parameters]\nRestrictByDate=True\n", true, "1", 0},
        {"yes", "[Harvexa]\nType=Grain Search Set\n[Parameters]\nRestrictByDate=yes\n", true, "0", 0},
        {"true", "[Harvexa]\nType=Grain Search Set\n[Parameters]\nRestrictByDate=true\n", true, "0", 0},
        {"type 7 keeps the dialog's",
         "[Harvexa]\nType=Grain Search Set\n[Parameters]\nSettlementType=7\n", true, "0", 1},
        {"lower-case type", "[Harvexa]\nType=grain search set\n[Parameters]\nRestrictByDate=TRUE\n",
         false, "-", 1},
        {"no type line", "[Parameters]\nRestrictByDate=TRUE\n", false, "-", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.file);
        SettlementSearchObject criteria;
        criteria.SettlementType = hvx::search::kBySource;
        criteria.CustRef = "KEPT";
        ui_.messages.clear();
        EXPECT_EQ(hvx::search::ReadSearchSet(ui_, &criteria, path_), c.loaded);
        EXPECT_EQ(Shown(), c.loaded ? ""
                                    : "This is not a valid Harvexa Grain search set. Cannot load "
                                      "search set.");
        if (c.loaded) {
            EXPECT_EQ(criteria.RestrictByDate ? "1" : "0", std::string(c.restrictByDate));
        }
        EXPECT_EQ(criteria.CustRef, c.loaded ? "" : "KEPT");  // a missing key empties the text
        EXPECT_EQ(criteria.SettlementType, c.type);
    }
    WriteFile("[Harvexa]\nType=Grain Search Set\n[Parameters]\nSearchString=" +
              std::string(120, 'x') + "\n");
    SettlementSearchObject criteria;
    ASSERT_TRUE(hvx::search::ReadSearchSet(ui_, &criteria, path_));
    EXPECT_EQ(criteria.SearchString, std::string(99, 'x'));
    EXPECT_FALSE(hvx::search::ReadSearchSet(ui_, nullptr, path_));
    EXPECT_EQ(Shown(), "No search object is currently defined.");
}

}  // namespace
