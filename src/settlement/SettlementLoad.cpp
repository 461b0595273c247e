#include "settlement/SettlementLoad.h"

#include <string>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/UiPort.h"
#include "rules/StoredText.h"
#include "settlement/ChildListText.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::settlement {
namespace {

const char* const kHeaderQuery =
    "SELECT STYPE,SETTLEMENT,CUSTREF,CUSTNAME,ADTE,POSTED,CHECKNUM,CHECKAMT FROM HVXGR04 "
    "WHERE SETLINK='%s'";
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
    if (!connection.ExecSQL(_HVXsprintf(kHeaderQuery, set.header.setLink)))
        return Refuse(ui, connection.LastError());
    if (!connection.FetchNext())
        return Refuse(ui, _HVXsprintf("Unable to find record with this settlement link <%s>",
                                      set.header.setLink));
    const int storedType = static_cast<int>(TextNumber(connection.Column(1)));
    const int windowDigit = windowType == SettlementType::MultipleSource ? 1 : 0;
    if (storedType != windowDigit)
        return Refuse(ui, "Incorrect settlement type for this settlement window.");
    SettlementHeader& h = set.header;
    h.type = windowType;
    h.settlement = connection.Column(2);
    h.custRef = connection.Column(3);
    h.custName = connection.Column(4);
    // The header's own date is the entry date; the stored SETTDATE is not read.
    h.settDate = WindowDateForm(connection.Column(5));
    h.posted = connection.Column(6) == "T";
    h.checkNum = connection.Column(7);
    h.checkAmt = connection.Column(8);
    return true;
}

bool LoadTerms(SettlementRecordSet& set, UiPort& ui) {
    HVXSConnection connection(1, nullptr, 0);
    if (!connection.ExecSQL(_HVXsprintf(kTermsQuery, set.header.setLink)))
        return Refuse(ui, connection.LastError());
    if (!connection.FetchNext()) return true;
    DestinationTerms& t = set.terms;
    t.isDate = WindowDateForm(connection.Column(1));
    t.isRate = connection.Column(2);
    t.isDue = WindowDateForm(connection.Column(3));
    t.status = connection.Column(4);
    t.pPaidDate = WindowDateForm(connection.Column(5));
    t.amtPrepaid = connection.Column(6);
    t.sRateDate = connection.Column(7);
    t.storeCol = connection.Column(8);
    t.oUnits = connection.Column(9);
    t.ssDate = WindowDateForm(connection.Column(10));
    t.scRate = connection.Column(11);
    t.submitted = connection.Column(12);
    return true;
}

SettlementDetailItem LineFromRow(const HVXSConnection& row) {
    SettlementDetailItem line;
    line.source = row.Column(1);
    line.sourceRef = row.Column(2);
    line.commodity = row.Column(3);
    line.unitsSet = TextNumber(row.Column(4));
    line.fromDpr = row.Column(5);
    line.toDpr = row.Column(6);
    line.contract = row.Column(7);
    line.setDte = row.Column(8);
    line.patronage = row.Column(9);
    line.dlLink = row.Column(10);
    line.sourceLink = row.Column(11);
    line.glCode = row.Column(12);
    line.location = row.Column(13);
    line.stype = row.Column(14);
    line.priceUnit = TextNumber(row.Column(15));
    line.totPrice = TextNumber(row.Column(16));
    return line;
}

void DestinationFromRow(const HVXSConnection& row, SettlementDetailItem& line) {
    line.isDate = row.Column(1);
    line.isRate = row.Column(2);
    line.isDue = row.Column(3);
    line.status = row.Column(4);
    line.pPaidDate = row.Column(5);
    line.amtPrepaid = row.Column(6);
    line.sRateDate = row.Column(7);
    line.storeCol = row.Column(8);
    line.oUnits = row.Column(9);
    line.ssDate = row.Column(10);
    line.scRate = row.Column(11);
    line.avgPrice = TextNumber(row.Column(12));
    line.grossAmt = TextNumber(row.Column(13));
    line.netAmt = TextNumber(row.Column(14));
    line.submitted = row.Column(15);
}

bool LoadLines(SettlementRecordSet& set, UiPort& ui) {
    set.defaults.Clear();
    HVXSConnection lines(1, nullptr, 0);
    HVXSConnection destination(1, nullptr, 0);
    if (!lines.ExecSQL(_HVXsprintf(kLinesQuery, set.header.setLink)))
        return Refuse(ui, lines.LastError());
    while (lines.FetchNext()) {
        SettlementDetailItem line = LineFromRow(lines);
        set.defaults.FillFrom(line);
        if (line.stype == "0") {
            if (!destination.ExecSQL(_HVXsprintf(kLineDestinationQuery, line.dlLink)))
                return Refuse(ui, destination.LastError());
            if (!destination.FetchNext())
                return Refuse(ui,
                              "Error retrieving record from HVXGR04F. Unable to load settlement.");
            DestinationFromRow(destination, line);
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

bool LoadSettlement(SettlementRecordSet& set, std::string_view setLink,
                    SettlementType windowType, UiPort& ui) {
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

}  // namespace hvx::settlement
