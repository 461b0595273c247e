#include "windows/DocumentKinds.h"

namespace hvx {
namespace {

constexpr DocumentKindInfo kKinds[] = {
    {DocumentKind::SourceSettlement, "GRPVsettleDlg", "Enter By Settlement Source", "contract"},
    {DocumentKind::DestSettlement, "GRPVmsettleDlg", "Enter By Settlement Destination",
     "contract"},
    {DocumentKind::DirectShipment, "GRPVdirshipDlg", "Direct Shipment", "contract"},
    {DocumentKind::WarehouseReceipts, "GRPVcwrDlg", "Collateral Warehouse Receipts", "contract"},
};

}  // namespace

const DocumentKindInfo& DocumentInfo(DocumentKind kind) {
    for (const auto& info : kKinds)
        if (info.kind == kind) return info;
    return kKinds[0];  // unreachable: every kind is in the table
}

bool IsSettlementWindow(DocumentKind kind) {
    return kind == DocumentKind::SourceSettlement || kind == DocumentKind::DestSettlement;
}

}  // namespace hvx
