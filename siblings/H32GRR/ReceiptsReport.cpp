// The collateral warehouse receipts report, exported under the name the
// receipts window looks up (it asks for the module as "H32GRR"; the host
// finds the one library under either name). It takes no selection: the
// window passes empty texts and 0.
#include <string>
#include <type_traits>
#include <vector>

#include "PrintDocument.h"
#include "abi/SiblingAbi.h"
#include "data/ReceiptsReportDocument.h"

#define H32GRR_EXPORT extern "C" __attribute__((visibility("default")))

H32GRR_EXPORT void DoCWRReport(void*, const char*, const char*, const char*, int) {
    h32grr::PrintDocument([](hvx::report::Document& document, std::string& message) {
        std::vector<hvx::data::WarehouseReceipt> receipts;
        if (!hvx::data::LoadWarehouseReceipts(receipts, message)) return false;
        document = hvx::data::ReceiptsReportDocument(receipts);
        return true;
    });
}

static_assert(std::is_same_v<decltype(&DoCWRReport), HVXReportFn>);
