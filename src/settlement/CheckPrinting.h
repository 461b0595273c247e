#pragma once
// Printing a settlement's check through the report module H32GRR.DLL, and the
// shared check-number counter (HVXREP4.CHECKNUM) it draws numbers from.
//
// A printed check is money: a number taken from the counter is used up only
// when the user confirms that the check came out right, so the counter never
// skips a number silently. A settlement that already has a number reprints
// with it and leaves the counter alone. The updates run outside any
// transaction and lock: the counter is shared by every workstation and is
// read and advanced as it is, so two workstations printing at the same
// moment can be given the same number; the one that confirms last is told,
// and the counter is never set back.
#include <string>
#include <string_view>

#include "platform/HostPort.h"

struct HVXCheckPrintOptions;

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

// The size of a check number's buffer, terminator included.
inline constexpr std::size_t kCheckNumberSize = 20;

// "SELECT CHECKNUM FROM HVXREP4" on a connection of its own. False, after
// "Unable to retrieve current check number from HVXREP4.", without a row.
bool CurrentCheckNumber(UiPort& ui, std::string& checkNumber);

class CheckPrinting {
public:
    // window: the settlement window (parent of the printer selection).
    CheckPrinting(UiPort& ui, HostWindow window) : ui_(ui), window_(window) {}

    // Runs the whole flow for the settlement with this link and record
    // number. checkNumberField is the window's check-number field: it holds
    // the settlement's own number, if any, and receives the printed number
    // when the user confirms. True when the user confirmed a print.
    bool PrintSettlementCheck(std::string& checkNumberField, std::string_view setLink,
                              double recno);

private:
    void PrintOnce(std::string_view setLink, const std::string& checkNumber,
                   const char* sourceDetail, const HVXCheckPrintOptions& options);
    void StoreCheckNumber(const std::string& checkNumber, bool fromCounter, double recno);

    UiPort& ui_;
    HostWindow window_;
};

}  // namespace hvx::settlement
