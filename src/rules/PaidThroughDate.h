#pragma once
// The storage paid-through date of a new storage position, defaulted when a
// destination is chosen in a single-source settlement.
#include <string>
#include <string_view>

namespace hvx {

// Grain moved from a storage ticket to a storage ticket, or from CCC to CCC,
// keeps the date its storage is paid through (the source contract's
// PPAIDDATE), so no day is charged twice or lost. Any other new position has
// its storage paid through today. The date is in the window's form, eight
// digits "MMDDYYYY". When the source contract row is missing or its date is
// empty or unreadable the result is empty: there is no paid-through date to
// carry over, and the user enters one rather than losing the storage owed
// since the old date.
std::string PaidThroughDate(std::string_view sourceKind, std::string_view destination,
                            std::string_view sourceLink);

}  // namespace hvx
