#pragma once
// The "Settlement Search Results" window: the rows a search listed, the
// header strip that follows a run (title, matches line, scanned count, the
// searching picture), and its commands: view, settle, research, close or
// cancel, "View By", export and sorting.
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "search/SearchResults.h"
#include "search/SettlementSearchObject.h"
#include "search/SettlementSearchRun.h"

namespace hvx {

class UiPort;

// What the window reaches outside itself.
class SearchFramePort {
public:
    virtual ~SearchFramePort() = default;
    // The settlement windows, opened with a settlement number or "#" and a line's link.
    virtual void OpenSourceSettlement(const std::string& key) = 0;
    virtual void OpenDestSettlement(const std::string& key) = 0;
    // The criteria dialog on the same criteria, as a repeat search: false on
    // Cancel; clearPrevious is the answer to its clear question.
    virtual bool RunCriteria(search::SettlementSearchObject& criteria, bool& clearPrevious) = 0;
    // Lets the window process its waiting events and show what changed.
    virtual void Pump() = 0;
    // The rows were emptied (a research that clears, "View By").
    virtual void RowsReset() = 0;
};

inline constexpr const char* kMsgNoEntrySelected = "No settlement entry has been selected.";
inline constexpr const char* kMsgCannotSettlePriced =
    "Cannot settle an entry with a To DPR of Priced.";
inline constexpr const char* kMsgSettleNeedsOpen =
    "Settlement entry requires an 'Open' status to settle.";
inline constexpr const char* kMsgSettleByDestUnavailable =
    "Settle by destination option is currently unavailable.";

class SettlementSearchFrame final : private search::SearchProgress {
public:
    using Clock = std::chrono::steady_clock;

    SettlementSearchFrame(UiPort& ui, SearchFramePort& port,
                          std::shared_ptr<search::SettlementSearchObject> criteria);

    const search::SearchResults& Results() const { return results_; }

    // The header strip and the buttons.
    const std::string& Title() const { return title_; }
    // The matches, or why the search could not be run.
    std::string MatchesLine() const;
    const std::string& ScannedText() const { return scanned_; }
    const char* CloseText() const { return running_ ? "&Cancel" : "&Close"; }
    bool Running() const { return running_; }
    bool ResearchEnabled() const { return !running_; }
    int Picture() const { return picture_; }  // 0 to 3: "SRCHBMP1" to "SRCHBMP4"

    // Runs the search with the criteria, appending to the rows.
    void Run();
    // "&Close": during a run it cancels the run and the window stays; true
    // when the window may close.
    bool Close();
    void View(std::optional<std::size_t> row);
    void SettleBySource(std::optional<std::size_t> row);
    void SettleByDestination();
    // "&Research", "Research Settlements...", "R&esearch": nothing during a run.
    void Research();
    // "View By": 0 "Settlement Header", 1 "Settlement Detail", 2 "Settlement Links".
    void ViewBy(int choice);
    // "Export…": the rows shown, to a CSV file the clerk chooses.
    void Export();
    // A heading clicked: the rows ordered by that cell (not during a run).
    void Sort(int cell, bool ascending);

    // The searching picture moves on at most once per 500 ms of the clock;
    // a clock that went back starts the measure again.
    void Animate(Clock::time_point now);

private:
    void LineRead() override;
    void Scanned(long scanned) override;
    void Matched(long matched) override;

    UiPort& ui_;
    SearchFramePort& port_;
    std::shared_ptr<search::SettlementSearchObject> criteria_;
    search::SearchResults results_;
    bool running_ = false;
    std::string title_ = "Settlement Search Results";
    std::string scanned_;
    long matched_ = 0;  // the matches line's number
    std::string problem_;  // why the last run could not start
    int picture_ = 0;
    Clock::time_point lastStep_{};
    Clock::time_point lastPump_{};
};

}  // namespace hvx
