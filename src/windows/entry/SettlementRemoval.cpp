#include "windows/entry/SettlementRemoval.h"

#include "platform/UiPort.h"
#include "settlement/SettlementDeletion.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveWindow.h"

namespace hvx::entry {

using settlement::SettlementSaveWindow;

bool DeleteOrReverse(SettlementSaveWindow& window) {
    if (window.set.header.posted) {
        if (!settlement::ConfirmReversal(window.ui)) return false;
        if (settlement::ReverseSettlement(window)) return true;
        ShowMessage(window.ui, window.message);
        return false;
    }
    // The deletion still refuses a settlement posted since the window
    // loaded it, under its locks.
    if (window.ui.MessageBox(kMsgConfirmDelete, kConfirmDeleteCaption, MsgButtons::YesNo,
                             MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    return settlement::DeleteSettlement(window);
}

}  // namespace hvx::entry
