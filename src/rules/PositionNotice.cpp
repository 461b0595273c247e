#include "rules/PositionNotice.h"

#include "platform/Format.h"

namespace hvx {

std::string PositionKey(std::string_view location, std::string_view commodity) {
    return _HVXsprintf("%-3s%s", location, commodity);
}

void NotifyPositionChanged(HostWindow, long change, std::string_view location,
                           std::string_view commodity) {
    // Without a host (a tool or a test running the rules alone) no window can
    // show the position, so there is no one to tell: the notice is skipped
    // and the write stands.
    HostPort* host = CurrentHostPort();
    if (!host) return;
    const std::string key = PositionKey(location, commodity);
    host->BroadcastToDocuments(kMsgPositionChanged, change, key.c_str());
}

}  // namespace hvx
