#pragma once
// The days an activity export covers: --from and --to, both ends inclusive,
// either one open. Rows are kept by their own date column, which the
// database gives back as "MM/DD/YYYY".
#include <optional>
#include <string_view>

namespace hvx::exchange {

struct DateRange {
    std::optional<long> from, to;  // days since 1970-01-01

    bool Limited() const { return from || to; }
    // A row without a readable date belongs to no range: only an export
    // without --from and --to has it.
    bool Contains(std::string_view stored) const;
};

// The day of a date typed as "MM/DD/YYYY" or "YYYY-MM-DD"; none for any
// other text or a date that does not exist (02/30/2025).
std::optional<long> RangeDay(std::string_view typed);

}  // namespace hvx::exchange
