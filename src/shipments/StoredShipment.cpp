#include "shipments/StoredShipment.h"

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Text.h"
#include "platform/Transaction.h"
#include "rules/Categories.h"
#include "shipments/SalesContractLocks.h"
#include "shipments/SalesContractUnits.h"
#include "shipments/ShipmentStore.h"

namespace hvx::shipments {
namespace {

using Row = std::vector<std::string>;

std::vector<Row> Rows(HVXSConnection& connection, const std::string& sql, int columns,
                      bool& read) {
    std::vector<Row> rows;
    read = connection.ExecSQL(sql);
    if (!read) return rows;
    while (connection.FetchNext()) {
        Row& row = rows.emplace_back();
        for (int c = 1; c <= columns; ++c) row.push_back(connection.Column(c));
    }
    connection.FreeStatement();
    return rows;
}

std::vector<ShipmentLine> Lines(HVXSConnection& connection, const char* select,
                                const std::string& shipLink, bool& read) {
    std::vector<ShipmentLine> lines;
    for (const Row& row : Rows(connection, _HVXsprintf(select, shipLink), 3, read))
        lines.push_back({row[0], row[1]});
    return lines;
}

// The load detail of a shipment: its record number (0 without one) and the
// columns the window edits.
struct StoredDetail {
    double recno = 0;
    Row columns;
};

bool ReadDetail(HVXSConnection& connection, const std::string& shipLink, StoredDetail& detail) {
    bool read = false;
    const std::vector<Row> rows = Rows(
        connection,
        _HVXsprintf("SELECT REFERENCE,CONTRACT,GRADE,DOCKAGE,GROSSWGHT,DOCKWGHT,NETWGHT,NETUNITS,"
                    "PRICE,GROSSAMT,ADVANCE,DEDUCT,NETAMT,WGHTDATE,SETDATE,GLACCT1,GLACCT2,"
                    "GLACCT3,POSTED,GLPOSTED,RECNO,DLLINK FROM HVXGR07A WHERE SHIPLINK='%s'",
                    shipLink),
        22, read);
    // The window stores one detail per shipment; the first is the one edited.
    if (!rows.empty()) detail = {TextNumber(rows.front()[20]), rows.front()};
    return read;
}

constexpr const char* kShipmentColumns =
    "SELECT REFERENCE,SHIPDATE,COMMODITY,LOCATION,CARNUM,CARINIT,CUSTNAME,CUSTREF,CONTRACT,"
    "BASEPRICE,ESTWGHT,ESTUNITS,FROMDPR,VENDOR,SHIPDEST,VENPAID,POSTED,GLPOSTED FROM HVXGR07 "
    "WHERE SHIPLINK='%s'";

bool IsSet(std::string flag) {
    TRIM(flag);
    return flag == "T";
}

void TakeShipment(const Row& r, DirectShipmentBatch& batch, DirectShipmentLoad& load) {
    batch.header.date = r[1], batch.header.commodity = r[2], batch.header.location = r[3];
    load.reference = r[0], load.carNumber = r[4], load.carInitial = r[5];
    load.soldToName = r[6], load.soldToRef = r[7], load.contract = r[8];
    load.figures.salePrice = r[9], load.figures.netWt = r[10], load.figures.netUnits = r[11];
    load.fromDpr = r[12], load.trucker = r[13], load.destination = r[14];
    load.paid = IsSet(r[15]);
}

void TakeDetail(const Row& d, DirectShipmentLoad& load) {
    LoadFigures& f = load.figures;
    load.grade = d[2];
    f.dockage = d[3], f.grossWt = d[4], f.dockWt = d[5], f.netWt = d[6], f.netUnits = d[7];
    f.salePrice = d[8], f.grossAmt = d[9], f.advances = d[10], f.deductions = d[11];
    f.netAmt = d[12];
    load.weighDate = d[13];
    load.glAcct1 = d[15], load.glAcct2 = d[16], load.glAcct3 = d[17];
    load.dlLink = d[21];
}

bool Open(const std::string& shipLink, DirectShipmentBatch& batch, std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    bool read = false;
    const std::vector<Row> rows = Rows(connection, _HVXsprintf(kShipmentColumns, shipLink), 18, read);
    if (!read || rows.empty()) {
        message = "The shipment could not be found. It may have been deleted by another user.";
        return false;
    }
    const Row& r = rows.front();
    StoredDetail detail;
    if (!ReadDetail(connection, shipLink, detail)) {
        message = "Unable to read the shipment's load detail.";
        return false;
    }
    if (IsSet(r[16]) || IsSet(r[17]) ||
        (detail.recno != 0 && (IsSet(detail.columns[18]) || IsSet(detail.columns[19])))) {
        message = _HVXsprintf("Shipment %s has been posted and can no longer be changed.", r[0]);
        return false;
    }
    DirectShipmentBatch opened = batch;
    opened.Clear();
    DirectShipmentLoad load;
    TakeShipment(r, opened, load);
    if (detail.recno != 0) TakeDetail(detail.columns, load);
    load.shipLink = shipLink;
    load.deductionLines = Lines(
        connection, "SELECT DEDUCTION,AMOUNT,DLLINK FROM HVXGR07D WHERE SHIPLINK = '%s'", shipLink,
        read);
    if (read)
        load.gradeFactors = Lines(
            connection, "SELECT GRADFACT,RESULT,DLLINK FROM HVXGR07G WHERE SHIPLINK = '%s'",
            shipLink, read);
    if (!read) {
        message = "Unable to read the shipment's deductions and grade factors.";
        return false;
    }
    load.stored = true;
    load.ounits = HVXSRound(TextNumber(load.figures.netUnits), 4);
    load.storedContract = load.contract;
    opened.Stored({std::move(load)});
    batch = std::move(opened);
    return true;
}

// What one shipment has booked, in ten-thousandths of a unit so that equal
// quantities cancel exactly: the contracts' received (OCQTY) and settled
// (QTYRECV) units and the units shipped from each commodity and location.
struct Booking {
    std::map<std::string, long long> received;
    std::map<std::string, long long> settled;
    std::map<std::pair<std::string, std::string>, long long> shipped;

    void Add(const ShipmentHeader& header, const std::string& contract, double units,
             bool companyOwned, int sign) {
        const long long u = sign * std::llround(units * 10000.0);
        if (!contract.empty()) {
            received[contract] += u;
            if (companyOwned) settled[contract] += u;
        }
        shipped[{header.commodity, header.location}] += u;
    }
};

double Units(long long tenThousandths) { return static_cast<double>(tenThousandths) / 10000.0; }

// Books the difference, each contract and place once, in a fixed order.
bool BookDifference(const LoadStorage& s, const DirectShipmentLoad& load, const Booking& change,
                    std::string& message) {
    for (const auto& [contract, units] : change.received)
        if (units != 0 && !AddUnitsReceived(s.connection, contract, Units(units), message))
            return false;
    for (const auto& [contract, units] : change.settled)
        if (units != 0 && !AddUnitsSettled(s.connection, contract, Units(units), message))
            return false;
    for (const auto& [place, units] : change.shipped) {
        if (units == 0) continue;
        const ShipmentHeader header{"", place.first, place.second};
        const LoadStorage at{s.connection, s.window, header};
        if (!BookShippedUnits(at, load, Units(units), message)) return false;
    }
    return true;
}

bool Changed(HVXSConnection& connection, const std::string& sql, const char* failure,
             std::string& message) {
    if (connection.ExecSQLChange(sql) >= 1) return true;
    message = failure;
    return false;
}

bool UpdateShipment(const LoadStorage& s, const DirectShipmentLoad& load, double adjust,
                    std::string& message) {
    const LoadFigures& f = load.figures;
    const bool owned = load.CompanyOwned();
    return Changed(
        s.connection,
        _HVXsprintf("UPDATE HVXGR07 SET REFERENCE='%s',SHIPDATE={%s},COMMODITY='%s',LOCATION='%s',"
                    "CARNUM='%s',CARINIT='%s',CUSTNAME='%s',CUSTREF='%s',CONTRACT='%s',"
                    "BASEPRICE='%s',ESTWGHT='%s',ESTUNITS='%s',INTRANP='%s',FROMDPR='%s',"
                    "VENDOR='%s',STATUS='%s',COMPLETED='%s',SHIPDEST='%s',VENPAID='%s',"
                    "ADJUST='%s' WHERE SHIPLINK='%s'",
                    load.reference, SqlDateText(s.header.date), s.header.commodity,
                    s.header.location, load.carNumber, load.carInitial, load.soldToName,
                    load.soldToRef, load.contract, StoredFigure(f.salePrice),
                    StoredFigure(f.netWt), StoredFigure(f.netUnits), StoredFigure(f.salePrice),
                    load.fromDpr, load.trucker, owned ? "S" : "O", owned ? "T" : "F",
                    load.destination, load.paid ? "T" : "F", HVXSRound(adjust, 4), load.shipLink),
        "Update Failed: HVXGR07.", message);
}

bool UpdateDetail(const LoadStorage& s, const DirectShipmentLoad& load, double recno,
                  std::string& message) {
    const LoadFigures& f = load.figures;
    return Changed(
        s.connection,
        _HVXsprintf("UPDATE HVXGR07A SET CONTRACT='%s',GRADE='%s',DOCKAGE='%s',GROSSWGHT='%s',"
                    "DOCKWGHT='%s',NETWGHT='%s',NETUNITS='%s',PRICE='%s',GROSSAMT='%s',"
                    "ADVANCE='%s',DEDUCT='%s',NETAMT='%s',WGHTDATE={%s},SETDATE={%s},"
                    "GLACCT1='%s',GLACCT2='%s',GLACCT3='%s' WHERE RECNO=%.0f",
                    load.contract, load.grade, StoredFigure(f.dockage), StoredFigure(f.grossWt),
                    StoredFigure(f.dockWt), StoredFigure(f.netWt), StoredFigure(f.netUnits),
                    StoredFigure(f.salePrice), StoredFigure(f.grossAmt),
                    StoredFigure(f.advances), StoredFigure(f.deductions), StoredFigure(f.netAmt),
                    SqlDateText(load.weighDate), SqlDateText(s.header.date), load.glAcct1,
                    load.glAcct2, load.glAcct3, recno),
        "Update Failed: HVXGR07A.", message);
}

// The load detail follows the grain the load was shipped from: updated when
// it stays company-owned, added when it becomes so, removed when it stops.
bool WriteDetail(const LoadStorage& s, DirectShipmentLoad& load, const StoredDetail& detail,
                 std::string& message) {
    if (!load.CompanyOwned()) {
        if (detail.recno == 0) return true;
        if (s.connection.ExecSQLChange(
                _HVXsprintf("DELETE FROM HVXGR07A WHERE RECNO=%.0f", detail.recno)) >= 0)
            return true;
        message = "Error deleting detail from HVXGR07A.";
        return false;
    }
    if (detail.recno != 0) return UpdateDetail(s, load, detail.recno, message);
    if (load.dlLink.empty()) load.dlLink = NextCharLnk(nullptr, 1, "HVXGR07A", "DLLINK");
    if (load.dlLink.empty()) {
        message = "Unable to get the next shipment link.";
        return false;
    }
    return InsertLoadDetail(s, load, message);
}

bool Revise(const DirectShipmentBatch& batch, HostWindow window, DirectShipmentLoad& load,
            std::string& message) {
    HVXSConnection connection(1, nullptr, 0);
    const LoadStorage s{connection, window, batch.header};
    StoredDetail detail;
    bool read = false;
    const std::vector<Row> adjust = Rows(
        connection, _HVXsprintf("SELECT ADJUST FROM HVXGR07 WHERE SHIPLINK='%s'", load.shipLink),
        1, read);
    if (!read || adjust.empty() || !ReadDetail(connection, load.shipLink, detail)) {
        message = "The shipment could not be found. It may have been deleted by another user.";
        return false;
    }
    if (!StillAsStored({connection, window, batch.StoredHeader()}, load, message)) return false;
    const double before = TextNumber(load.ounits);
    const double now = HVXRound(load.NetUnits(), 4);
    Booking change;
    change.Add(batch.StoredHeader(), load.storedContract, before, detail.recno != 0, -1);
    change.Add(batch.header, load.contract, now, load.CompanyOwned(), +1);
    // ADJUST keeps the units the shipment has been changed by since it was
    // first stored.
    return UpdateShipment(s, load, TextNumber(adjust.front()[0]) + now - before, message) &&
           WriteDetail(s, load, detail, message) && ReplaceLoadLines(s, load, message) &&
           BookDifference(s, load, change, message);
}

bool ReviseLocked(DirectShipmentBatch& batch, HostWindow window, std::string& message) {
    if (auto refused = batch.CheckHeader()) {
        message = refused->message;
        return false;
    }
    if (batch.Loads().size() != 1 || !batch.Loads().front().stored) {
        message = "Only one stored shipment can be revised at a time.";
        return false;
    }
    DirectShipmentLoad load = batch.Loads().front();
    SalesContractLocks locks;
    if (!locks.Lock({load.storedContract, load.contract}, message)) return false;
    HVXConnection carrier(1);
    Transaction tran(carrier, "SELECT RECNO FROM HVXGR07");
    if (!tran.Begun()) {
        message = "Unable to initial connection transaction.";
        return false;
    }
    if (!Revise(batch, window, load, message)) return false;
    if (!tran.Commit()) {
        message = "Unable to commit the shipments.";
        return false;
    }
    load.ounits = HVXSRound(load.NetUnits(), 4);
    load.storedContract = load.contract;
    batch.Stored({std::move(load)});
    return true;
}

}  // namespace

bool OpenStoredShipment(const std::string& shipLink, DirectShipmentBatch& batch,
                        std::string& message) {
    message.clear();
    return RunExplained(message, [&] { return Open(shipLink, batch, message); });
}

bool ReviseStoredShipment(DirectShipmentBatch& batch, HostWindow window, std::string& message) {
    message.clear();
    return RunExplained(message, [&] { return ReviseLocked(batch, window, message); });
}

}  // namespace hvx::shipments
