#include "windows/sources/SourceSelectionGrid.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementDetailList.h"

namespace hvx {
namespace {

// The three lists of tickets share their columns and join; they differ in
// what limits them.
const std::string kTicketSelect =
    "SELECT HVXGR03A.SCALETICK,HVXGR03A.ASSEMBLY,HVXGR02S.COMMODITY,HVXGR02S.LOCATION,"
    "HVXGR03A.CONTRACT,HVXGR03A.UNITS,HVXGR03A.UNITSSET,HVXGR03A.PRICE,HVXGR03A.DPRSTATUS,"
    "HVXGR03A.STDLINEID,HVXGR03A.RECNO FROM HVXGR03A,HVXGR02S WHERE HVXGR03A.ASSEMLINK = "
    "HVXGR02S.LINEID AND HVXGR03A.CUSTREF = ? AND HVXGR03A.SETTLED = 'F'";
const std::string kTicketsOfAssembly = kTicketSelect + " AND HVXGR03A.ASSEMBLY = ? ORDER BY SCALETICK";
const std::string kTicketsOfCommodity =
    kTicketSelect + " AND HVXGR02S.COMMODITY = ? AND HVXGR02S.LOCATION = ? ORDER BY SCALETICK";
const std::string kTicketsOfCustomer = kTicketSelect + " ORDER BY SCALETICK";

// The splits take the columns of the assembly lookup, with their open units
// and the key a line draws on.
const char* const kSplitsOfCustomer =
    "SELECT ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS,LINEID FROM HVXGR02S "
    "WHERE CUSTREF = ? AND SETTLED = 'F' ORDER BY ASSEMBLY";
const char* const kSplitsOfCommodity =
    "SELECT ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS,LINEID FROM HVXGR02S "
    "WHERE CUSTREF = ? AND SETTLED = 'F' AND COMMODITY = ? AND LOCATION = ? ORDER BY ASSEMBLY";

const std::vector<SourceColumn> kTicketColumns{
    {"Ticket #", 20, 30},          {"Assembly", 20, 30},         {"DPR Status", 20, 40},
    {"Contract", 20, 30},          {"Units", 20, 30},            {"Commodity", 20, 30},
    {"Location", 10, 30},          {"Price", 15, 40, true},      {"Share Units", 15, 40, true},
    {"Settled Units", 15, 40, true}, {"STDLINEID", 15, 40, true}, {"RECNO", 15, 40, true}};

// "Units" stands fifth, as on the ticket list, so the total reads the same column.
const std::vector<SourceColumn> kSplitColumns{
    {"Assembly #", 13, 30}, {"Contract", 11, 30},   {"DPR", 18, 40},
    {"Loc.", 8, 30},        {"Units", 15, 30},      {"Commodity", 13, 30},
    {"Share Units", 15, 40, true}, {"Settled Units", 15, 40, true}, {"LINEID", 15, 40, true}};

std::string Units4(double units) { return _HVXsprintf("%.4f", units); }

bool AlreadyTaken(const settlement::SettlementDetailList& taken, std::string_view kind,
                  const std::string& reference, const std::string& link) {
    return std::ranges::any_of(taken.Items(), [&](const settlement::SettlementDetailItem& line) {
        return line.source == kind && line.sourceRef == reference && line.sourceLink == link;
    });
}

}  // namespace

double OpenUnits(std::string_view units, std::string_view settled) {
    return HVXRound(HVXRound(TextNumber(units), 4) - HVXRound(TextNumber(settled), 4), 4);
}

SourceSelectionGrid::SourceSelectionGrid(std::string_view kind) : tickets_(kind == kScaleTicket) {}

const std::vector<SourceColumn>& SourceSelectionGrid::Columns() const {
    return tickets_ ? kTicketColumns : kSplitColumns;
}

bool SourceSelectionGrid::Fill(const SourceFilter& filter,
                               const settlement::SettlementDetailList& taken,
                               std::string& message) {
    rows_.clear();
    return tickets_ ? FillTickets(filter, taken, message) : FillSplits(filter, taken, message);
}

bool SourceSelectionGrid::FillTickets(const SourceFilter& f,
                                      const settlement::SettlementDetailList& taken,
                                      std::string& message) {
    HVXConnection connection(1);
    PreparedStatements sql(connection);
    std::vector<SqlRow> rows;
    bool read;
    if (!f.assembly.empty())
        read = sql.Query({{}, kTicketsOfAssembly}, {f.custRef, f.assembly}, 11, rows);
    else if (!f.commodity.empty())
        read = sql.Query({{}, kTicketsOfCommodity}, {f.custRef, f.commodity, f.location}, 11, rows);
    else
        read = sql.Query({{}, kTicketsOfCustomer}, {f.custRef}, 11, rows);
    if (!read) return message = sql.LastError(), false;
    for (const SqlRow& r : rows) {
        // A ticket line the settlement already takes is not offered twice.
        if (AlreadyTaken(taken, kScaleTicket, r[0], r[9])) continue;
        SourceRow row;
        row.open = OpenUnits(r[5], r[6]);
        row.cells = {r[0], r[1], r[8], r[4], Units4(row.open), r[2], r[3], r[7], r[5], r[6], r[9],
                     _HVXsprintf("%.0f", TextNumber(r[10]))};
        row.reference = r[0], row.assembly = r[1], row.link = r[9], row.contract = r[4];
        row.dpr = r[8], row.commodity = r[2], row.location = r[3];
        rows_.push_back(std::move(row));
    }
    return true;
}

bool SourceSelectionGrid::FillSplits(const SourceFilter& f,
                                     const settlement::SettlementDetailList& taken,
                                     std::string& message) {
    HVXConnection connection(1);
    PreparedStatements sql(connection);
    std::vector<SqlRow> rows;
    const bool read =
        f.commodity.empty()
            ? sql.Query({{}, kSplitsOfCustomer}, {f.custRef}, 8, rows)
            : sql.Query({{}, kSplitsOfCommodity}, {f.custRef, f.commodity, f.location}, 8, rows);
    if (!read) return message = sql.LastError(), false;
    for (const SqlRow& r : rows) {
        if (AlreadyTaken(taken, kAssembly, r[0], r[7])) continue;
        SourceRow row;
        row.open = OpenUnits(r[5], r[6]);
        row.cells = {r[0], r[1], r[4], r[3], Units4(row.open), r[2], r[5], r[6], r[7]};
        row.reference = r[0], row.assembly = r[0], row.link = r[7], row.contract = r[1];
        row.dpr = r[4], row.commodity = r[2], row.location = r[3];
        rows_.push_back(std::move(row));
    }
    return true;
}

}  // namespace hvx
