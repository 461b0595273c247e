// The "Direct Shipments" window's field lookups and the reference checks of
// leaving a field.
#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/GeneralLedgerCall.h"
#include "windows/CustomerLookup.h"
#include "windows/shipments/DirectShipmentWindow.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx::shipwin {
namespace {

// A pick list: its select and its column groups of four.
struct PickList {
    const char* select;
    const char* columns;
};

const PickList kLocations{"SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16",
                          "LOCREF,Reference,18,-1,LOCDESC,Description,40,0"};
const PickList kCommodities{"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51",
                            "REFERENCE,Reference,20,-1,NAME,Name,40,0"};
const PickList kTruckers{
    "SELECT REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIP,STR(RECNO) FROM HVXAP50",
    "REFERENCE,Reference,15,-1,NAME,Name,30,0,ADDRESS1,Address,25,0,ADDRESS2,Address 2,20,0,"
    "CITY,City,15,0,STATE,State,5,0,ZIP,Zip,10,0"};
const PickList kDestinations{"SELECT REFERENCE,DESCRIPT,STR(RECNO) FROM HVXGR59",
                             "REFERENCE,Reference,20,-1,DESCRIPT,Description,50,0"};
const PickList kDeductions{"SELECT REFERENCE,DESCRIPT,TYPE,STR(RECNO) FROM HVXGR52",
                           "REFERENCE,Reference,20,-1,DESCRIPT,Description,40,0,TYPE,D/A,5,0"};
const char* const kContracts =
    "SELECT CUSTNAME,CUSTREF,CONTRACT,COMMODITY,BUYREF,CTYPE,DATEEST,CQTY,QTYRECV,STR(RECNO) "
    "FROM HVXGR05 WHERE COMMODITY='%s' AND STATUS <> 'Closed'";
const char* const kContractColumns =
    "CUSTNAME,Name,30,0,CUSTREF,Reference,15,0,CONTRACT,Contract,15,-1,COMMODITY,Commodity,12,0,"
    "BUYREF,Buyer's Ref,15,0,CTYPE,Type,12,0,DATEEST,Est. Date,12,0,CQTY,Contract Qty,14,0,"
    "QTYRECV,Received Qty,14,0";

// The first row of a query, its first `columns` texts; empty when none.
std::vector<std::string> FirstRow(const std::string& sql, int columns) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<std::string> row;
    if (!connection.ExecSQL(sql) || !connection.FetchNext()) return row;
    for (int c = 1; c <= columns; ++c) row.push_back(connection.Column(c));
    return row;
}

bool Exists(const char* select, const std::string& reference) {
    return !FirstRow(_HVXsprintf(select, reference), 1).empty();
}

// Shows the list from the field's text; true with the field filled on a pick.
bool Pick(UiPort& ui, const PickList& list, std::string& field) {
    std::string text = field;
    if (ui.SearchWin(text, list.columns, list.select, "") == 0) return false;
    field = text;
    return true;
}

}  // namespace

bool DirectShipmentWindow::CommodityLeft() {
    EngineFailureWatch watch;
    const std::string& commodity = batch_.header.commodity;
    poundsPerUnit_ = 0, uom_.clear();
    batch_.header.decimals = -1;
    if (commodity.empty()) return true;
    const auto row = FirstRow(
        _HVXsprintf("SELECT LBSUNIT,UOM,DECIMALS,SERVEDAY,TAXCODE FROM HVXGR51 WHERE "
                    "REFERENCE='%s'",
                    commodity),
        3);
    if (row.empty()) return Refuse(kMsgNoCommodityReference, kFieldCommodity);
    poundsPerUnit_ = TextNumber(row[0]), uom_ = row[1];
    batch_.header.decimals = static_cast<int>(TextNumber(row[2]));
    FiguresChanged();
    return true;
}

void DirectShipmentWindow::SearchLocation() {
    if (Pick(ui_, kLocations, batch_.header.location)) changed_ = true;
}

void DirectShipmentWindow::SearchCommodity() {
    if (!Pick(ui_, kCommodities, batch_.header.commodity)) return;
    changed_ = true;
    CommodityLeft();
}

void DirectShipmentWindow::SearchTrucker() { Pick(ui_, kTruckers, load_.trucker); }
void DirectShipmentWindow::SearchDestination() { Pick(ui_, kDestinations, load_.destination); }

void DirectShipmentWindow::SearchDeduction(shipments::PurchaseDeduction& line) {
    if (Pick(ui_, kDeductions, line.reference)) FillDeduction(line);
}

// A contract picked names the buyer the load is sold to and, for a load with
// no sale price yet, the price the buyer pays.
void DirectShipmentWindow::SearchContract() {
    if (Trimmed(batch_.header.commodity).empty())
        return (void)Refuse(kMsgNoCommoditySpecified, kFieldCommodity);
    EngineFailureWatch watch;
    std::string text = load_.contract;
    const double recno = ui_.SearchWin(
        text, kContractColumns, _HVXsprintf(kContracts, batch_.header.commodity), "CONTRACT");
    if (recno == 0) return;
    const auto row = FirstRow(
        _HVXsprintf("SELECT CONTRACT,CUSTREF,CUSTNAME FROM HVXGR05 WHERE RECNO=%.0f", recno), 3);
    if (row.empty()) return;
    load_.contract = row[0], load_.soldToRef = row[1], load_.soldToName = row[2];
    FiguresChanged();
}

void DirectShipmentWindow::SearchCustomer(bool byName) {
    CustomerLookup lookup(ui_, window_);
    lookup.ReadSetting();
    if (lookup.Search({form_.custRef, form_.custName, 20, 50}, byName) ==
        CustomerLookupResult::Filled)
        changed_ = true;
}

void DirectShipmentWindow::SearchGlAccount() {
    GLAccount account{{load_.glAcct1, load_.glAcct2, load_.glAcct3}};
    if (!SearchGLAccount(window_, backOffice_, account)) return;
    load_.glAcct1 = account.parts[0], load_.glAcct2 = account.parts[1];
    load_.glAcct3 = account.parts[2];
}

bool DirectShipmentWindow::DestinationLeft() {
    if (Trimmed(load_.destination).empty()) return true;
    EngineFailureWatch watch;
    if (Exists("SELECT REFERENCE FROM HVXGR59 WHERE REFERENCE='%s'", load_.destination))
        return true;
    return Refuse(kMsgNoDestinationReference, kFieldDestination);
}

bool DirectShipmentWindow::SoldToLeft() {
    if (Trimmed(load_.soldToRef).empty()) return true;
    EngineFailureWatch watch;
    const auto row = FirstRow(
        _HVXsprintf("SELECT NAME FROM HVXAR50 WHERE REFERENCE='%s'", load_.soldToRef), 1);
    if (row.empty()) return Refuse(kMsgNoBuyerReference, kFieldSoldTo);
    load_.soldToName = row[0];
    return true;
}

}  // namespace hvx::shipwin
