#pragma once
// Reports and printouts of the reports sibling: the warehouse receipts report
// (file "H32GRR"), and the settlement, contract and assembly sheet printouts
// (file "H32GRR.DLL"). Both names go to the host as they stand.
//
// A report call shows the wait cursor while the sibling is reached and runs,
// and tells the user when the sibling or the report is missing:
// "Unable to load DLL (%s)", "%s is not currently installed. Please install
// DLL and retry." and "Unable to find report (%s) in %s".
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"
#include "platform/UiPort.h"

namespace hvx {

inline constexpr const char* kReceiptsReportModule = "H32GRR";
inline constexpr const char* kReportsModule = "H32GRR.DLL";

// The wait cursor for the life of a report call.
class ReportWaitCursor {
public:
    ReportWaitCursor() { Ui().SetWaitCursor(true); }
    ~ReportWaitCursor() { Ui().SetWaitCursor(false); }
    ReportWaitCursor(const ReportWaitCursor&) = delete;
    ReportWaitCursor& operator=(const ReportWaitCursor&) = delete;
};

// The address of a report function, or null after the user was told why not.
// The caller holds a ReportWaitCursor.
void* FindReport(std::string_view fileName, std::string_view function);

// The same, as the function type the caller declares for it; the settlement
// check printing finds DoPrintSettlementCheck this way.
template <class Fn>
Fn FindReportFunction(std::string_view fileName, std::string_view function) {
    return reinterpret_cast<Fn>(FindReport(fileName, function));
}

// The collateral warehouse receipts report (DoCWRReport with "", "", "", 0).
void RunReceiptsReport(HostWindow window);

enum class SettlementPrintout {
    Settlement,               // DoPrintSettlementEx
    SettlementContract,       // DoPrintSettlementContractEx
    InstallmentSaleContract,  // DoPrintInstallmentSaleContract
};

// Prints a settlement window's settlement, given its settlement key text.
void PrintSettlement(HostWindow window, SettlementPrintout printout,
                     std::string_view settlementKey);

// Prints one assembly sheet (DoOneAssemblySheetEx with the assembly, "", "", 0).
void PrintAssemblySheet(HostWindow window, std::string_view assembly);

// Prints a direct shipment batch (DoShipmentReport with the loads' shipment
// links joined by ",", "", "", 0).
void PrintShipmentBatch(HostWindow window, const std::vector<std::string>& shipLinks);

}  // namespace hvx
