// The entry windows' source picks, print pop-up, small buttons and the pay
// names a settlement starts with.
#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/Categories.h"
#include "rules/SettledQuantityText.h"
#include "rules/SourceKinds.h"
#include "settlement/CheckPrinting.h"
#include "shell/InterfaceObject.h"
#include "shell/ReportCalls.h"
#include "windows/entry/EntrySources.h"
#include "windows/entry/PrintMenu.h"
#include "windows/entry/SettlementEntryWindow.h"
#include "windows/paynames/DefaultPayNames.h"
#include "windows/posted/PostedChange.h"
#include "windows/sources/SettleLookups.h"
#include "windows/sources/SourceSelectionController.h"

namespace hvx::entry {
namespace {

const char* const kOpenSourcesOfCommodity =
    "SELECT CONTRACT,SETTLEMENT,COMMODITY,LOCATION,OUNITS,UNITSSET,STR(RECNO) FROM HVXGR04F WHERE "
    "TODPR='%s' AND CUSTREF='%s' AND COMMODITY='%s' AND LOCATION='%s' AND STATUS='O'";
const char* const kOpenSources =
    "SELECT CONTRACT,SETTLEMENT,COMMODITY,LOCATION,OUNITS,UNITSSET,STR(RECNO) FROM HVXGR04F WHERE "
    "TODPR='%s' AND CUSTREF='%s' AND STATUS='O'";
const char* const kTicketColumns =
    "CONTRACT,Ticket #,20,0,SETTLEMENT,Settlement #,20,0,COMMODITY,Commodity,20,0,LOCATION,Loc.,10,"
    "0,OUNITS,Remaining,20,0,UNITSSET,Original,20,0";
const char* const kContractColumns =
    "CONTRACT,Contract #,20,0,SETTLEMENT,Settlement #,20,0,COMMODITY,Commodity,20,0,LOCATION,"
    "Location,10,0,OUNITS,Remaining,20,0,UNITSSET,Original,20,0";

// What the view of a source or a commodity shows, by the table it is read from.
struct RecordView {
    const char* title;
    const char* select;
    std::vector<const char*> labels;
};

const RecordView kSplitView{"Assembly Split",
                            "SELECT ASSEMBLY,COMMODITY,LOCATION,DPR,SHAREUNITS,SETTUNITS FROM "
                            "HVXGR02S WHERE LINEID='%s'",
                            {"Assembly", "Commodity", "Location", "Position", "Share units",
                             "Settled units"}};
const RecordView kTicketView{"Scale Ticket",
                             "SELECT SCALETICK,ASSEMBLY,DPRSTATUS,UNITS,UNITSSET FROM HVXGR03A "
                             "WHERE STDLINEID='%s'",
                             {"Scale ticket", "Assembly", "Position", "Units", "Settled units"}};
const RecordView kContractView{"Open Contract",
                               "SELECT CONTRACT,SETTLEMENT,TODPR,COMMODITY,LOCATION,SETDTE,"
                               "UNITSSET,OUNITS FROM HVXGR04F WHERE DLLINK='%s'",
                               {"Contract", "Settlement", "Category", "Commodity", "Location",
                                "Date", "Original units", "Remaining units"}};
const RecordView kCommodityView{"Commodity",
                                "SELECT REFERENCE,NAME,DECIMALS FROM HVXGR51 WHERE REFERENCE='%s'",
                                {"Reference", "Name", "Decimals"}};

}  // namespace

void SettlementEntryWindow::PickSource() {
    if (!LineButtonsEnabled() || (SingleSource() && !set_.details.Empty())) {
        ShowMessage(ui_, kMsgOptionUnavailable);
        return;
    }
    if (set_.header.custRef.empty()) {
        ShowMessage(ui_, kMsgNoCustomerReference);
        return;
    }
    if (!IsSourceKind(line_.sourceKind)) {
        ShowMessage(ui_, SingleSource() ? kMsgNoSourceSelected : kMsgUnknownSource);
        return;
    }
    EngineFailureWatch watch;
    settlement::SettlementDefaults& d = set_.defaults;
    std::string start = line_.sourceRef, message;
    const bool narrowed = !d.commodity.empty();
    if (line_.sourceKind == kAssembly && SingleSource()) {
        AssemblyPick pick;
        const LookupResult r = FindAssemblyToSettle(ui_, AssemblyListUse::Window,
                                                    set_.header.custRef, d.commodity, d.location,
                                                    start, pick, message);
        if (r == LookupResult::Failed) ShowMessage(ui_, message);
        if (r != LookupResult::Picked) return;
        line_.sourceRef = pick.assembly, line_.sourceLink = pick.lineId;
        d.commodity = pick.commodity, d.location = pick.location;
    } else if (line_.sourceKind == kAssembly || line_.sourceKind == kScaleTicket) {
        SourceSelectionResult result;
        if (!dialogs_.SelectSources({line_.sourceKind, set_.header.custRef, values_.destination,
                                     type_, set_.header.settDate},
                                    set_, result))
            return;
        if (!result.linesBuilt.empty()) {
            changed_ = true;
            RecomputeDestination();
            NewLine();
            ui_.SetFocus(kButtonMenu);
            return;
        }
        if (!result.single) return;
        line_.sourceRef = result.single->source.reference;
        line_.sourceLink = result.single->source.link;
        line_.price = _HVXsprintf("%.4f", result.single->price);
        line_.quantity = UnitsText(result.single->units, prices_.Inputs().decimals);
    } else if (SingleSource()) {
        ContractPick pick;
        const LookupResult r =
            FindContractToSettle(ui_, line_.sourceKind, set_.header.custRef, start, pick, message);
        if (r == LookupResult::Failed) ShowMessage(ui_, message);
        if (r != LookupResult::Picked) return;
        line_.sourceRef = pick.contract, line_.sourceLink = pick.dlLink;
        d.commodity = pick.commodity, d.location = pick.location;
    } else {
        const std::string select =
            narrowed ? _HVXsprintf(kOpenSourcesOfCommodity, line_.sourceKind, set_.header.custRef,
                                   d.commodity, d.location)
                     : _HVXsprintf(kOpenSources, line_.sourceKind, set_.header.custRef);
        const double recno = ui_.SearchWin(
            start, line_.sourceKind == kStorageTicket ? kTicketColumns : kContractColumns, select,
            "");
        if (recno == 0) return;
        ContractSourcePick pick;
        if (!ReadContractPick(recno, line_.sourceKind, start, pick, message)) {
            ShowMessage(ui_, message);
            return;
        }
        line_.sourceRef = pick.sourceRef, line_.sourceLink = pick.sourceLink;
        if (d.commodity.empty()) d.commodity = pick.commodity, d.location = pick.location;
    }
    if (!ReadSourceOpen(line_, message)) {
        ShowMessage(ui_, message);
        return;
    }
    line_.sourceLoaded = true;
    PreparePrices();
    lineChanged_ = true;
    if (SingleSource()) {
        d.sourceKind = line_.sourceKind, d.sourceRef = line_.sourceRef;
        d.sourceLink = line_.sourceLink, d.fromCategory = line_.sourceKind;
        NewLine();
        ui_.SetFocus(kButtonMenu);
        return;
    }
    if (line_.quantity.empty())
        line_.quantity = UnitsText(Available(set_, line_), prices_.Inputs().decimals);
    ui_.SetFocus(DestinationSells(values_.destination) ? kFieldUnitPrice : kButtonAcceptLine);
}

void SettlementEntryWindow::Print() {
    if (!Stored()) {
        ShowMessage(ui_, kMsgOptionUnavailable);
        return;
    }
    const std::vector<PopUpEntry> entries = PrintEntries(set_);
    const int chosen = dialogs_.PopUp(kButtonPrint, entries);
    if (chosen < 0 || !entries[chosen].enabled || !AskChanges()) return;
    EngineFailureWatch watch;
    const HostWindow window = dialogs_.Window();
    switch (static_cast<PrintEntry>(chosen)) {
        case PrintEntry::Settlement:
            PrintSettlement(window, SettlementPrintout::Settlement, set_.header.settlement);
            break;
        case PrintEntry::Check: {
            const std::string setLink = set_.header.setLink;
            settlement::CheckPrinting(ui_, window)
                .PrintSettlementCheck(set_.header.checkNum, setLink, set_.header.recno);
            Show(setLink);
            break;
        }
        case PrintEntry::PricedLaterContract:
            PrintSettlement(window, SettlementPrintout::SettlementContract, set_.header.settlement);
            break;
        case PrintEntry::InstallmentSaleContract:
            PrintSettlement(window, SettlementPrintout::InstallmentSaleContract,
                            set_.header.settlement);
            break;
        case PrintEntry::AssemblySheet:
            PrintAssemblySheet(window, AssemblyOf(set_));
            break;
    }
}

void SettlementEntryWindow::ViewSource() {
    if (line_.sourceKind.empty()) return (void)ShowMessage(ui_, kMsgNoSourceYet);
    if (line_.sourceLink.empty()) return (void)ShowMessage(ui_, kMsgNoSourceReference);
    const RecordView& view = line_.sourceKind == kAssembly      ? kSplitView
                             : line_.sourceKind == kScaleTicket ? kTicketView
                                                                : kContractView;
    ShowRecord(view.title, view.select, view.labels, line_.sourceLink);
}

void SettlementEntryWindow::ViewCommodity() {
    if (set_.defaults.commodity.empty()) return (void)ShowMessage(ui_, kMsgNoCommodity);
    ShowRecord(kCommodityView.title, kCommodityView.select, kCommodityView.labels,
               set_.defaults.commodity);
}

void SettlementEntryWindow::ShowRecord(const char* title, const char* select,
                                       const std::vector<const char*>& labels,
                                       const std::string& key) {
    std::string message;
    std::vector<SqlRow> rows;
    const bool read = RunExplained(message, [&] {
        HVXSConnection connection(1, nullptr, 0);
        LiteralStatements sql(connection);
        if (sql.Query({select}, {key}, static_cast<int>(labels.size()), rows) && !rows.empty())
            return true;
        message = _HVXsprintf("Unable to read %s %s.", title, key);
        return false;
    });
    if (!read) return (void)ShowMessage(ui_, message);
    EntryDialogs::RecordFields fields;
    for (std::size_t i = 0; i < labels.size(); ++i) fields.emplace_back(labels[i], rows[0][i]);
    dialogs_.ViewRecord(title, fields);
}

// The commodity and location of a settlement are fixed once it has a line.
void SettlementEntryWindow::SearchReference(bool commodity) {
    if (Stored() || !set_.details.Empty() || !LineButtonsEnabled() ||
        (SingleSource() && HasSourceRecord(line_.sourceKind)))
        return (void)ShowMessage(ui_, kMsgOptionUnavailable);
    EngineFailureWatch watch;
    std::string& field = commodity ? set_.defaults.commodity : set_.defaults.location;
    std::string start = field;
    const double recno =
        commodity ? ui_.SearchWin(start, "REFERENCE,Reference,20,-1,NAME,Name,30,0",
                                  "SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51", "")
                  : ui_.SearchWin(start, "LOCREF,Reference,18,-1,LOCDESC,Description,40,0",
                                  "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16", "");
    if (recno == 0) return;
    field = start;
    PreparePrices();
    changed_ = true;
}

void SettlementEntryWindow::ShowAdvances() {
    if (set_.header.custRef.empty()) return (void)ShowMessage(ui_, kMsgOptionUnavailable);
    EngineFailureWatch watch;
    PreparePrices();
    prices_.RefreshArInformation();
    prices_.ShowArInformation();
}

void SettlementEntryWindow::DefaultPayNamesIfEmpty() {
    if (set_.payNames.Count() != 0) return;
    const bool priced = HasLineTo(set_, kPriced);
    if (!priced) return;
    InterfaceObject events(dialogs_.Window());
    DefaultPayNames(ui_, events,
                    {set_.header.custRef, set_.header.settDate, set_.defaults.commodity,
                     set_.header.custName},
                    set_.payNames);
}

void SettlementEntryWindow::EditPayNames() {
    if (Posted() || lockedByOther_) return (void)ShowMessage(ui_, kMsgOptionUnavailable);
    DefaultPayNamesIfEmpty();
    if (dialogs_.EditPayNames(set_.payNames)) changed_ = true;
}

}  // namespace hvx::entry

namespace hvx::entry {

void SettlementEntryWindow::ChangePosted() {
    // Until a settlement is posted its terms change through the line itself.
    if (!Posted() || lockedByOther_) return (void)ShowMessage(ui_, kMsgOptionUnavailable);
    const bool changed =
        SingleSource()
            ? posted::ChangePostedLine(set_, selected_, dialogs_.PostedChanges(), ui_)
            : posted::ChangePostedDestination(set_, values_.destination, dialogs_.PostedChanges(),
                                              ui_);
    if (changed && selected_ && *selected_ < set_.details.Count()) LoadLine(*Lines()[*selected_]);
}

}  // namespace hvx::entry
