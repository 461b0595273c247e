#include "settlement/SettlementDetailWriter.h"

#include <map>

#include "platform/Fail.h"
#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"

namespace hvx::settlement {
namespace {

const char* const kSelectLines = "SELECT RECNO FROM HVXGR04D WHERE SETLINK = ?";
const char* const kDeleteLine = "DELETE FROM HVXGR04D WHERE RECNO = ?";
const char* const kSelectDestinations = "SELECT RECNO FROM HVXGR04F WHERE SETLINK = ?";
const char* const kDeleteDestination = "DELETE FROM HVXGR04F WHERE RECNO = ?";
const char* const kDeleteFailed = "Unable to delete detail records from HVXGR04D.";
const char* const kStoredDestinations =
    "SELECT DLLINK,UNITSSET,OUNITS FROM HVXGR04F WHERE SETLINK = ?";

const char* const kInsertLine =
    "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,"
    "CONTRACT,SETDTE,PATRONAGE,STATUS,REVERSED,SOURCELINK,GLCODE,DLLINK,NUMCHANGE,RECNO,LOCATION,"
    "STYPE,CUSTREF,CUSTNAME,POSTED,GLPOSTED,PRICEUNIT,TOTPRICE) VALUES "
    "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char* const kInsertDestination =
    "INSERT INTO HVXGR04F (SETTLEMENT,DESTLINK,SETLINK,COMMODITY,SETDTE,ISDATE,ISRATE,ISDUE,"
    "STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,NUMCHANGE,RECNO,"
    "CONTRACT,UNITSSET,TODPR,CUSTREF,CUSTNAME,DLLINK,STYPE,AVGPRICE,GROSSAMT,NETAMT,LOCATION,"
    "SUBMITTED) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

const char* const kLineFailed = "Unable to insert source %s (%s) into HVXGR04D.";
const char* const kDestinationFailed = "Unable to insert source %s (%s) into HVXGR04F.";
const char* const kSettlementDestinationFailed =
    "Unable to insert source final multiple source settlement entry into HVXGR04F.";

std::string Flag(const std::string& text) {
    return text == "T" ? "T" : "F";
}

// Every record number is read before the first delete, so no engine walks a
// result while its rows go.
bool DeleteStored(HVXConnection& connection, const char* select, const char* remove,
                  const std::string& setLink, std::string& message) {
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, select}, {setLink}, 1, rows))
        return Fail(message, kDeleteFailed);
    for (const SqlRow& row : rows)
        if (PreparedStatements(connection)
                .Change({{}, remove}, {_Fmt("%.0f", TextNumber(row[0]))}) < 1)
            return Fail(message, kDeleteFailed);
    return true;
}

// What later settlements took from each stored destination of the settlement,
// by its DLLINK: its units less what is still open. The rewritten record keeps
// that part taken, so a line edited after it was drawn on stays drawn on.
bool SettledOnward(HVXConnection& connection, const std::string& setLink,
                   std::map<std::string, double>& onward, std::string& message) {
    std::vector<SqlRow> rows;
    if (!PreparedStatements(connection).Query({{}, kStoredDestinations}, {setLink}, 3, rows))
        return Fail(message, kDeleteFailed);
    for (const SqlRow& row : rows)
        onward[row[0]] = HVXRound(TextNumber(row[1]) - TextNumber(row[2]), 4);
    return true;
}

// One destination record: the terms and what it was settled at.
struct Destination {
    DestinationTerms terms;
    std::string destLink, commodity, contract, toDpr, dlLink, stype, location;
    double unitsSet = 0;
    double avgPrice = 0, grossAmt = 0, netAmt = 0;
};

// Every destination, a priced one too, holds its units open until a later
// settlement draws on them: reversal and deletion compare the open units with
// the units to tell whether anything was drawn. What stays open decides
// whether the record is open.
void SetOpenUnits(DestinationTerms& terms, double units, double onward) {
    const double open = HVXRound(units - onward, 4);
    terms.oUnits = _HVXsprintf("%.4f", open);
    terms.status = HVXRound(open, 5) == 0 ? "C" : "O";
}

DestinationTerms LineTerms(const SettlementDetailItem& line, double onward) {
    DestinationTerms terms{line.isDate,    line.isRate,     line.isDue,     {},
                           line.pPaidDate, line.amtPrepaid, line.sRateDate, line.storeCol,
                           {},             line.ssDate,     line.scRate,    line.submitted};
    SetOpenUnits(terms, line.unitsSet, onward);
    return terms;
}

class DetailWriter {
public:
    DetailWriter(const SettlementSaveWindow& window, HVXConnection& connection,
                 const std::string& settDate, std::string& message)
        : set_(window.set),
          values_(window.values),
          connection_(connection),
          settDate_(settDate),
          message_(message),
          stype_(StypeOf(window.set.header.type)) {}

    bool Write() {
        const std::string& setLink = set_.header.setLink;
        if (!SettledOnward(connection_, setLink, onward_, message_) ||
            !DeleteStored(connection_, kSelectLines, kDeleteLine, setLink, message_) ||
            !DeleteStored(connection_, kSelectDestinations, kDeleteDestination, setLink,
                          message_) ||
            !set_.assemblies.DeleteLinks(connection_, setLink, message_))
            return false;
        const bool single = set_.header.type == SettlementType::SingleSource;
        double totalUnits = 0;
        for (const SettlementDetailItem& line : set_.details.Items()) {
            double recno = 0;
            if (!InsertLine(line, recno)) return false;
            totalUnits += HVXRound(line.unitsSet, 4);
            if (single &&
                !InsertDestination(LineDestination(line, recno),
                                   _HVXsprintf(kDestinationFailed, line.source, line.sourceRef)))
                return false;
        }
        if (single) return true;
        return InsertDestination(SettlementDestination(totalUnits), kSettlementDestinationFailed);
    }

private:
    bool InsertLine(const SettlementDetailItem& line, double& recno) {
        const std::string failed = _HVXsprintf(kLineFailed, line.source, line.sourceRef);
        recno = NextRecordNumber("HVXGR04D");
        if (recno == 0) return Fail(message_, failed);
        const SettlementHeader& h = set_.header;
        // In the insert's column order.
        const SqlRow values{h.settlement,
                            h.setLink,
                            line.source,
                            line.sourceRef,
                            line.commodity,
                            _HVXsprintf("%.4f", line.unitsSet),
                            line.fromDpr,
                            line.toDpr,
                            line.contract,
                            settDate_,
                            Flag(line.patronage),
                            line.status,
                            "F",
                            line.sourceLink,
                            line.glCode,
                            line.dlLink,
                            "0",
                            _Fmt("%.0f", recno),
                            line.location,
                            std::string(stype_),
                            h.custRef,
                            h.custName,
                            h.posted ? "T" : "F",
                            line.source == kSetup ? "T" : "F",
                            _HVXsprintf("%.4f", line.priceUnit),
                            _HVXsprintf("%.2f", line.totPrice)};
        return PreparedStatements(connection_).Change({{}, kInsertLine}, ValuesOf(values)) >= 1 ||
               Fail(message_, failed);
    }

    Destination LineDestination(const SettlementDetailItem& line, double lineRecno) const {
        // Priced at the line's price per unit, total price and net amount.
        return {LineTerms(line, Onward(line.dlLink)),
                _Fmt("%.0f", lineRecno),
                line.commodity,
                line.contract,
                line.toDpr,
                line.dlLink,
                "0",
                line.location,
                line.unitsSet,
                line.priceUnit,
                line.totPrice,
                line.netAmt};
    }

    double Onward(const std::string& dlLink) const {
        const auto found = onward_.find(dlLink);
        return found == onward_.end() ? 0 : found->second;
    }

    // The one destination of a multiple-source settlement takes its category,
    // contract and commodity from the last line and its location from the
    // first line that has one.
    Destination SettlementDestination(double totalUnits) const {
        const SettlementDetailItem& last = set_.details.Items().back();
        Destination d{
            set_.terms, "", last.commodity, last.contract,    last.toDpr,       set_.header.setLink,
            "1",        "", totalUnits,     values_.avgPrice, values_.grossAmt, values_.netAmt};
        SetOpenUnits(d.terms, set_.details.TotalUnits(), Onward(set_.header.setLink));
        for (const SettlementDetailItem& line : set_.details.Items())
            if (!line.location.empty()) {
                d.location = line.location;
                break;
            }
        return d;
    }

    // The record, then the assembly links under its record number.
    bool InsertDestination(const Destination& d, const std::string& failed) {
        const double recno = NextRecordNumber("HVXGR04F");
        if (recno == 0) return Fail(message_, failed);
        const SettlementHeader& h = set_.header;
        const DestinationTerms& t = d.terms;
        const std::string flink = _Fmt("%.0f", recno);
        // In the insert's column order; SRATEDATE is a rate, not a date.
        const SqlRow values{h.settlement,
                            d.destLink,
                            h.setLink,
                            d.commodity,
                            settDate_,
                            BoundDate(t.isDate),
                            t.isRate,
                            BoundDate(t.isDue),
                            t.status,
                            BoundDate(t.pPaidDate),
                            t.amtPrepaid,
                            t.sRateDate,
                            t.storeCol,
                            t.oUnits,
                            BoundDate(t.ssDate),
                            t.scRate,
                            "0",
                            flink,
                            d.contract,
                            _HVXsprintf("%.4f", d.unitsSet),
                            d.toDpr,
                            h.custRef,
                            h.custName,
                            d.dlLink,
                            d.stype,
                            _HVXsprintf("%.4f", d.avgPrice),
                            _HVXsprintf("%.2f", d.grossAmt),
                            _HVXsprintf("%.2f", d.netAmt),
                            d.location,
                            Flag(t.submitted)};
        if (PreparedStatements(connection_).Change({{}, kInsertDestination}, ValuesOf(values)) < 1)
            return Fail(message_, failed);
        return set_.assemblies.WriteLinks(connection_, flink, h.setLink, message_);
    }

    const SettlementRecordSet& set_;
    const SettlementWindowValues& values_;
    HVXConnection& connection_;
    const std::string& settDate_;
    std::string& message_;
    std::string_view stype_;
    std::map<std::string, double> onward_;  // by DLLINK
};

}  // namespace

std::string BoundDate(std::string text) {
    SQLFmtDate(text);
    return text;
}

bool WriteSettlementDetails(const SettlementSaveWindow& window, HVXConnection& connection,
                            const std::string& settDate, std::string& message) {
    return DetailWriter(window, connection, settDate, message).Write();
}

}  // namespace hvx::settlement
