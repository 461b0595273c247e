#pragma once
// Optimistic change check: every write of a record raises its NUMCHANGE, so a
// window that kept the count it read can tell whether someone else wrote the
// record since.
#include <string_view>

namespace hvx {

// True when the record's NUMCHANGE now differs from the count read earlier.
// A record that no longer exists counts as unchanged (false): a deletion is
// found by the caller's own read, not here.
bool RecordChangedSince(std::string_view table, double recno, std::string_view changeCount);

}  // namespace hvx
