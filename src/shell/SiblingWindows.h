#pragma once
// Windows of other modules that the grain windows open on a record: the
// maintenance windows of the grain maintenance module H32GRP.DLL and the
// customer window of receivables H32AR.DLL. A missing sibling or function is
// not reported: the window simply does not open.
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {

enum class SiblingWindow {
    Commodity,            // H32GRP.DLL CreateCommodityWithLoad: commodity reference
    AssemblySheet,        // H32GRP.DLL CreateAssemblySheetsWithLoad: assembly number
    SettlementDeduction,  // H32GRP.DLL SettlementDeductionWindow: deduction code
    ShippingDestination,  // H32GRP.DLL ShippingDestinationWindow: destination reference
    SalesContract,        // H32GRP.DLL CreateSalesContractsWithLoad: contract number
    Customer,             // H32AR.DLL CreateCustomersInfoFuel: customer reference
};

// Opens the sibling's window on the record with this key. True when the
// sibling's function was called.
bool OpenSiblingWindow(HostWindow window, SiblingWindow which, std::string_view key);

}  // namespace hvx
