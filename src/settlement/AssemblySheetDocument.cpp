#include "settlement/AssemblySheetDocument.h"

#include <map>

#include "data/ReferenceLookups.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/ReportItems.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx::settlement {
namespace {

double Units(std::string_view stored) {
    return HVXRound(TextNumber(stored), 4);
}

std::string UnitsText(double units) {
    return _HVXsprintf("%.4f", HVXRound(units, 4));
}

std::string Joined(std::string_view a, std::string_view b) {
    return b.empty() ? std::string(a) : std::string(a) + " " + std::string(b);
}

bool ReadSplits(Statements& sql, AssemblySheet& sheet, std::map<std::string, std::size_t>& byLine,
                std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT CUSTREF,CONTRACT,DPR,SHAREUNITS,SETTUNITS,PSETUNITS,SETTLED,LINEID,"
                    "COMMODITY,LOCATION FROM HVXGR02S WHERE ASSEMBLY='%s' ORDER BY RECNO"},
                   {sheet.assembly}, 10, rows)) {
        message = sql.LastError();
        return false;
    }
    for (SqlRow& r : rows) {
        for (std::string& text : r) TRIM(text);
        const data::CustomerAddress customer = data::LookupCustomer(r[0]);
        if (!customer.error.empty()) {
            message = customer.error;
            return false;
        }
        byLine[r[7]] = sheet.splits.size();
        sheet.splits.push_back({r[0], customer.name, r[1], r[2], r[3], r[4], r[5], r[6], {}});
        if (sheet.commodity.empty()) sheet.commodity = r[8], sheet.location = r[9];
    }
    return true;
}

// Tickets hang under their split by its line id; a ticket whose split is
// gone still prints, under the first split, rather than vanish from the sheet.
bool ReadTickets(Statements& sql, AssemblySheet& sheet,
                 const std::map<std::string, std::size_t>& byLine, std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SCALETICK,CONTRACT,DPRSTATUS,UNITS,UNITSSET,PRICE,ASSEMLINK FROM "
                    "HVXGR03A WHERE ASSEMBLY='%s' ORDER BY RECNO"},
                   {sheet.assembly}, 7, rows)) {
        message = sql.LastError();
        return false;
    }
    for (SqlRow& r : rows) {
        for (std::string& text : r) TRIM(text);
        const auto split = byLine.find(r[6]);
        if (sheet.splits.empty()) sheet.splits.push_back({});
        sheet.splits[split == byLine.end() ? 0 : split->second].tickets.push_back(
            {r[0], r[1], r[2], r[3], r[4], r[5]});
    }
    return true;
}

}  // namespace

bool LoadAssemblySheet(std::string_view assembly, AssemblySheet& sheet, std::string& message) {
    sheet = AssemblySheet{};
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT ASSEMBLY,SETTLED FROM HVXGR02 WHERE ASSEMBLY='%s'"}, {assembly}, 2,
                   rows)) {
        message = sql.LastError();
        return false;
    }
    if (rows.empty()) {
        message = _HVXsprintf("Assembly %s was not found.", assembly);
        return false;
    }
    sheet.assembly = rows.front()[0];
    sheet.settled = rows.front()[1];
    std::map<std::string, std::size_t> byLine;
    if (!ReadSplits(sql, sheet, byLine, message) || !ReadTickets(sql, sheet, byLine, message))
        return false;
    const data::ReferenceName commodity = data::LookupCommodity(sheet.commodity);
    const data::ReferenceName location = data::LookupLocation(sheet.location);
    sheet.commodityName = commodity.name;
    sheet.locationName = location.name;
    sheet.priceFormat = data::CommodityPriceFormat(sheet.commodity);
    return true;
}

std::string SharePercent(const AssemblySheet& sheet, const AssemblySplit& split) {
    double total = 0;
    for (const AssemblySplit& s : sheet.splits) total += Units(s.shareUnits);
    if (HVXRound(total, 4) == 0) return "";
    return _HVXsprintf("%.2f", HVXRound(Units(split.shareUnits) * 100 / total, 2));
}

report::Document AssemblySheetDocument(const AssemblySheet& sheet) {
    report::Document doc;
    doc.title = "Assembly Sheet";
    doc.titleBlock = {
        "Assembly " + sheet.assembly + "    Settled: " + (sheet.settled == "T" ? "Yes" : "No"),
        "Commodity: " + Joined(sheet.commodity, sheet.commodityName) +
            "    Location: " + Joined(sheet.location, sheet.locationName)};
    doc.columns = {{"Customer / Ticket", 150},
                   {"Contract", 70},
                   {"Position", 80},
                   {"Share %", 45, report::Align::Right},
                   {"Units", 70, report::Align::Right},
                   {"Settled", 70, report::Align::Right},
                   {"Price", 55, report::Align::Right}};
    double share = 0, settled = 0, weighed = 0;
    for (const AssemblySplit& s : sheet.splits) {
        doc.items.push_back(report::GroupItem(s.customerName + " (" + s.customerRef + ")"));
        doc.items.push_back(
            report::RowItem({"Share", s.contract, s.position, SharePercent(sheet, s),
                             UnitsText(Units(s.shareUnits)), UnitsText(Units(s.settledUnits))}));
        double splitUnits = 0;
        for (const AssemblyTicket& t : s.tickets) {
            splitUnits += Units(t.units);
            doc.items.push_back(report::RowItem(
                {"  Ticket " + t.ticket, t.contract, t.position, "", UnitsText(Units(t.units)),
                 UnitsText(Units(t.unitsSettled)),
                 t.price.empty() ? ""
                                 : _HVXsprintf(sheet.priceFormat.c_str(), TextNumber(t.price))}));
        }
        doc.items.push_back(
            report::TotalItem({"  Tickets weighed", "", "", "", UnitsText(splitUnits)}));
        share += Units(s.shareUnits);
        settled += Units(s.settledUnits);
        weighed += splitUnits;
    }
    doc.items.push_back(report::SpaceItem());
    doc.items.push_back(
        report::TotalItem({"Assembly total", "", "", "", UnitsText(share), UnitsText(settled)}));
    doc.items.push_back(report::TotalItem({"Tickets weighed", "", "", "", UnitsText(weighed)}));
    return doc;
}

}  // namespace hvx::settlement
