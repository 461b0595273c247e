#pragma once
// Whether a settlement line is a match, and which of its cells made it one.
// The text is compared here, after the fetch, not by the database: the
// "Search Using" locations test different columns of the same line and the
// first location that matches decides what the clerk sees highlighted.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "search/SearchResults.h"
#include "search/SettlementSearchObject.h"

namespace hvx::search {

// A field against the search text: equal with "Exact Match Results Only",
// else containing it ("Match anywhere in field") or beginning with it.
// Letters compare without regard to case unless "Case Sensitive Search" is
// checked. An empty text is in every value, so it matches everything but a
// non-empty value under an exact match.
bool FieldMatches(std::string_view value, std::string_view text,
                  const SettlementSearchObject& criteria);

// The check of the line's settlement, read when the check-number location
// is tried: its number and amount, or nothing without a header.
struct HeaderCheck {
    std::string checkNum;
    std::string checkAmt;
};
using HeaderCheckReader = std::function<std::optional<HeaderCheck>(std::string_view settlement)>;

// What decided a match: the highlighted cell (none when every line is
// listed), and for a match on the check number that check.
struct LineMatch {
    int cell = kNoCell;
    std::optional<HeaderCheck> check;
};

// The locations in the list's order; the first that matches decides. The
// header is read only when the check-number location is reached.
std::optional<LineMatch> MatchLine(const SettlementSearchObject& criteria, const FetchedLine& line,
                                   const HeaderCheckReader& readCheck);

}  // namespace hvx::search
