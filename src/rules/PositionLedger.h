#pragma once
// The commodity position record HVXGR51A: one row per commodity (REFERENCE)
// and LOCATION, with the units received and shipped today, this month and
// this year and the company-owned units, all stored as "%.4f" text.
//
// Every operation runs on the caller's simple connection inside the caller's
// transaction, shows no message and returns false when its write changes no
// row; the caller decides what that means. Positive units raise the columns.
#include <string>
#include <string_view>

#include "platform/HostPort.h"

class HVXSConnection;

namespace hvx {

// Adds the units to URECVD, URECVM and URECVY, creating the position row
// (with both print flags "T") when there is none. Sends the change notice
// after the update or the insert.
bool AddUnitsReceived(HVXSConnection& connection, HostWindow window, std::string_view location,
                      std::string_view commodity, double units);

// Adds the units to USHIPD, USHIPM and USHIPY, creating the position row when
// there is none. Sends the notice only after an insert.
bool AddUnitsShipped(HVXSConnection& connection, HostWindow window, std::string_view location,
                     std::string_view commodity, double units);

// Adds the units to DPRCO. A commodity and location without a position row
// succeed with nothing written. The update is guarded by the text read, so it
// changes no row (false) when another user changed DPRCO in between.
bool AddCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                     std::string_view location, double units);

// The two steps of AddCompanyOwned, for callers that must see the read and
// the guarded write apart.
enum class PositionRead { Found, Missing, Failed };
PositionRead ReadCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                              std::string_view location, std::string& text);
bool UpdateCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                        std::string_view location, std::string_view oldText, double units);

}  // namespace hvx
