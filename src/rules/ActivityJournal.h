#pragma once
// The position activity journal HVXGR29: one row per recorded movement, with
// today's date, the next activity number ("%08li") and units as "%.4f".
//
// Runs on the caller's simple connection inside the caller's transaction and
// shows no message: false when no row was written, including when no activity
// number or record number could be taken.
#include <string_view>

#include "platform/HostPort.h"

class HVXSConnection;

namespace hvx {

inline constexpr std::string_view kProgramSettlement = "Settlement";

struct JournalEntry {
    std::string_view program;  // the function that recorded it, e.g. "Settlement"
    std::string_view commodity;
    std::string_view location;
    double units = 0;  // negative for units leaving company ownership
    std::string_view reference;  // settlement or document number
    std::string_view source;     // the category the units leave
    std::string_view destination;
    std::string_view status;
};

// Writes one journal row.
bool RecordActivity(HVXSConnection& connection, std::string_view program,
                    std::string_view commodity, std::string_view location, double units,
                    std::string_view reference, std::string_view source,
                    std::string_view destination, std::string_view status);

// Journals units leaving company ownership (source "Company Owned", no
// destination, the units negated, status "O"), then adds the units to the
// units shipped. Nothing is shipped when the journal row fails.
bool RecordCompanyOwnedShipment(HVXSConnection& connection, HostWindow window,
                                std::string_view location, std::string_view commodity,
                                double units, std::string_view program,
                                std::string_view reference);

// The journal row of a posting (company-owned shipments and reversals), whose
// statement writes NUMCHANGE as a literal empty text.
bool WritePostingJournalRow(HVXSConnection& connection, const JournalEntry& entry);

}  // namespace hvx
