#include "shell/ReportCalls.h"

#include <string>

#include "platform/Format.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

const char* ExportName(SettlementPrintout printout) {
    switch (printout) {
        case SettlementPrintout::Settlement: return "DoPrintSettlementEx";
        case SettlementPrintout::SettlementContract: return "DoPrintSettlementContractEx";
        case SettlementPrintout::InstallmentSaleContract: return "DoPrintInstallmentSaleContract";
    }
    return "";
}

void RunReport(HostWindow window, std::string_view fileName, std::string_view function,
               std::string_view first) {
    ReportWaitCursor wait;
    auto report = FindReportFunction<HVXReportFn>(fileName, function);
    if (!report) return;
    const std::string firstText(first);
    report(window, firstText.c_str(), "", "", 0);
}

}  // namespace

void* FindReport(std::string_view fileName, std::string_view function) {
    void* module = LoadSibling(fileName);
    if (!module) {
        ShowMessage(_HVXsprintf("Unable to load DLL (%s)", fileName));
        return nullptr;
    }
    // The host may hand out the handle of a library it no longer has loaded.
    if (!SiblingLoaded(module)) {
        ShowMessage(
            _HVXsprintf("%s is not currently installed. Please install DLL and retry.", fileName));
        return nullptr;
    }
    void* report = SiblingFunction(module, function);
    if (!report)
        ShowMessage(_HVXsprintf("Unable to find report (%s) in %s", function, fileName));
    return report;
}

void RunReceiptsReport(HostWindow window) {
    RunReport(window, kReceiptsReportModule, "DoCWRReport", "");
}

void PrintSettlement(HostWindow window, SettlementPrintout printout,
                     std::string_view settlementKey) {
    ReportWaitCursor wait;
    auto print = FindReportFunction<HVXPrintSettlementFn>(kReportsModule, ExportName(printout));
    if (!print) return;
    const std::string key(settlementKey);
    print(window, key.c_str());
}

void PrintAssemblySheet(HostWindow window, std::string_view assembly) {
    RunReport(window, kReportsModule, "DoOneAssemblySheetEx", assembly);
}

void PrintShipmentBatch(HostWindow window, const std::vector<std::string>& shipLinks) {
    std::string links;
    for (const std::string& link : shipLinks) links += (links.empty() ? "" : ",") + link;
    RunReport(window, kReportsModule, kShipmentReportFunction, links);
}

}  // namespace hvx
