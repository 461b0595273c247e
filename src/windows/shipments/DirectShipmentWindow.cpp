// The "Direct Shipments" window's state and its commands.
#include "windows/shipments/DirectShipmentWindow.h"

#include <utility>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "settlement/SettlementSave.h"
#include "shell/GeneralLedgerCall.h"
#include "shell/InterfaceObject.h"
#include "shell/ReportCalls.h"
#include "shipments/ShipmentFinish.h"
#include "shipments/ShipmentLookups.h"
#include "shipments/ShipmentNumber.h"
#include "shipments/StoredShipment.h"
#include "windows/paynames/DefaultPayNames.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx::shipwin {
namespace {

// A checked load is carried again with its checks already passed (the G/L
// account is not asked of the general ledger twice).
bool AlreadyChecked(const std::string&, const std::string&, const std::string&) { return true; }

// The finish's own failures have no icon; the position ledger's and the
// contract locks' are warnings.
MsgIcon FinishIcon(std::string_view message) {
    for (std::string_view warning : {"Unable to update commodity", "Unable to lock"})
        if (message.substr(0, warning.size()) == warning) return MsgIcon::Exclamation;
    return MsgIcon::None;
}

}  // namespace

DirectShipmentWindow::DirectShipmentWindow(UiPort& ui, HostWindow window)
    : ui_(ui), window_(window) {
    NewLoad();
}

void DirectShipmentWindow::Open() {
    EngineFailureWatch watch;
    HVXSConnection connection(1, nullptr, 0);
    if (connection.ExecSQL("SELECT CONFIG9,CONFIG19,BCKOFFCE FROM HVXGR40") &&
        connection.FetchNext()) {
        batch_.autoNumbers = Trimmed(connection.Column(1)) == "T";
        batch_.glEntry = Trimmed(connection.Column(2)) == "T";
        backOffice_ = Trimmed(connection.Column(3));
    }
    NewLoad();
}

std::string DirectShipmentWindow::PoundsPerUnitText() const {
    return _HVXsprintf("Lbs / Unit : %.2f", poundsPerUnit_);
}

std::string DirectShipmentWindow::SettlementNumber() const {
    if (revising_) return "";
    return set_.header.settlement.empty() ? std::string(shipments::kAutoNumber)
                                          : set_.header.settlement;
}

double DirectShipmentWindow::SettlementGross() const {
    return HVXRound(set_.details.Totals().dollars, 2);
}

std::string DirectShipmentWindow::SettlementNet() const {
    return shipments::PurchaseNetAmount(SettlementGross(), deductions_);
}

void DirectShipmentWindow::SelectRow(std::size_t row) {
    if (row >= batch_.Loads().size()) return;
    selected_ = row;
    load_ = batch_.Loads()[row];
}

void DirectShipmentWindow::FiguresChanged() {
    EngineFailureWatch watch;
    shipments::RecalculateLoad(load_, batch_.header.commodity);
}

bool DirectShipmentWindow::Refuse(std::string_view message, std::string_view field) {
    ShowMessage(ui_, message);
    if (!field.empty()) ui_.SetFocus(field);
    return false;
}

bool DirectShipmentWindow::VerifyGl(const std::string& a1, const std::string& a2,
                                    const std::string& a3) {
    GLAccount account{{a1, a2, a3}};
    return VerifyGLAccount(window_, backOffice_, account);
}

bool DirectShipmentWindow::AddLoad() {
    EngineFailureWatch watch;
    // Tried on a copy, so a refused load leaves the grid as it was.
    shipments::DirectShipmentBatch trial = batch_;
    trial.settlementDestination = form_.destination;
    const auto refused = trial.AddLoad(load_, selected_, [this](auto& a1, auto& a2, auto& a3) {
        return VerifyGl(a1, a2, a3);
    });
    if (refused) return Refuse(refused->message, FieldOf(refused->field));
    if (revising_) {
        batch_ = std::move(trial);
        changed_ = true;
        NewLoad();
        ui_.SetFocus(kButtonFinish);
        return true;
    }
    DefaultPayNamesIfEmpty();
    const std::size_t row = selected_ ? *selected_ : trial.Loads().size() - 1;
    shipments::DirectShipmentLoad load = trial.Loads()[row];
    bool unclassified = false;
    std::string message;
    if (!shipments::CarryLoad(set_, trial.header, form_.destination, load, ui_, unclassified,
                              message))
        return Refuse(message, "");
    trial.AddLoad(std::move(load), row, AlreadyChecked);
    batch_ = std::move(trial);
    changed_ = true;
    if (unclassified) ShowMessage(ui_, kMsgUnclassifiedGLCode);
    NewLoad();
    ui_.SetFocus(kFieldReference);
    return true;
}

// A revised shipment has its one load and no other: a new load form brings
// that load back as it stands in the grid.
void DirectShipmentWindow::NewLoad() {
    if (revising_ && !batch_.Loads().empty()) return SelectRow(0);
    load_ = {};
    load_.fromDpr = kCompanyOwned;
    if (batch_.autoNumbers) load_.reference = shipments::kAutoNumber;
    selected_.reset();
}

bool DirectShipmentWindow::RemoveLoad() {
    if (!RemoveEnabled()) return Refuse(kMsgOptionUnavailable, "");
    if (!selected_) return Refuse(kMsgNoItemSelected, "");
    if (ui_.MessageBox(kMsgRemoveLoad, kRemoveCaption, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgAnswer::Yes)
        return false;
    shipments::DropLoad(set_, batch_.Loads()[*selected_], ui_);
    batch_.RemoveLoad(*selected_);
    changed_ = true;
    NewLoad();
    return true;
}

void DirectShipmentWindow::DefaultPayNamesIfEmpty() {
    if (set_.payNames.Count() != 0 || form_.destination != kPriced) return;
    InterfaceObject events(window_);
    DefaultPayNames(ui_, events,
                    {form_.custRef, form_.date, batch_.header.commodity, form_.custName},
                    set_.payNames);
}

// Every load's line again: the finish has drawn numbers, and the header or
// the settlement's destination may have changed since a load was added.
bool DirectShipmentWindow::CarryAll(std::string& message) {
    for (std::size_t row = 0; row < batch_.Loads().size(); ++row) {
        shipments::DirectShipmentLoad load = batch_.Loads()[row];
        bool unclassified = false;
        if (!shipments::CarryLoad(set_, batch_.header, form_.destination, load, ui_, unclassified,
                                  message))
            return false;
        batch_.AddLoad(std::move(load), row, AlreadyChecked);
    }
    return true;
}

bool DirectShipmentWindow::SaveSettlement() {
    std::string message;
    if (!CarryAll(message)) return Refuse(message, "");
    // The settlement is dated as the shipments unless the clerk dated it.
    if (Trimmed(form_.date).empty()) form_.date = batch_.header.date;
    form_.grossAmt = SettlementGross();
    form_.netAmt = TextNumber(SettlementNet());
    set_.defaults.commodity = batch_.header.commodity;
    set_.defaults.location = batch_.header.location;
    TakeDeductions();
    shipments::PreparePurchaseSettlement(set_, values_, form_);
    settlement::SettlementSaveWindow window{set_, values_, ui_, nullptr, message};
    if (!settlement::SaveSettlement(window)) {
        if (!message.empty()) ShowMessage(ui_, message);
        return false;
    }
    return true;
}

// The deduction table belongs to the settlement as a whole (no line link),
// as a settlement by destination keeps its deductions; each names the first
// load's line as its source.
void DirectShipmentWindow::TakeDeductions() {
    set_.deductions.RemoveLink("");
    if (set_.details.Empty()) return;
    const settlement::SettlementDetailItem& first = set_.details.Items().front();
    for (const shipments::PurchaseDeduction& d : deductions_)
        set_.deductions.Add(d.reference, d.amount, d.da, d.advCode == "1" ? "T" : "F", "",
                            first.sourceRef, first.source);
}

bool DirectShipmentWindow::Finish() {
    if (auto refused = batch_.CheckHeader())
        return Refuse(refused->message, FieldOf(refused->field));
    if (revising_) return FinishRevision();
    EngineFailureWatch watch;
    ui_.SetWaitCursor(true);
    std::string message;
    batch_.settlementDestination = form_.destination;
    const bool stored = shipments::FinishShipments(batch_, window_, message);
    const bool saved = stored && SaveSettlement();
    ui_.SetWaitCursor(false);
    if (!stored) {
        ui_.MessageBox(message, kCaption, MsgButtons::Ok, FinishIcon(message));
        return false;
    }
    if (HostPort* host = CurrentHostPort()) host->BroadcastToDocuments(kMsgDocumentNotice, 0, nullptr);
    // A settlement that could not be stored has no comments to take, and the
    // batch stays changed so that closing offers the finish again.
    if (saved && ui_.MessageBox(kMsgEnterComments, kCommentsCaption, MsgButtons::YesNo,
                                MsgIcon::Question) == MsgAnswer::Yes)
        ui_.DoComment(settlement::kSettlementCommentTable, set_.header.setLink);
    changed_ = !saved;
    ui_.SetFocus(kButtonPrint);
    return saved;
}

// The revision has no purchase settlement to store: the settlement that
// bought the grain stays as it was saved.
bool DirectShipmentWindow::FinishRevision() {
    EngineFailureWatch watch;
    ui_.SetWaitCursor(true);
    std::string message;
    const bool stored = shipments::ReviseStoredShipment(batch_, window_, message);
    ui_.SetWaitCursor(false);
    if (!stored) {
        ui_.MessageBox(message, kCaption, MsgButtons::Ok, FinishIcon(message));
        return false;
    }
    if (HostPort* host = CurrentHostPort()) host->BroadcastToDocuments(kMsgDocumentNotice, 0, nullptr);
    changed_ = false;
    NewLoad();
    ui_.SetFocus(kButtonPrint);
    return true;
}

void DirectShipmentWindow::ClearSettlement() {
    set_ = {};
    values_ = {};
    form_ = {};
    deductions_.clear();
}

// "&New" asks about unsaved changes as "&Close" does: a clerk starting the
// next batch expects the one on screen to be offered for storing first.
void DirectShipmentWindow::New() {
    if (!AskChanges()) return;
    batch_.Clear();
    ClearSettlement();
    poundsPerUnit_ = 0;
    uom_.clear();
    changed_ = false;
    revising_ = false;
    NewLoad();
    ui_.SetFocus(kFieldDate);
}

// The batch on screen is offered for storing first, as for "&New"; the list
// then offers every stored shipment.
void DirectShipmentWindow::ReviseShipment() {
    if (!AskChanges()) return;
    EngineFailureWatch watch;
    std::string start;
    const double recno =
        ui_.TitledSearchWin(kReviseTitle, start, kStoredShipmentColumns, kStoredShipments, "");
    if (recno == 0) return;
    HVXSConnection connection(1, nullptr, 0);
    const std::string shipLink =
        connection.ExecSQL(_HVXsprintf("SELECT SHIPLINK FROM HVXGR07 WHERE RECNO=%.0f", recno)) &&
                connection.FetchNext()
            ? connection.Column(1)
            : std::string();
    connection.FreeStatement();
    shipments::DirectShipmentBatch batch = batch_;
    std::string message;
    if (!shipments::OpenStoredShipment(shipLink, batch, message)) return (void)Refuse(message, "");
    batch_ = std::move(batch);
    ClearSettlement();
    revising_ = true;
    changed_ = false;
    CommodityLeft();
    NewLoad();
    ui_.SetFocus(kFieldReference);
}

bool DirectShipmentWindow::AskChanges() {
    if (!changed_) return true;
    switch (ui_.MessageBox(kMsgChanges, kChangesCaption, MsgButtons::YesNoCancel,
                           MsgIcon::Question)) {
        case MsgAnswer::Cancel: return false;
        case MsgAnswer::Yes: Finish(); return !changed_;
        default: return true;
    }
}

bool DirectShipmentWindow::MayClose() { return AskChanges(); }

// The comments belong to one shipment: the selected load's, else the first.
void DirectShipmentWindow::Comments() {
    if (!Finished() || batch_.Loads().empty()) return (void)Refuse(kMsgOptionUnavailable, "");
    const std::size_t row = selected_.value_or(0);
    ui_.DoComment(kShipmentCommentTable, batch_.Loads()[row].shipLink);
}

// The batch prints from its stored rows, so only a finished batch prints.
void DirectShipmentWindow::Print() {
    if (!Finished() || batch_.Loads().empty()) return (void)Refuse(kMsgOptionUnavailable, "");
    std::vector<std::string> links;
    for (const shipments::DirectShipmentLoad& load : batch_.Loads()) links.push_back(load.shipLink);
    EngineFailureWatch watch;
    PrintShipmentBatch(window_, links);
}
void DirectShipmentWindow::ShipmentDeductions() { EditLines(ShipmentLineKind::Deductions); }
void DirectShipmentWindow::GradeFactors() { EditLines(ShipmentLineKind::GradeFactors); }

// The dialog works on a copy: "&Cancel" leaves the load's lines as they were.
void DirectShipmentWindow::EditLines(ShipmentLineKind kind) {
    if (!linesDialog_) return (void)Refuse(kMsgOptionUnavailable, "");
    auto& lines = kind == ShipmentLineKind::Deductions ? load_.deductionLines : load_.gradeFactors;
    ShipmentLinesEditor editor(ui_, kind, batch_.header.commodity, lines);
    if (!linesDialog_(editor)) return;
    lines = editor.Lines();
    changed_ = true;
}
// The check is made out to the settlement's pay names: a priced settlement
// offers the customer's defaults first, as the settlement windows do.
void DirectShipmentWindow::PayNames() {
    if (!payNamesDialog_ || revising_) return (void)Refuse(kMsgOptionUnavailable, "");
    EngineFailureWatch watch;
    DefaultPayNamesIfEmpty();
    if (payNamesDialog_(set_.payNames)) changed_ = true;
}
void DirectShipmentWindow::Help() { ui_.ShowHelp(kHelpFile, kHelpContext); }

bool DirectShipmentWindow::FillDeduction(shipments::PurchaseDeduction& line) {
    EngineFailureWatch watch;
    std::string message;
    if (!shipments::FillPurchaseDeduction(line, set_.details.TotalUnits(), SettlementGross(),
                                          message))
        return Refuse(message, kFieldDeduction);
    return true;
}

bool DirectShipmentWindow::AcceptDeduction(const shipments::PurchaseDeduction& line) {
    if (revising_) return Refuse(kMsgOptionUnavailable, "");
    if (auto refused = shipments::CheckPurchaseDeduction(line))
        return Refuse(*refused, kFieldDeduction);
    deductions_.push_back(line);
    changed_ = true;
    return true;
}

}  // namespace hvx::shipwin
