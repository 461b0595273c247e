#include "windows/search/SettlementSearchFrame.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "search/SearchResultsCsv.h"

namespace hvx {

using search::SearchResults;

namespace {

constexpr auto kAnimationStep = std::chrono::milliseconds(500);
// Letting the window's events through after each of a million lines would
// cost more than reading them; every 20 ms keeps it responsive just the same.
constexpr auto kPumpInterval = std::chrono::milliseconds(20);

std::string Counted(const char* format, long count) { return _HVXsprintf(format, count); }

}  // namespace

SettlementSearchFrame::SettlementSearchFrame(UiPort& ui, SearchFramePort& port,
                                             std::shared_ptr<search::SettlementSearchObject> criteria)
    : ui_(ui), port_(port), criteria_(std::move(criteria)) {}

std::string SettlementSearchFrame::MatchesLine() const {
    if (!problem_.empty()) return "The search could not be run: " + problem_;
    return Counted("%ld settlement entry matches found.", matched_);
}

void SettlementSearchFrame::Run() {
    if (running_) return;
    running_ = true;
    title_ = "Searching Settlements...";
    matched_ = 0;
    scanned_.clear();
    problem_.clear();
    lastStep_ = Clock::now();
    // The first line read shows the run and lets the window's events
    // through; a "&Cancel" clicked then counts, as the run has started.
    lastPump_ = Clock::time_point{};
    const search::SearchRunResult run = search::RunSettlementSearch(*criteria_, results_, *this);
    running_ = false;
    title_ = "Settlement Search Results";
    matched_ = static_cast<long>(results_.Size());
    // A search that cannot start says why in the header strip rather than in
    // a message box: the window is still opening, and a modal box there
    // would hold up whatever else is opening or closing windows.
    if (run.ok)
        scanned_ = Counted("%ld records scanned", run.scanned);
    else
        problem_ = run.error;
    port_.Pump();
}

bool SettlementSearchFrame::Close() {
    if (!running_) return true;
    criteria_->Cancelled = true;
    return false;
}

void SettlementSearchFrame::View(std::optional<std::size_t> row) {
    if (!row || *row >= results_.Size()) return;
    const std::string settlement = results_.Cell(*row, search::kCellSettlement);
    HVXSConnection connection;
    LiteralStatements sql(connection);
    std::string stype;
    if (!sql.Value({"SELECT STYPE FROM HVXGR04 WHERE SETTLEMENT='%s'"}, {settlement}, stype))
        return;
    if (stype == "1")
        port_.OpenDestSettlement(settlement);
    else
        port_.OpenSourceSettlement(settlement);
}

void SettlementSearchFrame::SettleBySource(std::optional<std::size_t> row) {
    if (!row || *row >= results_.Size()) return ShowMessage(ui_, kMsgNoEntrySelected);
    if (results_.Cell(*row, search::kCellToDpr) == "Priced")
        return ShowMessage(ui_, kMsgCannotSettlePriced);
    if (results_.Cell(*row, search::kCellStatus) != "O")
        return ShowMessage(ui_, kMsgSettleNeedsOpen);
    port_.OpenSourceSettlement("#" + results_.Cell(*row, search::kCellLink));
}

void SettlementSearchFrame::SettleByDestination() { ShowMessage(ui_, kMsgSettleByDestUnavailable); }

void SettlementSearchFrame::Research() {
    if (running_) return;
    bool clearPrevious = false;
    if (!port_.RunCriteria(*criteria_, clearPrevious)) return;
    if (clearPrevious) {
        results_.Clear();
        port_.RowsReset();
    }
    Run();
}

void SettlementSearchFrame::ViewBy(int) {
    // Every view starts from an empty list; the header view is the only one
    // a search fills, with the same columns.
    if (running_) return;
    results_.Clear();
    matched_ = 0;
    port_.RowsReset();
}

void SettlementSearchFrame::Export() {
    const std::string path =
        ui_.SaveFileName("Export Search Results", "Comma Separated Values (*.csv)|*.csv|", ".");
    if (path.empty()) return;
    std::string error;
    if (!search::WriteResultsCsv(results_, path, error))
        ShowMessage(ui_, "The search results could not be written to " + path + ".\n" + error);
}

void SettlementSearchFrame::Sort(int cell, bool ascending) {
    if (running_) return;
    results_.SortBy(cell, ascending);
    port_.RowsReset();
}

void SettlementSearchFrame::Animate(Clock::time_point now) {
    if (now < lastStep_) lastStep_ = now;
    if (now - lastStep_ < kAnimationStep) return;
    lastStep_ = now;
    picture_ = (picture_ + 1) % 4;
}

void SettlementSearchFrame::LineRead() {
    const Clock::time_point now = Clock::now();
    Animate(now);
    if (now - lastPump_ < kPumpInterval && now >= lastPump_) return;
    lastPump_ = now;
    port_.Pump();
}

void SettlementSearchFrame::Scanned(long scanned) {
    scanned_ = Counted("%ld records scanned", scanned);
}

void SettlementSearchFrame::Matched(long matched) { matched_ = matched; }

}  // namespace hvx
