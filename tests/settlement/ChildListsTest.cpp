// The in-memory operations of the settlement's lists: the 14-character rule
// of grade factors, grade accumulation, advance totals, pay-name rows, and
// the lines with the bookkeeping of their distinct sources (reference counts,
// current and saved units and dollars, deltas and commit).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settlement/SettlementDeductionList.h"
#include "settlement/SettlementDetailList.h"
#include "settlement/SettlementGradeList.h"
#include "settlement/SettlementPayNameList.h"
#include "support/ScriptedUi.h"

namespace {

using namespace hvx::settlement;
using Texts = std::vector<std::string>;

TEST(SettlementGradeList, ValuesKeepFourteenCharactersAndLongOnesAreShownFirst) {
    const struct {
        const char* what;
        std::string gradFact, result, link;
        SettlementGradeNode stored;
        std::vector<std::pair<std::string, std::string>> shown;  // caption, text
    } cases[] = {
        {"fourteen pass as they are", "MOISTURE-LEVEL", "12.34567890123", "12345678901234",
         {"MOISTURE-LEVEL", "12.34567890123", "12345678901234"}, {}},
        // The result's fifteen characters are cut without a word.
        {"sixteen are shown, then cut", "FOREIGN MATERIAL", "12.345678901234", "L1",
         {"FOREIGN MATERI", "12.34567890123", "L1"}, {{"Grade Factor", "FOREIGN MATERIAL"}}},
        {"every long value in order", "FOREIGN MATERIAL", "1234567890.1234567", "1234567890123456",
         {"FOREIGN MATERI", "1234567890.123", "12345678901234"},
         {{"Grade Factor", "FOREIGN MATERIAL"},
          {"Result", "1234567890.1234567"},
          {"Key", "1234567890123456"}}},
        {"characters, not bytes", "Feuchtigkeit äöüß", "1", "L1",
         {"Feuchtigkeit ä", "1", "L1"},
         {{"Grade Factor", "Feuchtigkeit äöüß"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hvxtest::ScriptedUi ui;
        // The box only informs: even a Cancel keeps the cut value in the list.
        ui.answers = {hvx::MsgAnswer::Cancel, hvx::MsgAnswer::Cancel, hvx::MsgAnswer::Cancel};
        SettlementGradeList list;
        list.Add(c.gradFact, c.result, c.link, ui);
        ASSERT_EQ(list.Nodes().size(), 1u);
        EXPECT_EQ(list.Nodes()[0], c.stored);
        ASSERT_EQ(ui.messages.size(), c.shown.size());
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            EXPECT_EQ(ui.messages[i].caption, c.shown[i].first);
            EXPECT_EQ(ui.messages[i].text, c.shown[i].second);
            EXPECT_EQ(ui.messages[i].buttons, hvx::MsgButtons::Ok);
        }
    }
}

TEST(SettlementGradeList, AccumulationIsTheUnitsWeightedMean) {
    hvxtest::ScriptedUi ui;
    SettlementGradeList list;
    list.Add("MOIST", "", "L1", ui);
    list.Add("MOIST", "9.0", "L2", ui);
    const struct {
        const char *link, *result;
        double units;
        const char* expected;
        double unitsAfter;
    } steps[] = {
        {"L1", "12.0", 100, "12.000", 100},
        {"L1", "14.0", 300, "13.500", 400},
        {"L1", "99", 0, "13.500", 400},   // no units: unchanged
        {"L1", "", 50, "13.500", 400},    // no result: unchanged
        {"L1", "11.5", 100, "13.100", 500},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(list.Accumulate(s.link, "MOIST", s.result, s.units));
        EXPECT_EQ(list.Find("L1", "MOIST")->result, s.expected) << s.result << " x " << s.units;
        EXPECT_DOUBLE_EQ(list.Find("L1", "MOIST")->units, s.unitsAfter);
    }
    EXPECT_EQ(list.Find("L2", "MOIST")->result, "9.0");
    EXPECT_FALSE(list.Accumulate("L1", "TESTWT", "56", 10));
    list.ResetUnits("L1");
    EXPECT_TRUE(list.Accumulate("L1", "MOIST", "10", 50));
    EXPECT_EQ(list.Find("L1", "MOIST")->result, "10.000");
    list.ResetUnits(std::nullopt);
    EXPECT_EQ(list.Find("L1", "MOIST")->units, 0);
}

TEST(SettlementDeductionList, AdvanceTotalsAndHandOff) {
    SettlementDeductionList list;
    list.Add("ADV", "100.00", "A", "T", "L1", "A-1", "Assembly");
    list.Add("ADV", "30.25", "D", "T", "L1", "A-1", "Assembly");
    list.Add("ADV", "5.00", "D", "T", "L2", "A-2", "Assembly");
    list.Add("STOR", "7.00", "D", "F", "L1", "A-1", "Assembly");
    list.Add("ADV", "2.00", "D", "T", "L1", "A-1", "Scale Ticket");
    EXPECT_DOUBLE_EQ(list.AdvanceTotal("Assembly", "A-1"), 69.75);
    EXPECT_DOUBLE_EQ(list.AdvanceTotal("Assembly", "A-2"), -5);
    EXPECT_DOUBLE_EQ(list.AssemblyTotal("A-1"), 139.25);

    std::vector<std::pair<std::string, double>> handed;
    const auto take = [&](const SettlementDeductionNode& n, double amount) {
        handed.emplace_back(n.dlLink, amount);
    };
    list.HandAdvances(std::nullopt, take);
    EXPECT_EQ(handed, (std::vector<std::pair<std::string, double>>{
                          {"L1", 100}, {"L1", -30.25}, {"L2", -5}, {"L1", -2}}));
    handed.clear();
    list.HandAdvances("L2", take);
    EXPECT_EQ(handed, (std::vector<std::pair<std::string, double>>{{"L2", -5}}));

    list.RemoveLink("L1");
    ASSERT_EQ(list.Nodes().size(), 1u);
    EXPECT_TRUE(list.HasData());  // the stored rows of the removed line must still go
    list.Clear();
    EXPECT_FALSE(list.HasData());
}

TEST(SettlementPayNameList, ListRowsNameTheKind) {
    SettlementPayNameList list;
    list.Add("Jane Farmer", false);
    list.Add("First Bank of O'Neill", true);
    list.Add(std::string(60, 'x'), false);
    EXPECT_EQ(list.ListRows(), (Texts{"Jane Farmer\tPayee", "First Bank of O'Neill\tMortgagee",
                                      std::string(49, 'x') + "\tPayee"}));
}

SettlementDetailItem Line(const std::string& dlLink, const std::string& sourceLink, double units,
                          double dollars) {
    SettlementDetailItem line;
    line.source = "Assembly", line.sourceRef = "A-1", line.sourceLink = sourceLink;
    line.dlLink = dlLink, line.unitsSet = units, line.totPrice = dollars, line.toDpr = "Priced";
    return line;
}

TEST(SettlementDetailList, SourcesCountTheirLinesAndOnlyChangesSinceTheLoadMakeDeltas) {
    SettlementDetailList list;
    hvxtest::ScriptedUi ui;
    list.SetLoading(true);
    // Each addend is rounded before it is summed: 10.1235 + 5.0001, 100.01 + 0.13.
    list.AddLine(Line("1", "L1", 10.12345, 100.005));
    list.AddLine(Line("2", "L1", 5.00005, 0.125));
    list.SetLoading(false);
    list.AddLine(Line("9", "L2", 10, 20));  // same assembly, another split
    auto& source = list.UniqueSources().front();
    const struct {
        const char* step;
        std::function<void()> action;
        int count;
        bool removed;
        double savedUnits, currentUnits, savedDollars, currentDollars, unitDelta, dollarDelta;
    } steps[] = {
        {"as loaded", [] {}, 2, false, 15.1236, 15.1236, 100.14, 100.14, 0, 0},
        {"a line removed", [&] { list.RemoveLine("2", ui); }, 1, false, 15.1236, 10.1235, 100.14,
         100.01, -5.0001, -0.13},
        {"a line added", [&] { list.AddLine(Line("3", "L1", 2.33333, 3.335)); }, 2, false,
         15.1236, 12.4568, 100.14, 103.35, -2.6668, 3.21},
        {"every line removed: the source stays, removed, at exactly 0",
         [&] {
             list.RemoveLine("1", ui);
             list.RemoveLine("3", ui);
         },
         0, true, 15.1236, 0, 100.14, 0, -15.1236, -100.14},
        {"taken up again, not listed twice", [&] { list.AddLine(Line("4", "L1", 7.25, 9.99)); },
         1, false, 15.1236, 7.25, 100.14, 9.99, -7.8736, -90.15},
        {"committed: current starts again from 0", [&] { list.CommitSources(); }, 1, false, 7.25,
         0, 9.99, 0, -7.25, -9.99},
        {"current rebuilt from the lines", [&] { list.RebuildCurrentValues(); }, 1, false, 7.25,
         7.25, 9.99, 9.99, 0, 0},
    };
    for (const auto& e : steps) {
        SCOPED_TRACE(e.step);
        e.action();
        EXPECT_EQ(source.count, e.count);
        EXPECT_EQ(source.removed, e.removed);
        EXPECT_DOUBLE_EQ(source.SavedUnitsRounded(), e.savedUnits);
        EXPECT_DOUBLE_EQ(source.CurrentUnitsRounded(), e.currentUnits);
        EXPECT_DOUBLE_EQ(source.savedDollars, e.savedDollars);
        EXPECT_DOUBLE_EQ(source.currentDollars, e.currentDollars);
        EXPECT_DOUBLE_EQ(source.UnitDelta(), e.unitDelta);
        EXPECT_DOUBLE_EQ(source.DollarDelta(), e.dollarDelta);
    }
    ASSERT_EQ(list.UniqueSources().size(), 2u);
    EXPECT_EQ(list.UniqueSources().back().Key(), (SourceKey{"Assembly", "A-1", "L2"}));
    EXPECT_DOUBLE_EQ(list.UniqueSources().back().currentUnits, 10);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(list.Changed());
}

TEST(SettlementDetailList, RemovingALineWithoutItsSourceIsReportedAndStillRemoves) {
    SettlementDetailList list;
    hvxtest::ScriptedUi ui;
    list.AddLine(Line("41", "L1", 5, 5));
    list.AddLine(Line("42", "L1", 6, 6));
    list.ClearSources();
    list.RemoveLine("41", ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Unique source list has no entry for link 41.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");
    EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Items().front().dlLink, "42");
}

TEST(SettlementDetailList, TotalsRoundEachAddendOnlyWhenAskedTo) {
    SettlementDetailList list;
    list.AddLine(Line("1", "L1", 1.00004, 0.005));
    list.AddLine(Line("2", "L1", 1.00004, 0.005));
    EXPECT_DOUBLE_EQ(list.TotalUnits(), 2.00008);
    EXPECT_DOUBLE_EQ(list.TotalDollars(), 0.01);
    EXPECT_DOUBLE_EQ(list.Totals().units, 2.0);
    EXPECT_DOUBLE_EQ(list.Totals().dollars, 0.02);
    EXPECT_EQ(list.FindActiveSource({"Assembly", "A-1", "l1"}), nullptr);  // exact text
}

}  // namespace
