#include "search/SettlementSearchRun.h"

#include <optional>
#include <random>
#include <span>
#include <vector>

#include "platform/Dates.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "search/SearchMatch.h"
#include "search/SearchStatement.h"

namespace hvx::search {

namespace {

// The settlement header of the lines being read. The lines of one
// settlement usually come together, so the last header read serves them all.
class HeaderReader {
public:
    HeaderReader() { ready_ = connection_.PrepareSQL(kHeaderSelect) == 0; }

    // The header's columns, or null when the settlement has none.
    const std::vector<std::string>* Read(std::string_view settlement) {
        if (!ready_) return nullptr;
        if (!read_ || settlement != settlement_) {
            read_ = true;
            settlement_ = settlement;
            found_ = false;
            connection_.BindParam(kHeaderSelect, settlement_);
            if (connection_.ExecuteSQL(kHeaderSelect) >= 0 && connection_.FetchNext(kHeaderSelect)) {
                found_ = true;
                columns_.clear();
                for (int n = 1; n <= kHeadCheckAmt + 1; ++n)
                    columns_.emplace_back(connection_.ColumnVar(kHeaderSelect, n));
                // The rest of a duplicate key is not wanted.
                while (connection_.FetchNext(kHeaderSelect)) {
                }
            }
        }
        return found_ ? &columns_ : nullptr;
    }

private:
    HVXConnection connection_;
    bool ready_ = false;
    bool read_ = false;
    bool found_ = false;
    std::string settlement_;
    std::vector<std::string> columns_;
};

// A day number for a date text, or nothing.
std::optional<long> Day(std::string_view text) {
    CivilDate date;
    if (!ParseDate(text, date)) return std::nullopt;
    return DaysFromCivil(date);
}

// The checks the database does not make: reversed and closed lines unless
// the clerk asked for them, and a range over the entry date, which only the
// header knows.
class LineFilter {
public:
    explicit LineFilter(const SettlementSearchObject& criteria) : criteria_(criteria) {
        byEntryDate_ = criteria.RestrictByDate && !criteria.UseSettlementDate;
        if (byEntryDate_) {
            first_ = Day(criteria.StartDate);
            last_ = Day(criteria.EndDate);
        }
    }

    bool Passes(const FetchedLine& line, HeaderReader& headers) const {
        if (!criteria_.SearchInReversed && line[kColReversed] == "T") return false;
        if (!criteria_.SearchInClosed && !line[kColStatus].starts_with('O')) return false;
        if (!byEntryDate_) return true;
        const std::vector<std::string>* header = headers.Read(line[kColSettlement]);
        const std::optional<long> entered = header ? Day((*header)[kHeadEntryDate]) : std::nullopt;
        if (!entered) return false;
        return (!first_ || *entered >= *first_) && (!last_ || *entered <= *last_);
    }

private:
    const SettlementSearchObject& criteria_;
    bool byEntryDate_ = false;
    std::optional<long> first_, last_;
};

// The columns a line is decided on, and those read only for a line that is
// listed: most lines of a search by text are passed over, and reading their
// date alone would cost as much as the decision.
constexpr int kDecisionColumns[] = {kColSettlement, kColCustRef, kColCustName, kColSource,
                                    kColSourceRef,  kColToDpr,   kColContract, kColStatus,
                                    kColReversed};
constexpr int kListedColumns[] = {kColSetDate, kColSType, kColCommodity,
                                  kColPosted,  kColUnits, kColRecno};

void ReadColumns(const HVXSConnection& lines, std::span<const int> columns, FetchedLine& line) {
    for (int column : columns) lines.ColumnView(column + 1, line[column]);
}

}  // namespace

std::string CriteriaProblem(const SettlementSearchObject& criteria) {
    if (!criteria.RestrictByDate) return {};
    for (const auto& [date, name] : {std::pair{&criteria.StartDate, "start"},
                                     std::pair{&criteria.EndDate, "end"}}) {
        if (!date->empty() && !Day(*date))
            return std::string("The ") + name + " date of the range, \"" + *date +
                   "\", is not a date.";
    }
    return {};
}

SearchRunResult RunSettlementSearch(SettlementSearchObject& criteria, SearchResults& results,
                                    SearchProgress& progress, const std::function<int()>& draw) {
    criteria.Cancelled = false;
    SearchRunResult run;
    run.error = CriteriaProblem(criteria);
    HVXSConnection lines;
    if (run.error.empty() && !lines.ExecLongRead(SearchStatement(criteria)))
        run.error = lines.LastError();
    if (!run.error.empty()) {
        run.ok = false;
        return run;
    }
    HeaderReader headers;
    const LineFilter filter(criteria);
    std::minstd_rand random(std::random_device{}());
    const auto nextCountdown = [&] { return (draw ? draw() : static_cast<int>(random())) % 20 + 25; };
    int countdown = nextCountdown();
    const HeaderCheckReader readCheck = [&](std::string_view settlement) -> std::optional<HeaderCheck> {
        const std::vector<std::string>* header = headers.Read(settlement);
        if (!header) return std::nullopt;
        return HeaderCheck{(*header)[kHeadCheckNum], (*header)[kHeadCheckAmt]};
    };

    FetchedLine line;
    while (lines.FetchNext()) {
        if (criteria.Cancelled) {
            run.cancelled = true;
            break;
        }
        ReadColumns(lines, kDecisionColumns, line);
        progress.LineRead();
        ++run.scanned;
        if (--countdown == 0) {
            countdown = nextCountdown();
            progress.Scanned(run.scanned);
        }
        if (!filter.Passes(line, headers)) continue;
        const std::optional<LineMatch> match = MatchLine(criteria, line, readCheck);
        if (!match) continue;
        ReadColumns(lines, kListedColumns, line);
        if (match->check)
            results.Append(line, match->cell, match->check->checkAmt, match->check->checkNum);
        else
            results.Append(line, match->cell);
        ++run.matched;
        progress.Matched(run.matched);
    }
    return run;
}

}  // namespace hvx::search
