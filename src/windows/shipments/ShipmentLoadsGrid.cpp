#include "windows/shipments/ShipmentLoadsGrid.h"

#include "shipments/DirectShipmentLoad.h"

namespace hvx::shipwin {

const std::array<std::string_view, kGridColumnCount> kGridColumns{
    "Shipment #",      "Destination",     "BL/Car #",          "Contract",    "Net Units",
    "Purch Price",     "Sale Price",      "Gross Amt",         "Net Amt",     "Car Initial",
    "Weigh Date",      "Trucker",         "Grade",             "Dockage",     "Gross Wt",
    "Dock Wt",         "Net Wt",          "Deductions",        "Advances",    "Paid",
    "GL Acct",         "GL Dept",         "GL Loc",            "HVXGR07A.DLLINK",
    "HVXGR04D.DLLINK", "OUNITS",          "SHIPMENT FROM DPR", "SOLD TO REF", "SOLD TO NAME",
    "SHIPLINK"};

std::string GridCell(const shipments::DirectShipmentLoad& load, std::size_t column) {
    const shipments::LoadFigures& f = load.figures;
    const std::string* cells[] = {
        &load.reference,  &load.destination, &load.carNumber,   &load.contract,
        &f.netUnits,      &load.purchasePrice, &f.salePrice,    &f.grossAmt,
        &f.netAmt,        &load.carInitial,  &load.weighDate,   &load.trucker,
        &load.grade,      &f.dockage,        &f.grossWt,        &f.dockWt,
        &f.netWt,         &f.deductions,     &f.advances,       nullptr,
        &load.glAcct1,    &load.glAcct2,     &load.glAcct3,     &load.dlLink,
        &load.settlementLink, &load.ounits,  &load.fromDpr,     &load.soldToRef,
        &load.soldToName, &load.shipLink};
    static_assert(std::size(cells) == kGridColumnCount);
    if (column >= kGridColumnCount) return {};
    if (!cells[column]) return load.paid ? "T" : "F";  // "Paid"
    return *cells[column];
}

}  // namespace hvx::shipwin
