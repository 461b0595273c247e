#include "windows/BrowseOrders.h"

namespace hvx {

OrderedFetchSource SettlementBrowse(SettlementType type) {
    return {std::string(SettlementTypeInfoOf(type).listQuery), "SETTLEMENT,RECNO,NUMCHANGE,SETLINK"};
}

OrderedFetchSource ReceiptBrowse() { return {"SELECT %s FROM HVXGR08", "CWRREF,RECNO,NUMCHANGE"}; }

}  // namespace hvx
