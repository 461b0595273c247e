#pragma once
// The collateral warehouse receipts report: every receipt, grouped by
// commodity and location, open receipts' units and settled receipts' units
// in columns of their own, with the totals of each group and of the report.
#include <string>
#include <vector>

#include "platform/ReportLayout.h"

namespace hvx::data {

struct WarehouseReceipt {
    std::string reference, vendorRef, vendorName, commodity, commodityName, location, locationName;
    std::string issued, units, settledDate, openClose;
    std::string unitsFormat;  // the commodity's decimals, as the window shows units
};

// Every receipt, by commodity, location and reference. False with the
// reason when they cannot be read.
bool LoadWarehouseReceipts(std::vector<WarehouseReceipt>& receipts, std::string& message);

report::Document ReceiptsReportDocument(const std::vector<WarehouseReceipt>& receipts);

}  // namespace hvx::data
