#pragma once
// The settlement header (HVXGR04) as the settlement window holds it, with the
// defaults the window takes from the lines and the destination terms of a
// multiple-source settlement.
#include <string>
#include <string_view>

#include "rules/SettlementTypes.h"

namespace hvx::settlement {

struct SettlementDetailItem;

// Comments of a settlement are kept by the comment service under this table
// and the settlement link.
inline constexpr std::string_view kSettlementCommentTable = "HVXGR04G";

struct SettlementHeader {
    std::string settlement;  // a new settlement's number is written "%li"
    std::string custRef;
    std::string custName;
    std::string settDate;   // in the window's date form
    std::string entryDate;  // ADTE; set to today just before each save
    std::string setLink;    // a new settlement's own RECNO, "%.0f"
    bool posted = false;
    bool reversed = false;  // REVERSED "T"
    std::string checkNum;
    std::string checkAmt;   // "%.2f" when written
    SettlementType type = SettlementType::SingleSource;
    double recno = 0;       // 0 for a settlement never saved
    std::string numChange;  // NUMCHANGE as stored; "0" for a new settlement
};

// What the window shows for the settlement as a whole, taken from the first
// line that has each value.
struct SettlementDefaults {
    std::string sourceKind;
    std::string sourceRef;
    std::string commodity;
    std::string location;
    std::string fromCategory;
    std::string toCategory;
    std::string contract;
    std::string sourceLink;

    void Clear() { *this = SettlementDefaults{}; }
    // Fills each value still empty from the line; a value once set stays.
    void FillFrom(const SettlementDetailItem& line);
};

// The terms of the one destination record of a multiple-source settlement.
struct DestinationTerms {
    std::string isDate;
    std::string isRate;
    std::string isDue;
    std::string status;
    std::string pPaidDate;
    std::string amtPrepaid;
    std::string sRateDate;  // despite its name, the storage rate
    std::string storeCol;
    std::string oUnits;
    std::string ssDate;
    std::string scRate;
    std::string submitted;
};

}  // namespace hvx::settlement
