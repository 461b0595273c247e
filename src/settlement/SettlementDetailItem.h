#pragma once
// One source line of a settlement: its HVXGR04D row and, in a single-source
// settlement, the HVXGR04F destination record the line created.
//
// Units and money the allocation and totals compute with are held as
// numbers; everything else stays the text the tables hold.
#include <string>

namespace hvx::settlement {

// What identifies a source: the three texts compared exactly.
struct SourceKey {
    std::string kind;  // source kind ("Assembly", "Scale Ticket", a category ...)
    std::string reference;
    std::string link;  // the split's LINEID, the ticket's STDLINEID or the contract's DLLINK
    bool operator==(const SourceKey&) const = default;
};

struct SettlementDetailItem {
    // HVXGR04D
    std::string source;  // source kind
    std::string sourceRef;
    std::string commodity;
    double unitsSet = 0;  // the line's units
    std::string fromDpr;
    std::string toDpr;
    std::string contract;
    std::string setDte;
    std::string patronage;
    std::string dlLink;
    std::string sourceLink;
    std::string glCode;
    std::string location;
    std::string stype;
    double priceUnit = 0;
    double totPrice = 0;  // the line's dollars

    // HVXGR04F of a single-source line
    std::string isDate;
    std::string isRate;
    std::string isDue;
    std::string status;
    std::string pPaidDate;
    std::string amtPrepaid;
    std::string sRateDate;
    std::string storeCol;
    std::string oUnits;
    std::string ssDate;
    std::string scRate;
    double avgPrice = 0;
    double grossAmt = 0;
    double netAmt = 0;
    std::string submitted;

    SourceKey Key() const { return {source, sourceRef, sourceLink}; }
    bool operator==(const SettlementDetailItem&) const = default;
};

}  // namespace hvx::settlement
