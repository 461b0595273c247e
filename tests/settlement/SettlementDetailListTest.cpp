// The lines of a settlement and the bookkeeping of its distinct sources:
// reference counts, current and saved units and dollars, deltas and commit.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settlement/SettlementDetailList.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::settlement::SettlementDetailItem;
using hvx::settlement::SettlementDetailList;
using hvx::settlement::SourceKey;

SettlementDetailItem Line(const std::string& dlLink, const std::string& ref,
                          const std::string& sourceLink, double units, double dollars) {
    SettlementDetailItem line;
    line.source = "Assembly";
    line.sourceRef = ref;
    line.sourceLink = sourceLink;
    line.dlLink = dlLink;
    line.unitsSet = units;
    line.totPrice = dollars;
    line.toDpr = "Priced";
    return line;
}

struct SourceState {
    SourceKey key;
    int count;
    bool removed;
    double currentUnits;
    double currentDollars;
};

TEST(SettlementDetailList, ReferenceCountsFollowLinesAddedAndRemoved) {
    const SourceKey a{"Assembly", "A-100", "L9"};
    const SourceKey b{"Assembly", "A-100", "L10"};  // same assembly, another split
    const struct {
        const char* step;
        std::vector<SettlementDetailItem> add;
        std::vector<std::string> remove;
        std::vector<SourceState> expected;
    } steps[] = {
        {"two lines on one source, one on another",
         {Line("1", "A-100", "L9", 100.00004, 250.004), Line("2", "A-100", "L9", 50.5, 120.10),
          Line("3", "A-100", "L10", 10, 20)},
         {},
         {{a, 2, false, 150.5, 370.10}, {b, 1, false, 10, 20}}},
        {"one of the two removed", {}, {"1"}, {{a, 1, false, 50.5, 120.10}, {b, 1, false, 10, 20}}},
        {"both removed: the source stays, removed", {}, {"2"},
         {{a, 0, true, 0, 0}, {b, 1, false, 10, 20}}},
        {"a removed source is taken up again, not listed twice",
         {Line("4", "A-100", "L9", 7.25, 9.99)}, {},
         {{a, 1, false, 7.25, 9.99}, {b, 1, false, 10, 20}}},
    };
    SettlementDetailList list;
    hvxtest::ScriptedUi ui;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        for (const auto& line : step.add) list.AddLine(line);
        for (const auto& link : step.remove) list.RemoveLine(link, ui);
        ASSERT_EQ(list.UniqueSources().size(), step.expected.size());
        auto source = list.UniqueSources().begin();
        for (const SourceState& want : step.expected) {
            EXPECT_EQ(source->Key(), want.key);
            EXPECT_EQ(source->count, want.count);
            EXPECT_EQ(source->removed, want.removed);
            EXPECT_DOUBLE_EQ(source->currentUnits, want.currentUnits);
            EXPECT_DOUBLE_EQ(source->currentDollars, want.currentDollars);
            ++source;
        }
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(list.Changed());
}

TEST(SettlementDetailList, RemovingALineWithoutItsSourceIsReportedAndStillRemoves) {
    SettlementDetailList list;
    hvxtest::ScriptedUi ui;
    list.AddLine(Line("41", "A-1", "L1", 5, 5));
    list.AddLine(Line("42", "A-1", "L1", 6, 6));
    list.ClearSources();
    list.RemoveLine("41", ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Unique source list has no entry for link 41.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");
    EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Items().front().dlLink, "42");
}

TEST(SettlementDetailList, LoadedLinesAreSavedAndOnlyChangesMakeDeltas) {
    SettlementDetailList list;
    hvxtest::ScriptedUi ui;
    list.SetLoading(true);
    // Each addend is rounded before it is summed: 10.1235 + 5.0001, 100.01 + 0.13.
    list.AddLine(Line("1", "A-1", "L1", 10.12345, 100.005));
    list.AddLine(Line("2", "A-1", "L1", 5.00005, 0.125));
    list.SetLoading(false);
    auto& source = list.UniqueSources().front();
    using Step = std::function<void()>;
    const struct {
        const char* step;
        Step action;
        double savedUnits, currentUnits, savedDollars, currentDollars, unitDelta, dollarDelta;
    } expected[] = {
        {"as loaded", [] {}, 15.1236, 15.1236, 100.14, 100.14, 0, 0},
        {"a line removed", [&] { list.RemoveLine("2", ui); }, 15.1236, 10.1235, 100.14, 100.01,
         -5.0001, -0.13},
        {"a line added", [&] { list.AddLine(Line("3", "A-1", "L1", 2.33333, 3.335)); }, 15.1236,
         12.4568, 100.14, 103.35, -2.6668, 3.21},
        {"committed: current starts again from 0", [&] { list.CommitSources(); }, 12.4568, 0,
         103.35, 0, -12.4568, -103.35},
        {"current rebuilt from the lines", [&] { list.RebuildCurrentValues(); }, 12.4568, 12.4568,
         103.35, 103.35, 0, 0},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.step);
        e.action();
        EXPECT_DOUBLE_EQ(source.SavedUnitsRounded(), e.savedUnits);
        EXPECT_DOUBLE_EQ(source.CurrentUnitsRounded(), e.currentUnits);
        EXPECT_DOUBLE_EQ(source.savedDollars, e.savedDollars);
        EXPECT_DOUBLE_EQ(source.currentDollars, e.currentDollars);
        EXPECT_DOUBLE_EQ(source.UnitDelta(), e.unitDelta);
        EXPECT_DOUBLE_EQ(source.DollarDelta(), e.dollarDelta);
    }
}

TEST(SettlementDetailList, TotalsRoundEachAddendOnlyWhenAskedTo) {
    SettlementDetailList list;
    list.AddLine(Line("1", "A-1", "L1", 1.00004, 0.005));
    list.AddLine(Line("2", "A-1", "L1", 1.00004, 0.005));
    EXPECT_DOUBLE_EQ(list.TotalUnits(), 2.00008);
    EXPECT_DOUBLE_EQ(list.TotalDollars(), 0.01);
    EXPECT_DOUBLE_EQ(list.Totals().units, 2.0);
    EXPECT_DOUBLE_EQ(list.Totals().dollars, 0.02);
    EXPECT_EQ(list.FindActiveSource({"Assembly", "A-1", "l1"}), nullptr);  // exact text
}

}  // namespace
