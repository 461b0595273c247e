#include "receipts/ReceiptActivity.h"

#include "platform/Rounding.h"
#include "platform/Text.h"
#include "rules/ActivityJournal.h"
#include "rules/Categories.h"

namespace hvx::receipts {
namespace {

double Units(const ReceiptKey& receipt) {
    return TextNumber(receipt.units);
}

ReceiptMove Issue(const ReceiptKey& receipt) {
    return {kProgramIssued, receipt, Units(receipt)};
}
ReceiptMove TakeBack(const ReceiptKey& receipt) {
    return {kProgramIssued, receipt, -Units(receipt)};
}

// Units typed with more decimals than the ledger keeps are the same units.
bool KeyChanged(const ReceiptKey& a, const ReceiptKey& b) {
    return a.cwrRef != b.cwrRef || a.commodity != b.commodity || a.location != b.location ||
           HVXRound(Units(a), 4) != HVXRound(Units(b), 4);
}

}  // namespace

std::vector<ReceiptMove> MovesOfNewReceipt(const ReceiptKey& now) {
    return {Issue(now)};
}

std::vector<ReceiptMove> MovesOfChange(const ReceiptKey& loaded, const ReceiptKey& now) {
    const bool keyChanged = KeyChanged(loaded, now);
    const bool statusChanged = loaded.openClose != now.openClose;
    const bool wasOpen = loaded.openClose == kOpen;
    std::vector<ReceiptMove> moves;
    if (keyChanged && wasOpen) moves.push_back(TakeBack(loaded));
    if (keyChanged && statusChanged && wasOpen) moves.push_back(Issue(now));
    if (keyChanged || statusChanged)
        moves.push_back(now.openClose == kClosed ? ReceiptMove{kProgramSettled, now, Units(now)}
                                                 : Issue(now));
    return moves;
}

std::vector<ReceiptMove> MovesOfDelete(const ReceiptKey& stored) {
    if (stored.openClose != kOpen) return {};
    return {TakeBack(stored)};
}

bool RecordMoves(HVXSConnection& connection, const std::vector<ReceiptMove>& moves) {
    for (const ReceiptMove& move : moves) {
        const bool settled = move.program == kProgramSettled;
        if (!RecordActivity(connection, move.program, move.receipt.commodity, move.receipt.location,
                            move.units, move.receipt.cwrRef,
                            settled ? kCollateralWHR : kCompanyOwned,
                            settled ? kCompanyOwned : kCollateralWHR, ""))
            return false;
    }
    return true;
}

}  // namespace hvx::receipts
