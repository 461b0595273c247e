// The documents of the reports sibling, exported with C linkage under the
// names the grain module looks up. Each loads its stored rows, lays the
// document out and hands it to the one output routine (preview, or the PDF
// named by HARVEXA_REPORT_PDF).
#include <string>
#include <type_traits>
#include <vector>

#include "ReportOutput.h"
#include "SiblingExport.h"
#include "abi/SiblingAbi.h"
#include "platform/UiPort.h"
#include "settlement/SettlementStatement.h"
#include "shipments/ShipmentDocument.h"

namespace {

std::vector<std::string> SplitLinks(const std::string& joined) {
    std::vector<std::string> links;
    std::size_t start = 0;
    for (std::size_t comma; (comma = joined.find(',', start)) != std::string::npos;
         start = comma + 1)
        links.push_back(joined.substr(start, comma - start));
    links.push_back(joined.substr(start));
    std::erase(links, std::string());
    return links;
}

}  // namespace

H32GRR_EXPORT void DoShipmentReport(void*, const char* shipLinks, const char*, const char*, int) {
    hvx::shipments::ShipmentBatchData batch;
    std::string message;
    if (!hvx::shipments::LoadShipmentBatch(SplitLinks(shipLinks ? shipLinks : ""), batch,
                                           message))
        return hvx::ShowMessage(message);
    h32grr::OutputReport(hvx::report::LayOut(hvx::shipments::ShipmentBatchDocument(batch)));
}

static_assert(std::is_same_v<decltype(&DoShipmentReport), HVXReportFn>);

H32GRR_EXPORT void DoPrintSettlementEx(void*, const char* settlementKey) {
    hvx::settlement::SettlementStatementData statement;
    std::string message;
    if (!hvx::settlement::LoadSettlementStatement(settlementKey ? settlementKey : "", statement,
                                                  message))
        return hvx::ShowMessage(message);
    h32grr::OutputReport(
        hvx::report::LayOut(hvx::settlement::SettlementStatementDocument(statement)));
}

static_assert(std::is_same_v<decltype(&DoPrintSettlementEx), HVXPrintSettlementFn>);
