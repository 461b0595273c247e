#include "settlement/SourceLineBuilder.h"

#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "rules/ActivityCodes.h"
#include "rules/DestinationEffects.h"
#include "platform/Text.h"

namespace hvx::settlement {
namespace {

void SetOpenUnits(SettlementDetailItem& line, double open) {
    open = HVXRound(open, 4);
    line.oUnits = _HVXsprintf("%.4f", open);
    // Exactly nothing open closes the destination; anything else keeps it open.
    line.status = HVXRound(open, 5) == 0 ? "C" : "O";
}

}  // namespace

bool BuildSourceLine(const LineValues& values, SettlementDetailItem& line, std::string& message) {
    std::string link = NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0);
    if (link.empty()) return Fail(message, kMsgNoLineLink);
    line = SettlementDetailItem{};
    line.dlLink = std::move(link);
    line.submitted = "F";
    ApplyLineValues(values, line);
    return true;
}

void ApplyLineValues(const LineValues& values, SettlementDetailItem& line) {
    const double before = line.unitsSet;
    const LineSource& s = values.source;
    line.source = s.kind, line.sourceRef = s.reference, line.sourceLink = s.link;
    line.contract = s.contract, line.fromDpr = s.fromDpr;
    line.commodity = values.commodity, line.location = values.location;
    line.toDpr = values.destination;
    line.stype = std::string(StypeOf(values.type));
    line.setDte = values.settDate;
    line.glCode = ClassifyActivity(s.kind, values.destination);
    // A new line starts unchecked; an edited one keeps what the window left.
    const PatronageState patronage =
        PatronageFor(s.kind, values.destination, values.type, line.patronage == "T");
    line.patronage = patronage.checked ? "T" : "F";

    line.unitsSet = HVXRound(values.units, 4);
    line.priceUnit = HVXRound(values.price, 4);
    const double gross = HVXRound(line.unitsSet * line.priceUnit, 2);
    // Deductions are the price page's: a line whose net was never computed
    // nets its gross, one the page priced keeps its deductions.
    const double deducted = HVXRound(line.grossAmt - line.netAmt, 2);
    line.totPrice = gross, line.grossAmt = gross, line.avgPrice = line.priceUnit;
    line.netAmt = HVXRound(gross - deducted, 2);
    SetOpenUnits(line, TextNumber(line.oUnits) + line.unitsSet - before);
}

}  // namespace hvx::settlement
