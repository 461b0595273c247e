#include "settlement/SettlementWriter.h"

#include "platform/Fail.h"
#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"
#include "settlement/AdvanceSelectionPort.h"
#include "settlement/CheckAmount.h"
#include "settlement/GrainAdvanceObject.h"
#include "settlement/GrainAdvanceTrackingObject.h"
#include "settlement/SettlementDetailWriter.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/SourceAllocation.h"
#include "shell/Counters.h"

namespace hvx::settlement {
namespace {

const char* const kInsertHeader =
    "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,"
    "CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char* const kUpdateHeader =
    "UPDATE HVXGR04 SET SETTLEMENT=?, CUSTREF=?, CUSTNAME=?, ADTE=?,SETTDATE=?,CHECKNUM=?,"
    "CHECKAMT=? WHERE RECNO=?";
const char* const kInsertFailed =
    "Error inserting settlement header into HVXGR04. Unable to save settlement.";
const char* const kUpdateFailed =
    "Error updating settlement header into HVXGR04. Unable to save settlement.";

// A new settlement takes its record number, link and number here, while the
// process lock is held, so no other save can take the same ones.
bool InsertHeader(SettlementHeader& h, HVXConnection& connection, const std::string& entryDate,
                  const std::string& settDate, std::string& message) {
    const double recno = NextRecordNumber("HVXGR04");
    if (recno == 0) return Fail(message, kInsertFailed);
    const long number = NextSettlementNumber(connection, &message);
    if (number == 0) return message.empty() ? Fail(message, kInsertFailed) : false;
    h.recno = recno;
    h.setLink = _Fmt("%.0f", recno);
    h.settlement = _HVXsprintf("%li", number);
    h.numChange = "0";
    const SqlRow values{h.settlement,
                        h.custRef,
                        h.custName,
                        entryDate,
                        settDate,
                        h.setLink,
                        "F",
                        "F",
                        h.checkNum,
                        h.checkAmt,
                        std::string(StypeOf(h.type)),
                        "0",
                        _Fmt("%.0f", recno)};
    return PreparedStatements(connection).Change({{}, kInsertHeader}, ValuesOf(values)) >= 1 ||
           Fail(message, kInsertFailed);
}

bool UpdateHeader(const SettlementHeader& h, HVXConnection& connection,
                  const std::string& entryDate, const std::string& settDate, std::string& message) {
    const SqlRow values{h.settlement, h.custRef,  h.custName, entryDate,
                        settDate,     h.checkNum, h.checkAmt, _Fmt("%.0f", h.recno)};
    return PreparedStatements(connection).Change({{}, kUpdateHeader}, ValuesOf(values)) >= 1 ||
           Fail(message, kUpdateFailed);
}

// The lists are written in the order each settlement type has always
// written them.
bool WriteChildLists(const SettlementRecordSet& set, HVXConnection& connection,
                     std::string& message) {
    const std::string& number = set.header.settlement;
    const std::string& link = set.header.setLink;
    const bool payNamesFirst = set.header.type == SettlementType::MultipleSource;
    if (payNamesFirst && !set.payNames.Write(connection, number, link, message)) return false;
    if (!set.deductions.Write(connection, number, link, message) ||
        !set.units.Write(connection, number, link, message) ||
        !set.grades.Write(connection, number, link, message))
        return false;
    return payNamesFirst || set.payNames.Write(connection, number, link, message);
}

// Without a dialog of the window, choosing advances by hand ends as a cancel.
class NoAdvanceSelection final : public AdvanceSelectionPort {
public:
    AdvanceChoice Choose(std::string_view, double, std::vector<double>&, std::string&) override {
        return AdvanceChoice::Canceled;
    }
};

AdvanceSettlementInput AdvanceInput(const SettlementRecordSet& set,
                                    const SettlementWindowValues& values) {
    AdvanceSettlementInput input;
    input.multipleSource = set.header.type == SettlementType::MultipleSource;
    input.checkNumber = set.header.checkNum;
    input.destination = values.destination;
    for (const SettlementDetailItem& line : set.details.Items())
        input.lines.push_back({line.dlLink, line.source, line.sourceRef, line.toDpr});
    for (const SettlementDeductionNode& row : set.deductions.Nodes())
        input.rows.push_back({row.dlLink, TextNumber(row.amount), row.da, row.advance == "T"});
    return input;
}

bool ApplySettlementAdvances(SettlementSaveWindow& window, HVXConnection& connection) {
    const SettlementHeader& h = window.set.header;
    GrainAdvanceTrackingObject tracking;
    CollectAdvanceItems(AdvanceInput(window.set, window.values), tracking);
    CivilDate date;
    const std::string advanceDate = ReadDate(h.settDate, date) ? FormatMdy(date) : h.settDate;
    NoAdvanceSelection noSelection;
    GrainAdvanceObject advances(window.ui, window.selection ? *window.selection : noSelection);
    return advances.ApplyAdvances(tracking, connection,
                                  {h.custRef, h.custName, advanceDate, h.settlement, h.setLink},
                                  window.message);
}

}  // namespace

bool WriteSettlement(SettlementSaveWindow& window, HVXConnection& connection) {
    SettlementRecordSet& set = window.set;
    std::string& message = window.message;
    message.clear();
    const std::string settDate = BoundDate(set.header.settDate);
    const std::string entryDate = BoundDate(set.header.entryDate);

    HVXSConnection lookups(1, nullptr, 0);
    if (!set.assemblies.Build(set.details, lookups, message)) return false;
    set.header.checkAmt = _HVXsprintf("%.2f", CheckAmount(set, window.values));

    const bool headerWritten =
        set.header.recno == 0 ? InsertHeader(set.header, connection, entryDate, settDate, message)
                              : UpdateHeader(set.header, connection, entryDate, settDate, message);
    return headerWritten && WriteSettlementDetails(window, connection, settDate, message) &&
           WriteChildLists(set, connection, message) &&
           ApplySettlementAdvances(window, connection) &&
           ApplySettlementToSources(connection, set, ContractSourceOf(set), message);
}

}  // namespace hvx::settlement
