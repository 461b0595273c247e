#include "shipments/ShipmentDocument.h"

#include <cmath>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/AmountInWords.h"

namespace hvx::shipments {
namespace {

using report::Align;
using report::Item;

// Two texts with a space between, or whichever of them is not empty.
std::string Joined(std::string first, std::string second) {
    TRIM(first);
    TRIM(second);
    if (first.empty() || second.empty()) return first + second;
    return first + " " + second;
}

bool ReadRows(Statements& sql, const SqlPair& statement, const std::string& link, int columns,
              std::vector<SqlRow>& rows, std::string& message) {
    rows.clear();
    if (sql.Query(statement, {link}, columns, rows)) return true;
    message = sql.LastError();
    return false;
}

bool ReadLoad(Statements& sql, const std::string& link, ShipmentBatchData& batch,
              std::string& message) {
    std::vector<SqlRow> rows;
    if (!ReadRows(sql,
                  {"SELECT REFERENCE,SHIPDATE,COMMODITY,LOCATION,CARINIT,CARNUM,CUSTNAME,CONTRACT,"
                   "BASEPRICE,ESTWGHT,ESTUNITS,FROMDPR,VENDOR,SHIPDEST FROM HVXGR07 "
                   "WHERE SHIPLINK='%s'"},
                  link, 14, rows, message))
        return false;
    if (rows.empty()) {
        message = _HVXsprintf("Shipment %s was not found.", link);
        return false;
    }
    const SqlRow& r = rows.front();
    if (batch.loads.empty()) batch.date = r[1], batch.commodity = r[2], batch.location = r[3];
    ShipmentDocumentLoad load;
    load.reference = r[0], load.soldTo = r[6], load.contract = r[7], load.destination = r[13];
    load.car = Joined(r[4], r[5]), load.trucker = r[12], load.fromDpr = r[11];
    load.netWt = r[9], load.netUnits = r[10], load.price = r[8];

    if (!ReadRows(sql,
                  {"SELECT GROSSWGHT,DOCKWGHT,NETWGHT,NETUNITS,PRICE,GROSSAMT,DEDUCT,ADVANCE,"
                   "NETAMT FROM HVXGR07A WHERE SHIPLINK='%s'"},
                  link, 9, rows, message))
        return false;
    if (!rows.empty()) {
        const SqlRow& d = rows.front();
        load.companyOwned = true;
        load.grossWt = d[0], load.dockWt = d[1], load.netWt = d[2], load.netUnits = d[3];
        load.price = d[4], load.grossAmt = d[5], load.deductions = d[6], load.advances = d[7];
        load.netAmt = d[8];
        if (!ReadRows(sql,
                      {"SELECT D.DEDUCTION,D.AMOUNT,C.DESCRIPT FROM HVXGR07D D LEFT JOIN HVXGR52 C "
                       "ON C.REFERENCE=D.DEDUCTION WHERE D.SHIPLINK='%s' ORDER BY D.RECNO"},
                      link, 3, rows, message))
            return false;
        for (const SqlRow& line : rows)
            load.deductionLines.push_back({Joined(line[0], line[2]), line[1]});
        if (!ReadRows(sql,
                      {"SELECT GRADFACT,RESULT FROM HVXGR07G WHERE SHIPLINK='%s' ORDER BY RECNO"},
                      link, 2, rows, message))
            return false;
        for (const SqlRow& line : rows) load.gradeFactors.push_back({line[0], line[1]});
    }
    batch.loads.push_back(std::move(load));
    return true;
}

bool ReadCommodity(Statements& sql, ShipmentBatchData& batch, std::string& message) {
    std::vector<SqlRow> rows;
    if (!ReadRows(sql, {"SELECT NAME,UOM,DECIMALS FROM HVXGR51 WHERE REFERENCE='%s'"},
                  batch.commodity, 3, rows, message))
        return false;
    if (rows.empty()) return true;
    batch.commodityName = rows.front()[0];
    batch.unit = rows.front()[1];
    std::string decimals = rows.front()[2];
    TRIM(decimals);
    if (!decimals.empty()) batch.priceDecimals = static_cast<int>(TextNumber(decimals));
    return true;
}

// Money is added up in whole cents, so a column of stored amounts totals to
// exactly what a clerk adding the printed figures gets.
long long Cents(const std::string& amount) { return std::llround(TextNumber(amount) * 100); }

std::string Money(long long cents) { return settlement::AmountInFigures(cents / 100.0); }

std::string MoneyText(const std::string& amount) {
    return amount.empty() ? std::string() : Money(Cents(amount));
}

std::string Units(double units) { return HVXSRound(units, 4); }

std::vector<std::string> LoadCells(const ShipmentDocumentLoad& l, int priceDecimals) {
    return {l.reference, l.soldTo, l.contract, l.destination, l.car, l.trucker,
            l.grossWt, l.dockWt, l.netWt, Units(TextNumber(l.netUnits)),
            HVXSRound(TextNumber(l.price), priceDecimals), MoneyText(l.grossAmt),
            MoneyText(l.deductions), MoneyText(l.advances), MoneyText(l.netAmt)};
}

// The deductions and grade factors of a company-owned load, in the rows under
// it: their names across the descriptive columns, amounts under the
// deductions.
constexpr std::size_t kColumns = 15, kLabelSpan = 6, kUnitsColumn = 9, kDeductionsColumn = 12;

void AddLoadDetail(const ShipmentDocumentLoad& l, std::vector<Item>& items) {
    for (const ShipmentLine& d : l.deductionLines) {
        std::vector<std::string> cells(kColumns);
        cells[0] = "    Deduction " + d.reference;
        cells[kDeductionsColumn] = MoneyText(d.value);
        items.push_back(Item::Row(cells, kLabelSpan));
    }
    for (const ShipmentLine& g : l.gradeFactors)
        items.push_back(Item::Row({"    Grade " + g.reference + ": " + g.value}, kLabelSpan));
}

}  // namespace

bool LoadShipmentBatch(const std::vector<std::string>& shipLinks, ShipmentBatchData& batch,
                       std::string& message) {
    batch = ShipmentBatchData{};
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    for (const std::string& link : shipLinks)
        if (!ReadLoad(sql, link, batch, message)) return false;
    return ReadCommodity(sql, batch, message);
}

report::Document ShipmentBatchDocument(const ShipmentBatchData& batch) {
    report::Document d;
    d.title = "Direct Shipments";
    d.landscape = true;
    d.fontSize = 7;
    d.titleBlock = {"Date: " + batch.date,
                    "Commodity: " + Joined(batch.commodity, batch.commodityName) +
                        (batch.unit.empty() ? "" : " (" + batch.unit + ")"),
                    "Location: " + batch.location};
    d.columns = {{"Shipment #", 40},           {"Sold To", 72},
                 {"Contract", 50},             {"Destination", 54},
                 {"BL/Car #", 42},             {"Trucker", 50},
                 {"Gross Wt", 46, Align::Right}, {"Dock Wt", 40, Align::Right},
                 {"Net Wt", 46, Align::Right},   {"Net Units", 52, Align::Right},
                 {"Sale Price", 40, Align::Right}, {"Gross Amt", 50, Align::Right},
                 {"Deductions", 48, Align::Right}, {"Advances", 44, Align::Right},
                 {"Net Amt", 52, Align::Right}};
    double units = 0;
    long long gross = 0, deductions = 0, advances = 0, net = 0;
    for (const ShipmentDocumentLoad& l : batch.loads) {
        d.items.push_back(Item::Row(LoadCells(l, batch.priceDecimals)));
        if (l.companyOwned) AddLoadDetail(l, d.items);
        units = HVXRound(units + HVXRound(TextNumber(l.netUnits), 4), 4);
        gross += Cents(l.grossAmt), deductions += Cents(l.deductions);
        advances += Cents(l.advances), net += Cents(l.netAmt);
    }
    std::vector<std::string> totals(kColumns);
    totals[0] = _HVXsprintf("Total: %d loads", static_cast<int>(batch.loads.size()));
    totals[kUnitsColumn] = Units(units);
    totals[kDeductionsColumn - 1] = Money(gross), totals[kDeductionsColumn] = Money(deductions);
    totals[kDeductionsColumn + 1] = Money(advances), totals[kDeductionsColumn + 2] = Money(net);
    d.items.push_back(Item::Total(totals, kLabelSpan));
    return d;
}

}  // namespace hvx::shipments
