#pragma once
// The run of a settlement search: the settlement lines the database passes,
// read one at a time, each decided in the module and listed when it
// matches. The window stays alive meanwhile: the progress callbacks let it
// process its events between lines, and the criteria's cancel flag, read
// at the top of every line, stops the run at the next line.
#include <functional>
#include <string>

#include "search/SearchResults.h"
#include "search/SettlementSearchObject.h"

namespace hvx::search {

class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    // After every line read, before it is decided.
    virtual void LineRead() = 0;
    // The lines read so far, every 25 to 44 lines.
    virtual void Scanned(long scanned) = 0;
    // After a row was appended: the matches of this run so far.
    virtual void Matched(long matched) = 0;
};

struct SearchRunResult {
    bool ok = true;          // false: the search could not start (error says why)
    bool cancelled = false;  // stopped by the cancel flag
    long scanned = 0;
    long matched = 0;
    std::string error;
};

// Runs the search and appends the matching rows to results. The number
// that draws the interval between scanned-count updates is given, so that a
// test can know when they come.
SearchRunResult RunSettlementSearch(SettlementSearchObject& criteria, SearchResults& results,
                                    SearchProgress& progress,
                                    const std::function<int()>& draw = {});

// The reason the criteria cannot run (a date of the range that is no
// date), or an empty text.
std::string CriteriaProblem(const SettlementSearchObject& criteria);

}  // namespace hvx::search
