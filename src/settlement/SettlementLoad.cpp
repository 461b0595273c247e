#include "settlement/SettlementLoad.h"

#include <string>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "rules/StoredText.h"
#include "settlement/ChildListText.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::settlement {
namespace {

const char* const kHeaderQuery =
    "SELECT STYPE,SETTLEMENT,CUSTREF,CUSTNAME,ADTE,POSTED,CHECKNUM,CHECKAMT,REVERSED,NUMCHANGE,"
    "RECNO FROM HVXGR04 WHERE SETLINK='%s'";
const char* const kLinkOfNumber = "SELECT SETLINK FROM HVXGR04 WHERE SETTLEMENT='%s'";
const char* const kTermsQuery =
    "SELECT ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,"
    "SCRATE,SUBMITTED FROM HVXGR04F WHERE SETLINK='%s'";
const char* const kLinesQuery =
    "SELECT SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,CONTRACT,SETDTE,PATRONAGE,DLLINK,"
    "SOURCELINK,GLCODE,LOCATION,STYPE,PRICEUNIT,TOTPRICE FROM HVXGR04D WHERE SETLINK='%s'";
const char* const kLineDestinationQuery =
    "SELECT ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,"
    "SCRATE,AVGPRICE,GROSSAMT,NETAMT,SUBMITTED FROM HVXGR04F WHERE DLLINK='%s'";

// The settlement window carries its dates as eight digits; shorter stored
// texts are no date and are kept as they are.
std::string WindowDateForm(const std::string& stored) {
    CivilDate date;
    if (CharacterCount(stored) >= 7 && ReadDate(stored, date)) return WindowDate(date);
    return stored;
}

// Ends the loading mode of the sources on every way out of the load.
class LoadingMode {
public:
    explicit LoadingMode(SettlementDetailList& list) : list_(list) { list_.SetLoading(true); }
    ~LoadingMode() { list_.SetLoading(false); }
    LoadingMode(const LoadingMode&) = delete;
    LoadingMode& operator=(const LoadingMode&) = delete;

private:
    SettlementDetailList& list_;
};

bool Refuse(UiPort& ui, std::string_view message) {
    ShowMessage(ui, message);
    return false;
}

bool LoadHeader(SettlementRecordSet& set, SettlementType windowType, UiPort& ui) {
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({kHeaderQuery}, {set.header.setLink}, 11, rows))
        return Refuse(ui, sql.LastError());
    if (rows.empty())
        return Refuse(ui, _HVXsprintf("Unable to find record with this settlement link <%s>",
                                      set.header.setLink));
    const SqlRow& row = rows.front();
    const int storedType = static_cast<int>(TextNumber(row[0]));
    const int windowDigit = windowType == SettlementType::MultipleSource ? 1 : 0;
    if (storedType != windowDigit)
        return Refuse(ui, "Incorrect settlement type for this settlement window.");
    SettlementHeader& h = set.header;
    h.type = windowType;
    h.settlement = row[1];
    h.custRef = row[2];
    h.custName = row[3];
    // The header's own date is the entry date; the stored SETTDATE is not read.
    h.settDate = WindowDateForm(row[4]);
    h.posted = row[5] == "T";
    h.checkNum = row[6];
    h.checkAmt = row[7];
    // The record number makes a later save update this header, and lets the
    // deletion and the reversal find it.
    h.reversed = row[8] == "T";
    h.numChange = row[9];
    h.recno = TextNumber(row[10]);
    return true;
}

bool LoadTerms(SettlementRecordSet& set, UiPort& ui) {
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({kTermsQuery}, {set.header.setLink}, 12, rows))
        return Refuse(ui, sql.LastError());
    if (rows.empty()) return true;
    const SqlRow& row = rows.front();
    DestinationTerms& t = set.terms;
    t.isDate = WindowDateForm(row[0]);
    t.isRate = row[1];
    t.isDue = WindowDateForm(row[2]);
    t.status = row[3];
    t.pPaidDate = WindowDateForm(row[4]);
    t.amtPrepaid = row[5];
    t.sRateDate = row[6];
    t.storeCol = row[7];
    t.oUnits = row[8];
    t.ssDate = WindowDateForm(row[9]);
    t.scRate = row[10];
    t.submitted = row[11];
    return true;
}

SettlementDetailItem LineFromRow(const SqlRow& row) {
    SettlementDetailItem line;
    line.source = row[0];
    line.sourceRef = row[1];
    line.commodity = row[2];
    line.unitsSet = TextNumber(row[3]);
    line.fromDpr = row[4];
    line.toDpr = row[5];
    line.contract = row[6];
    line.setDte = row[7];
    line.patronage = row[8];
    line.dlLink = row[9];
    line.sourceLink = row[10];
    line.glCode = row[11];
    line.location = row[12];
    line.stype = row[13];
    line.priceUnit = TextNumber(row[14]);
    line.totPrice = TextNumber(row[15]);
    return line;
}

void DestinationFromRow(const SqlRow& row, SettlementDetailItem& line) {
    line.isDate = row[0];
    line.isRate = row[1];
    line.isDue = row[2];
    line.status = row[3];
    line.pPaidDate = row[4];
    line.amtPrepaid = row[5];
    line.sRateDate = row[6];
    line.storeCol = row[7];
    line.oUnits = row[8];
    line.ssDate = row[9];
    line.scRate = row[10];
    line.avgPrice = TextNumber(row[11]);
    line.grossAmt = TextNumber(row[12]);
    line.netAmt = TextNumber(row[13]);
    line.submitted = row[14];
}

bool LoadLines(SettlementRecordSet& set, UiPort& ui) {
    set.defaults.Clear();
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> lines, destination;
    if (!sql.Query({kLinesQuery}, {set.header.setLink}, 16, lines))
        return Refuse(ui, sql.LastError());
    for (const SqlRow& row : lines) {
        SettlementDetailItem line = LineFromRow(row);
        set.defaults.FillFrom(line);
        if (line.stype == "0") {
            if (!sql.Query({kLineDestinationQuery}, {line.dlLink}, 15, destination))
                return Refuse(ui, sql.LastError());
            if (destination.empty())
                return Refuse(ui,
                              "Error retrieving record from HVXGR04F. Unable to load settlement.");
            DestinationFromRow(destination.front(), line);
        }
        set.details.AddLine(std::move(line));
    }
    return true;
}

bool LoadChildLists(SettlementRecordSet& set, UiPort& ui) {
    HVXSConnection connection(1, nullptr, 0);
    const std::string& link = set.header.setLink;
    std::string message;
    const bool loaded = set.deductions.Load(connection, link, message) &&
                        set.units.Load(connection, link, message) &&
                        set.grades.Load(connection, link, ui, message) &&
                        set.payNames.Load(connection, link, message);
    return loaded || Refuse(ui, message);
}

}  // namespace

bool LoadSettlement(SettlementRecordSet& set, std::string_view setLink, SettlementType windowType,
                    UiPort& ui) {
    EngineFailureWatch watch;  // its refusals name the engine's reason
    set.details.Clear();
    LoadingMode loading(set.details);
    set.header.setLink = std::string(setLink);
    if (!LoadHeader(set, windowType, ui)) return false;
    if (windowType == SettlementType::MultipleSource && !LoadTerms(set, ui)) return false;
    if (!LoadLines(set, ui) || !LoadChildLists(set, ui)) return false;
    set.loadedTotals = set.details.Totals();
    // A settlement as it was stored is no change of the user's.
    set.details.SetChanged(false);
    return true;
}

bool LoadSettlementByNumber(SettlementRecordSet& set, std::string_view number,
                            SettlementType windowType, UiPort& ui) {
    std::string setLink;
    {
        EngineFailureWatch watch;
        HVXSConnection connection(1, nullptr, 0);
        LiteralStatements sql(connection);
        if (!sql.Value({kLinkOfNumber}, {number}, setLink)) {
            const std::string& error = sql.LastError();
            return Refuse(ui, error.empty() ? _HVXsprintf("Unable to find settlement number <%s>",
                                                          number)
                                            : error);
        }
    }
    return LoadSettlement(set, setLink, windowType, ui);
}

}  // namespace hvx::settlement
