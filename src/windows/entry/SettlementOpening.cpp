#include "windows/entry/SettlementOpening.h"

#include <string>

#include "platform/UiPort.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementRecordSet.h"
#include "windows/entry/ContractSourcePick.h"

namespace hvx::entry {
namespace {

// The window with no settlement, as a new one starts.
bool Empty(settlement::SettlementRecordSet& set, SettlementType windowType) {
    set = settlement::SettlementRecordSet{};
    set.header.type = windowType;
    return true;
}

bool Refuse(settlement::SettlementRecordSet& set, SettlementType windowType, UiPort& ui,
            std::string_view message) {
    Empty(set, windowType);
    ShowMessage(ui, message);
    return false;
}

}  // namespace

bool OpenSettlement(const SettlementKey& key, SettlementType windowType,
                    settlement::SettlementRecordSet& set, ContractSourcePick& pick, UiPort& ui) {
    std::string message;
    pick = ContractSourcePick{};  // only a start from a source line picks a contract
    switch (key.start) {
        case SettlementStart::New:
            return Empty(set, windowType);
        case SettlementStart::FromSourceLine:
            // A contract is the one source of a single-source settlement.
            if (windowType != SettlementType::SingleSource)
                return Refuse(set, windowType, ui,
                              "Incorrect settlement type for this settlement window.");
            return StartFromSourceLine(key.sourceRecno, set, pick, message) ||
                   Refuse(set, windowType, ui, message);
        case SettlementStart::Load:
            Empty(set, windowType);
            if (settlement::LoadSettlementByNumber(set, key.settlementNumber, windowType, ui))
                return true;
            // The load has shown why; the lines it read before it failed are dropped.
            Empty(set, windowType);
            return false;
        case SettlementStart::Invalid:
            break;
    }
    return Refuse(set, windowType, ui, key.problem);
}

}  // namespace hvx::entry
