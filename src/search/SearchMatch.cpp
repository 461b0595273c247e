#include "search/SearchMatch.h"

#include <algorithm>
#include <array>

#include "search/SearchStatement.h"

namespace hvx::search {

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameChar(char a, char b, bool caseSensitive) {
    return caseSensitive ? a == b : Fold(a) == Fold(b);
}

// Where a location looks: the first three and the check number compare a
// field of their own; the others need the line's source or destination to be
// their category, then compare its reference.
enum class Place { Settlement, CustName, CustRef, CheckNum, Source, Destination, Unused };

struct LocationRule {
    Place place;
    std::string_view category;
};

// In the order of SearchLocations(). The destinations of the categories that
// a settlement never settles into take no part in the search.
constexpr std::array<LocationRule, kSearchLocationCount> kRules{{
    {Place::Settlement, {}},
    {Place::CustName, {}},
    {Place::CustRef, {}},
    {Place::CheckNum, {}},
    {Place::Source, "Assembly"},
    {Place::Source, "Storage Ticket"},
    {Place::Destination, "Storage Ticket"},
    {Place::Source, "Priced Later"},
    {Place::Destination, "Priced Later"},
    {Place::Source, "Installment Sale"},
    {Place::Destination, "Installment Sale"},
    {Place::Source, "Basis Fixed"},
    {Place::Destination, "Basis Fixed"},
    {Place::Source, "Futures Fixed"},
    {Place::Unused, {}},
    {Place::Source, "Hedged-to-Arrive"},
    {Place::Unused, {}},
    {Place::Source, "Minimum Priced"},
    {Place::Unused, {}},
    {Place::Source, "Grain Bank"},
    {Place::Unused, {}},
    {Place::Source, "CCC"},
    {Place::Unused, {}},
}};

// A category line: the category alone with no text, else its reference.
std::optional<LineMatch> CategoryMatch(const SettlementSearchObject& criteria,
                                       std::string_view actual, std::string_view category,
                                       int categoryCell, std::string_view reference,
                                       int referenceCell) {
    if (actual != category) return std::nullopt;
    if (criteria.SearchString.empty()) return LineMatch{categoryCell, std::nullopt};
    if (FieldMatches(reference, criteria.SearchString, criteria))
        return LineMatch{referenceCell, std::nullopt};
    return std::nullopt;
}

}  // namespace

bool FieldMatches(std::string_view value, std::string_view text,
                  const SettlementSearchObject& criteria) {
    const bool cs = criteria.SearchCaseSensitive;
    auto same = [cs](char a, char b) { return SameChar(a, b, cs); };
    if (criteria.ExactMatchOnly) return std::ranges::equal(value, text, same);
    if (criteria.MatchAnywhere) return !std::ranges::search(value, text, same).empty() ||
                                       text.empty();
    return value.size() >= text.size() && std::ranges::equal(value.substr(0, text.size()), text, same);
}

std::optional<LineMatch> MatchLine(const SettlementSearchObject& criteria, const FetchedLine& line,
                                   const HeaderCheckReader& readCheck) {
    if (criteria.SearchAll) return LineMatch{};
    const std::string& text = criteria.SearchString;
    for (std::size_t i = 0; i < kSearchLocationCount; ++i) {
        if (!criteria.Locations[i]) continue;
        const LocationRule& rule = kRules[i];
        std::optional<LineMatch> match;
        switch (rule.place) {
            case Place::Settlement:
            case Place::CustName:
            case Place::CustRef: {
                const int column = rule.place == Place::Settlement ? kColSettlement
                                   : rule.place == Place::CustName ? kColCustName
                                                                   : kColCustRef;
                if (FieldMatches(line[column], text, criteria))
                    match = LineMatch{CellOfColumn(column), std::nullopt};
                break;
            }
            case Place::CheckNum: {
                std::optional<HeaderCheck> check = readCheck(line[kColSettlement]);
                if (check && FieldMatches(check->checkNum, text, criteria))
                    match = LineMatch{kCellCheckNum, std::move(check)};
                break;
            }
            case Place::Source:
                match = CategoryMatch(criteria, line[kColSource], rule.category, kCellSource,
                                      line[kColSourceRef], kCellSourceRef);
                break;
            case Place::Destination:
                match = CategoryMatch(criteria, line[kColToDpr], rule.category, kCellToDpr,
                                      line[kColContract], kCellContract);
                break;
            case Place::Unused:
                break;
        }
        if (match) return match;
    }
    return std::nullopt;
}

}  // namespace hvx::search
