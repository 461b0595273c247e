#include "shipments/ShipmentStore.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Text.h"
#include "rules/ActivityJournal.h"
#include "rules/PositionLedger.h"
#include "shipments/DirectShipmentBatch.h"
#include "shipments/SalesContractUnits.h"

namespace hvx::shipments {
namespace {

constexpr std::string_view kProgramShipment = "Shipment";


// An insert needs its record number first; no number, no row.
bool Inserted(HVXSConnection& connection, double recno, const std::string& sql,
              std::string_view failure, std::string& message) {
    if (recno != 0 && connection.ExecSQLChange(sql) >= 1) return true;
    message = failure;
    return false;
}

bool InsertShipment(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    const double recno = NextRecordNumber("HVXGR07");
    const bool owned = load.CompanyOwned();
    const LoadFigures& f = load.figures;
    return Inserted(
        s.connection, recno,
        _HVXsprintf("INSERT INTO HVXGR07 (REFERENCE,SHIPDATE,COMMODITY,LOCATION,PERXREF,CARNUM,"
                    "CARINIT,CUSTNAME,CUSTREF,CONTRACT,BASEPRICE,ESTWGHT,ESTUNITS,INTRANP,"
                    "FROMDPR,BINREF,VENDOR,GLPOSTED,STATUS,POSTED,COMPLETED,ADVAMT,ADVDATE,"
                    "BUYREF,SHIPDEST,COMLINK,VENPAID,ADJUST,SETTPOST,SHIPLINK,NUMCHANGE,RECNO)"
                    " VALUES ('%s',{%s},'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
                    "'%s','%s','%s','%s','%s','%s','%s','%s','%s',{%s},'%s','%s','%s','%s','%s',"
                    "'%s','%s','%s',%.0f)",
                    load.reference, SqlDateText(s.header.date), s.header.commodity, s.header.location,
                    "", load.carNumber, load.carInitial, load.soldToName, load.soldToRef,
                    load.contract, StoredFigure(f.salePrice), StoredFigure(f.netWt), StoredFigure(f.netUnits),
                    StoredFigure(f.salePrice), load.fromDpr, "", load.trucker, "F", owned ? "S" : "O",
                    "F", owned ? "T" : "F", "", "", "", load.destination, "", load.paid ? "T" : "F",
                    "0.00", "F", load.shipLink, "0", recno),
        "Insert Failed: HVXGR07.", message);
}

}  // namespace

bool InsertLoadDetail(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    const double recno = NextRecordNumber("HVXGR07A");
    const LoadFigures& f = load.figures;
    return Inserted(
        s.connection, recno,
        _HVXsprintf(
            "INSERT INTO HVXGR07A (REFERENCE,CONTRACT,GRADE,DOCKAGE,GROSSWGHT,DOCKWGHT,"
            "NETWGHT,NETUNITS,PRICE,GROSSAMT,ADVANCE,DEDUCT,NETAMT,WGHTDATE,SETDATE,GLACCT1,"
            "GLACCT2,GLACCT3,POSTED,GLPOSTED,SHIPLINK,NUMCHANGE,DLLINK,RECNO) VALUES ('%s',"
            "'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',{%s},{%s},'%s','%s',"
            "'%s','%s','%s','%s','%s','%s',%.0f)",
            load.reference, load.contract, load.grade, StoredFigure(f.dockage), StoredFigure(f.grossWt),
            StoredFigure(f.dockWt), StoredFigure(f.netWt), StoredFigure(f.netUnits), StoredFigure(f.salePrice),
            StoredFigure(f.grossAmt), StoredFigure(f.advances), StoredFigure(f.deductions), StoredFigure(f.netAmt),
            SqlDateText(load.weighDate), SqlDateText(s.header.date), load.glAcct1, load.glAcct2,
            load.glAcct3, "F", "F", load.shipLink, "0", load.dlLink, recno),
        "Insert Failed: HVXGR07A.", message);
}

namespace {

// Replaces the shipment's lines of one kind (deductions or grade factors):
// the rows of the shipment link go, then the load's lines are written.
bool ReplaceLines(const LoadStorage& s, const DirectShipmentLoad& load, const char* table,
                  const char* insert, const std::vector<ShipmentLine>& lines,
                  std::string& message) {
    message = _HVXsprintf("Insert Failed: %s.", table);
    if (!s.connection.ExecSQL(
            _HVXsprintf("SELECT RECNO FROM %s WHERE SHIPLINK = '%s'", table, load.shipLink)))
        return false;
    std::vector<std::string> recnos;
    while (s.connection.FetchNext()) recnos.push_back(s.connection.Column(1));
    s.connection.FreeStatement();
    for (const std::string& recno : recnos)
        if (s.connection.ExecSQLChange(
                _HVXsprintf("DELETE FROM %s WHERE RECNO = %s", table, recno)) < 0)
            return false;
    for (const ShipmentLine& line : lines) {
        const double recno = NextRecordNumber(table);
        if (recno == 0 ||
            s.connection.ExecSQLChange(_HVXsprintf(insert, line.reference, StoredFigure(line.value),
                                                   load.dlLink, load.shipLink, recno)) < 1)
            return false;
    }
    message.clear();
    return true;
}

bool StoreDetail(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    return InsertLoadDetail(s, load, message) && ReplaceLoadLines(s, load, message) &&
           (load.contract.empty() ||
            AddUnitsSettled(s.connection, load.contract, load.NetUnits(), message));
}

bool Deleted(HVXSConnection& connection, const char* table, const std::string& shipLink,
             std::string& message) {
    if (connection.ExecSQLChange(
            _HVXsprintf("DELETE FROM %s WHERE SHIPLINK = '%s'", table, shipLink)) >= 0)
        return true;
    message = _HVXsprintf("Error deleting detail from %s.", table);
    return false;
}

}  // namespace

std::string StoredFigure(std::string_view text) {
    if (!text.empty() && text.back() == '*') text.remove_suffix(1);
    return std::string(text);
}

std::string SqlDateText(std::string date) {
    SQLFmtDate(date);
    return date;
}

// Only company-owned grain keeps deduction and grade factor lines: a load
// shipped from other grain clears any it had.
bool ReplaceLoadLines(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    static const std::vector<ShipmentLine> kNone;
    const bool owned = load.CompanyOwned();
    return ReplaceLines(s, load, "HVXGR07D",
                        "INSERT INTO HVXGR07D (DEDUCTION,AMOUNT,DLLINK,SHIPLINK,NUMCHANGE,RECNO) "
                        "VALUES ('%s','%s','%s','%s','0',%.0f)",
                        owned ? load.deductionLines : kNone, message) &&
           ReplaceLines(s, load, "HVXGR07G",
                        "INSERT INTO HVXGR07G(GRADFACT,RESULT,DLLINK,SHIPLINK,NUMCHANGE,RECNO) "
                        "VALUES ('%s','%s','%s','%s','0',%.0f)",
                        owned ? load.gradeFactors : kNone, message);
}

bool BookShippedUnits(const LoadStorage& s, const DirectShipmentLoad& load, double units,
                      std::string& message) {
    if (!RecordCompanyOwnedShipment(s.connection, s.window, s.header.location, s.header.commodity,
                                    units, kProgramShipment, load.reference)) {
        message = "Unable to update commodity shipped.";
        return false;
    }
    if (!AddCompanyOwned(s.connection, s.header.commodity, s.header.location, -units)) {
        message = "Unable to update commodity company owned.";
        return false;
    }
    return true;
}

// The contract and position effects are booked for every load, whatever
// grain it was shipped from; only company-owned loads settle their units.
bool StoreLoad(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    return InsertShipment(s, load, message) &&
           (load.contract.empty() ||
            AddUnitsReceived(s.connection, load.contract, load.NetUnits(), message)) &&
           (!load.CompanyOwned() || StoreDetail(s, load, message)) &&
           BookShippedUnits(s, load, load.NetUnits(), message);
}

bool StillAsStored(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    const auto tenThousandths = [](const std::string& units) {
        return std::llround(TextNumber(units) * 10000.0);
    };
    message = "Unable to read the stored shipment.";
    if (!s.connection.ExecSQL(_HVXsprintf(
            "SELECT ESTUNITS,CONTRACT,COMMODITY,LOCATION FROM HVXGR07 WHERE SHIPLINK='%s'",
            load.shipLink)))
        return false;
    const bool same = s.connection.FetchNext() &&
                      tenThousandths(s.connection.Column(1)) == tenThousandths(load.ounits) &&
                      s.connection.Column(2) == load.storedContract &&
                      s.connection.Column(3) == s.header.commodity &&
                      s.connection.Column(4) == s.header.location;
    s.connection.FreeStatement();
    message = same ? "" : _HVXsprintf(kMsgChangedSinceStored, load.reference);
    return same;
}

// Whether the load was company-owned when stored is read from its detail row,
// not from the form, which may have changed since.
bool TakeBackLoad(const LoadStorage& s, const DirectShipmentLoad& load, std::string& message) {
    const double units = TextNumber(load.ounits);
    const std::string& contract = load.storedContract;
    if (!StillAsStored(s, load, message) || !Deleted(s.connection, "HVXGR07", load.shipLink, message) ||
        (!contract.empty() && !AddUnitsReceived(s.connection, contract, -units, message)) ||
        !BookShippedUnits(s, load, -units, message))
        return false;
    if (!s.connection.ExecSQL(
            _HVXsprintf("SELECT RECNO FROM HVXGR07A WHERE SHIPLINK = '%s'", load.shipLink))) {
        message = "Error deleting detail from HVXGR07A.";
        return false;
    }
    const bool hadDetail = s.connection.FetchNext();
    s.connection.FreeStatement();
    if (hadDetail &&
        (!Deleted(s.connection, "HVXGR07A", load.shipLink, message) ||
         (!contract.empty() && !AddUnitsSettled(s.connection, contract, -units, message))))
        return false;
    return Deleted(s.connection, "HVXGR07D", load.shipLink, message) &&
           Deleted(s.connection, "HVXGR07G", load.shipLink, message);
}

}  // namespace hvx::shipments
