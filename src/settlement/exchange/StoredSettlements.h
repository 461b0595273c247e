#pragma once
// The settlement headers as the exports read them, each with its part in a
// reversal. A reversing copy carries no link to the settlement it reverses:
// it is recognised as the later reversed header of the same customer,
// settlement date, type and check number whose check amount is the other's
// negated text, which is exactly how the reversal writes it.
#include <map>
#include <string>
#include <vector>

#include "settlement/SettlementPayNameList.h"

namespace hvx::exchange {

enum class SettlementRole {
    Open,  // not posted
    Posted,
    Reversed,  // posted, then reversed by a later copy
    Reversal,  // the reversing copy
};

// "Open", "Posted", "Reversed" or "Reversal".
const char* RoleText(SettlementRole role);

struct StoredSettlement {
    std::string settlement, custRef, custName, entered, settDate, setLink, posted, reversed,
        checkNum, checkAmt, stype;
    SettlementRole role = SettlementRole::Open;
    // Of a reversed settlement its copy, of a copy the settlement it
    // reverses: an index into the same list; -1 when there is none.
    long partner = -1;
};

// Every header in the order it was written (record number). False with the
// engine's reason.
bool ReadStoredSettlements(std::vector<StoredSettlement>& out, std::string& error);

// The pay names of every settlement by its link, in entry order.
using PayNames = std::map<std::string, settlement::SettlementPayNameList>;
bool ReadPayNames(PayNames& out, std::string& error);

}  // namespace hvx::exchange
