#include "shipments/ShipmentLookups.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Text.h"
#include "shipments/DirectShipmentLoad.h"

namespace hvx::shipments {
namespace {

// The first column of the first row, or "" when there is none.
std::string FirstValue(const std::string& sql) {
    HVXSConnection connection(1, nullptr, 0);
    return connection.ExecSQL(sql) && connection.FetchNext() ? connection.Column(1) : "";
}

}  // namespace

double PoundsPerUnit(std::string_view commodity) {
    return TextNumber(
        FirstValue(_HVXsprintf("SELECT LBSUNIT,UOM FROM HVXGR51 WHERE REFERENCE='%s'", commodity)));
}

void TakeContractPrice(DirectShipmentLoad& load) {
    if (!load.figures.salePrice.empty() || load.contract.empty()) return;
    load.figures.salePrice =
        FirstValue(_HVXsprintf("SELECT DELPRICE FROM HVXGR05 WHERE CONTRACT='%s'", load.contract));
}

void RecalculateLoad(DirectShipmentLoad& load, std::string_view commodity) {
    TakeContractPrice(load);
    CalculateLoad(load.figures, PoundsPerUnit(commodity));
}

}  // namespace hvx::shipments
