#pragma once
// The change notice sent after a commodity position row (HVXGR51A) is written:
// message 14001 to every document window of the host frame, so windows that
// show positions refresh.
#include <string>
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {

// First parameter of the notice: the row was updated, or inserted.
inline constexpr long kPositionRowUpdated = 8209;
inline constexpr long kPositionRowInserted = 8210;

// The key of a position row in notices: the location left-justified in three
// characters, then the commodity ("%-3s%s").
std::string PositionKey(std::string_view location, std::string_view commodity);

// Broadcasts the notice with the position key as its second parameter.
// `window` is the module window that caused the change; the notice goes to the
// host frame's document windows through the host port.
void NotifyPositionChanged(HostWindow window, long change, std::string_view location,
                           std::string_view commodity);

}  // namespace hvx
