#pragma once
// The criteria of the settlement search, as the criteria dialog edits them,
// the search runs with them and a search set file keeps them.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace hvx::search {

// The "Search Using" list: where the search text is looked for, in display
// order, with the key a search set file keeps each choice under.
struct SearchLocation {
    std::string_view entry;
    std::string_view key;
};
inline constexpr std::size_t kSearchLocationCount = 23;
const std::array<SearchLocation, kSearchLocationCount>& SearchLocations();

// "Include All Settlements", "Only Settled By Source", "Only Settled By Destination".
enum SettlementTypeChoice { kAllSettlements = 0, kBySource = 1, kByDestination = 2 };

struct SettlementSearchObject {
    std::string SearchString;  // up to 80 characters
    std::string CustRef;       // up to 80
    std::string CustName;      // up to 35; shown only, the restriction uses CustRef
    std::string StartDate;     // dates as entered
    std::string EndDate;
    bool RestrictByCustomer = false;
    bool RestrictByDate = false;
    bool UseSettlementDate = true;  // "Settlement Date" rather than "Entry Date"
    int SettlementType = kAllSettlements;
    bool MatchAnywhere = false;
    bool SearchInReversed = false;
    bool SearchInPosted = false;
    bool SearchInClosed = false;
    bool SearchCaseSensitive = false;
    bool ExactMatchOnly = false;
    std::array<bool, kSearchLocationCount> Locations{};  // in the list's order
    // No location chosen: every row the database filter passes is listed.
    bool SearchAll = true;
    // Not a criterion: set to stop a running search at its next line.
    bool Cancelled = false;
};

// What collecting the criteria sets SearchAll to: true when no location is chosen.
bool NoLocationChosen(const SettlementSearchObject& criteria);

}  // namespace hvx::search
