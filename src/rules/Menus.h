#pragma once
// The menus from which a settlement window picks its destinations or sources.
//
// A single-source settlement offers destinations by its source kind; a
// multiple-source settlement offers source kinds by its one destination.
// Both menus end with a separator and "<&Finish Settlement>".
#include <string_view>
#include <vector>

namespace hvx {

inline constexpr std::string_view kFinishSettlementLabel = "<&Finish Settlement>";

struct MenuEntry {
    enum class Kind { Choice, Separator, Finish };
    Kind kind;
    std::string_view label;  // with its "&" accelerator; empty for the separator
    std::string_view value;  // the category or source kind chosen; empty unless a choice
    bool operator==(const MenuEntry&) const = default;
};

// The destination categories a source kind may feed in a single-source
// settlement, in menu order; none for a text that is no source kind there.
std::vector<std::string_view> DestinationsFor(std::string_view sourceKind);

// The source kinds offered for a destination of a multiple-source settlement,
// in menu order. With settByTicket (the SETTBYTICK switch, read by the caller
// with hvx::SettByTicket()) "Scale Ticket" takes the place of "Assembly".
std::vector<std::string_view> SourcesFor(std::string_view destination, bool settByTicket);

std::vector<MenuEntry> DestinationMenu(std::string_view sourceKind);
std::vector<MenuEntry> SourceMenu(std::string_view destination, bool settByTicket);

}  // namespace hvx
