#pragma once
// The kinds of what settlements produce that harvexa-admin exports as CSV:
// settlement lines, the position journal, receivable entries, advances with
// their repayments and the check register. They are only read, never
// imported; each keeps the rows whose own date lies in the range.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "settlement/exchange/DateRange.h"

namespace hvx::exchange {

struct ActivityKind {
    const char* name;  // as typed on the command line
    // Writes the heading row and the rows in range; nothing at all when the
    // rows cannot be read (false with the engine's reason).
    bool (*write)(const DateRange& range, std::ostream& out, std::string& error);
};

const std::vector<ActivityKind>& ActivityKinds();
const ActivityKind* FindActivityKind(std::string_view name);
// "settlements, position-journal, …" for messages.
std::string ActivityKindNames();

}  // namespace hvx::exchange
