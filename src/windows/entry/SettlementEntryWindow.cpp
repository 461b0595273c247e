#include "windows/entry/SettlementEntryWindow.h"

#include "platform/Dates.h"
#include "platform/EngineReason.h"
#include "platform/Rounding.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"
#include "rules/SourceKinds.h"
#include "settlement/AcceptChecks.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSave.h"
#include "shell/Configuration.h"
#include "platform/Format.h"
#include "windows/BrowseOrders.h"
#include "windows/TypedValues.h"
#include "windows/entry/EntrySources.h"
#include "windows/entry/SettlementOpening.h"
#include "windows/entry/SettlementRemoval.h"

namespace hvx::entry {

SettlementEntryWindow::SettlementEntryWindow(SettlementType type, UiPort& ui,
                                             EntryDialogs& dialogs)
    : type_(type),
      ui_(ui),
      dialogs_(dialogs),
      prices_(ui, type),
      browse_(SettlementBrowse(type)),
      caption_(Caption()),
      locks_(*this) {
    set_.header.type = type;
    locks_.SetLockInformation("HVXGRP", "HVXGR04");
}

SettlementEntryWindow::~SettlementEntryWindow() { locks_.ReleaseLock(); }

const char* SettlementEntryWindow::Caption() const {
    return SingleSource() ? "Enter By Settlement Source" : "Enter By Settlement Destination";
}

bool SettlementEntryWindow::Open(const SettlementKey& key) {
    EngineFailureWatch watch;
    backOffice_ = BackOfficeSetting();
    ContractSourcePick pick;
    const bool opened = OpenSettlement(key, type_, set_, pick, ui_);
    if (opened && key.start == SettlementStart::Load) return Show(set_.header.setLink);
    const settlement::SettlementRecordSet started = set_;
    ClearWindow();
    if (!opened) return false;
    if (key.start == SettlementStart::FromSourceLine) {
        set_ = started;
        set_.header.settDate = WindowDate(Today());
        set_.header.numChange = "0";
        line_.sourceKind = pick.sourceKind;
        line_.sourceRef = pick.sourceRef;
        line_.sourceLink = pick.sourceLink;
        line_.sourceOpen = TextNumber(pick.openUnits);
        line_.installment = {TextNumber(pick.netAmt), TextNumber(pick.isDolUsed),
                             TextNumber(pick.unitsSet)};
        line_.sourceLoaded = true;
        PreparePrices();
        NewLine();
        changed_ = true;
    }
    return true;
}

DetailPage SettlementEntryWindow::Page() const {
    return DetailPageOf(SingleSource() ? line_.destination : values_.destination);
}

bool SettlementEntryWindow::InstallmentTermsShown() const {
    const Category* category =
        FindCategory(SingleSource() ? line_.destination : values_.destination);
    return category && category->installmentTerms;
}

bool SettlementEntryWindow::ContractEnabled() const {
    const std::string& destination = SingleSource() ? line_.destination : values_.destination;
    return !destination.empty() && destination != kPriced;
}

bool SettlementEntryWindow::PatronageEnabled() const {
    const std::string& destination = SingleSource() ? line_.destination : values_.destination;
    return DestinationSells(destination) && line_.sourceKind != kInstallmentSale;
}

std::string_view SettlementEntryWindow::QuantityTitle() const {
    return QuantityColumnTitle(line_.sourceKind);
}

std::string SettlementEntryWindow::DestinationCaption() const {
    const std::string& destination = SingleSource() ? line_.destination : values_.destination;
    return destination.empty() ? std::string(kUnavailable) : destination;
}

std::string SettlementEntryWindow::SourceCaption() const {
    if (line_.sourceKind.empty()) return std::string(kUnavailable);
    if (line_.sourceRef.empty()) return line_.sourceKind;
    return line_.sourceKind + " : " + line_.sourceRef;
}

bool SettlementEntryWindow::AcceptEnabled() const {
    return !lockedByOther_ && !Posted() && !set_.details.Empty();
}

std::vector<const settlement::SettlementDetailItem*> SettlementEntryWindow::Lines() const {
    std::vector<const settlement::SettlementDetailItem*> lines;
    for (const auto& item : set_.details.Items()) lines.push_back(&item);
    return lines;
}

bool SettlementEntryWindow::Refuse(std::string_view message, std::string_view field) {
    ShowMessage(ui_, message);
    if (!field.empty()) ui_.SetFocus(field);
    return false;
}

// An empty window: no settlement, no line, the first page of a new one.
void SettlementEntryWindow::ClearWindow() {
    locks_.ReleaseLock();
    caption_ = Caption();
    set_ = settlement::SettlementRecordSet{};
    set_.header.type = type_;
    values_ = {};
    line_ = EntryLine{};
    prices_.Clear();
    prices_.Inputs() = {};
    prices_.SetSourceKind("");
    prices_.ClearChanged();
    selected_.reset();
    changed_ = lineChanged_ = false;
    lockedByOther_ = false;
}

bool SettlementEntryWindow::Show(std::string_view setLink) {
    const std::string link(setLink);
    ClearWindow();
    if (!settlement::LoadSettlement(set_, link, type_, ui_)) {
        ClearWindow();
        return false;
    }
    const settlement::SettlementDefaults& d = set_.defaults;
    if (SingleSource()) {
        line_.sourceKind = d.sourceKind;
        line_.sourceRef = d.sourceRef;
        line_.sourceLink = d.sourceLink;
    } else {
        values_.destination = d.toCategory;
    }
    std::string message;
    if (SingleSource() && !ReadSourceOpen(line_, message)) ShowMessage(ui_, message);
    line_.sourceLoaded = !line_.sourceKind.empty();
    PreparePrices();
    if (SingleSource()) {
        NewLine();  // offers what the source has left for another line
    } else {
        if (!set_.details.Empty()) prices_.Fill(set_, set_.details.Items().front());
        RecomputeDestination();
    }
    locks_.LockRecord(set_.header.recno);
    changed_ = lineChanged_ = false;
    prices_.ClearChanged();
    return true;
}

bool SettlementEntryWindow::AskChanges() {
    if (!changed_ && !lineChanged_) return true;
    switch (ui_.MessageBox(kMsgChanges, kChangesCaption, MsgButtons::YesNoCancel,
                           MsgIcon::Question)) {
        case MsgAnswer::Cancel: return false;
        // A refused or failed save keeps the settlement where it is.
        case MsgAnswer::Yes: return Accept();
        default: return true;
    }
}

bool SettlementEntryWindow::MayClose() { return AskChanges(); }

bool SettlementEntryWindow::Move(int step) {
    if (!AskChanges()) return false;
    EngineFailureWatch watch;
    std::string error;
    if (!browse_.Load(error)) return Refuse(error, "");
    const bool placed = Stored() && browse_.FindRecno(set_.header.recno);
    bool moved;
    if (placed)
        moved = step > 0 ? browse_.Next() : browse_.Previous();
    else
        moved = step > 0 ? browse_.First() : browse_.Last();
    if (!moved) {
        ui_.Beep();
        return false;
    }
    return Show((*browse_.Current())[kBrowseSetLink]);
}

void SettlementEntryWindow::Find() {
    if (!AskChanges()) return;
    EngineFailureWatch watch;
    std::string number = set_.header.settlement;
    const std::string select = SingleSource()
        ? "SELECT SETTLEMENT,CUSTREF,CUSTNAME,SETTDATE,STR(RECNO) FROM HVXGR04 WHERE STYPE='0'"
        : "SELECT SETTLEMENT,CUSTREF,CUSTNAME,SETTDATE,STR(RECNO) FROM HVXGR04 WHERE STYPE='1'";
    const double recno = ui_.TitledSearchWin(
        SingleSource() ? "Find Single Source Settlement" : "Find Multiple Source Settlement", number,
        "SETTLEMENT,Settlement #,15,-1,CUSTREF,Customer,15,0,CUSTNAME,Name,30,0,SETTDATE,Date,12,0",
        select, "");
    if (recno == 0) return;
    std::string error;
    if (!browse_.Load(error)) {
        ShowMessage(ui_, error);
        return;
    }
    if (!browse_.FindRecno(recno)) return;
    Show((*browse_.Current())[kBrowseSetLink]);
}

void SettlementEntryWindow::New() {
    const bool empty = set_.header.custRef.empty() && set_.details.Empty();
    if (!empty) {
        const int choice = dialogs_.PopUp(kButtonNew, {{std::string(kEnterNewSettlement), true},
                                                       {std::string(kClearSettlement), true}});
        if (choice < 0 || !AskChanges()) return;
        if (choice == 1) {
            ClearWindow();
            ui_.SetFocus(kButtonNew);
            return;
        }
    }
    StartNew();
}

void SettlementEntryWindow::StartNew() {
    const std::optional<NewSettlementAnswers> answers = dialogs_.RunWizard(
        SingleSource() ? WizardMode::SourceType : WizardMode::DestinationType);
    if (answers) Start(*answers);
}

void SettlementEntryWindow::Start(const NewSettlementAnswers& answers) {
    EngineFailureWatch watch;
    ClearWindow();
    TakeAnswers(answers);
}

void SettlementEntryWindow::TakeAnswers(const NewSettlementAnswers& answers) {
    settlement::SettlementHeader& h = set_.header;
    h.custRef = answers.custRef;
    h.custName = answers.custName;
    h.settDate = WindowDate(Today());
    h.numChange = "0";
    set_.defaults.commodity = answers.commodity;
    set_.defaults.location = answers.location;
    line_.date = h.settDate;
    changed_ = true;
    if (SingleSource()) {
        line_.sourceKind = answers.kind;
        set_.defaults.sourceKind = answers.kind;
        PreparePrices();
        if (HasSourceRecord(answers.kind)) {
            PickSource();
        } else {
            line_.sourceLoaded = true;
            NewLine();
            ui_.SetFocus(kButtonMenu);
        }
    } else {
        values_.destination = answers.kind;
        PreparePrices();
        ui_.SetFocus(kButtonMenu);
    }
}

// What the price page reads of the window: customer, source, the
// commodity's decimals, the window its fuel-module questions belong to.
void SettlementEntryWindow::PreparePrices() {
    prices_.SetSourceKind(line_.sourceKind);
    PriceWindowInputs& in = prices_.Inputs();
    in.customerReference = set_.header.custRef;
    in.sourceReference = line_.sourceRef;
    in.decimals = CommodityDecimalPlaces(set_.defaults.commodity);
    in.window = dialogs_.Window();
}

bool SettlementEntryWindow::Accept() {
    EngineFailureWatch watch;
    settlement::AcceptCheckInput checks;
    checks.window = dialogs_.Window();
    checks.posted = Posted();
    checks.custRef = set_.header.custRef;
    checks.custField = kFieldCustomer;
    checks.settDate = set_.header.settDate;
    checks.dateField = kFieldSettDate;
    checks.hasLines = !set_.details.Empty();
    checks.customerSystem = backOffice_;
    if (settlement::AcceptBlocked(checks, ui_)) return false;
    if (CivilDate date; !ReadDate(set_.header.settDate, date))
        return Refuse(_HVXsprintf(std::string(kMsgNotADate).c_str(), "settlement date",
                                  set_.header.settDate),
                      kFieldSettDate);
    if (SingleSource() && line_.sourceKind == kStorageTicket &&
        HVXRound(set_.details.TotalUnits(), 5) != HVXRound(SourceTotal(set_, line_), 5))
        return Refuse(kMsgStorageTicketTotal, "");
    if (lineChanged_) {
        switch (ui_.MessageBox(SingleSource() ? kMsgDetailChanged : kMsgSourceChanged, "Harvexa",
                               MsgButtons::YesNoCancel, MsgIcon::Question)) {
            case MsgAnswer::Cancel: return false;
            case MsgAnswer::Yes:
                AcceptLine();
                if (lineChanged_) return false;
                break;
            default: break;
        }
    }
    NewLine();
    if (!SingleSource()) {
        RecomputeDestination();
        prices_.Store(set_, set_.details.Items().front());
    }
    DefaultPayNamesIfEmpty();
    set_.header.entryDate = WindowDate(Today());
    message_.clear();
    settlement::SettlementSaveWindow window{set_, values_, ui_, dialogs_.AdvanceSelection(),
                                            message_};
    // The save takes the settlement's lock itself; the window's own would refuse it.
    locks_.ReleaseLock();
    if (!settlement::SaveSettlement(window)) {
        if (Stored()) locks_.LockRecord(set_.header.recno);
        if (!message_.empty()) ShowMessage(ui_, message_);
        return false;
    }
    Show(set_.header.setLink);
    return true;
}

bool SettlementEntryWindow::DeleteOrReverse() {
    if (!Stored() || lockedByOther_) return Refuse(kMsgOptionUnavailable, "");
    EngineFailureWatch watch;
    const bool reversing = Posted();
    const std::string setLink = set_.header.setLink;
    message_.clear();
    settlement::SettlementSaveWindow window{set_, values_, ui_, dialogs_.AdvanceSelection(),
                                            message_};
    locks_.ReleaseLock();
    if (!entry::DeleteOrReverse(window)) {
        locks_.LockRecord(set_.header.recno);
        return false;
    }
    if (reversing) return Show(setLink);
    ClearWindow();
    ui_.SetFocus(kButtonNew);
    return true;
}

void SettlementEntryWindow::Comments() {
    if (!Stored()) {
        ShowMessage(ui_, kMsgOptionUnavailable);
        return;
    }
    ui_.DoComment(settlement::kSettlementCommentTable, set_.header.setLink);
}

void SettlementEntryWindow::Help() { ui_.ShowHelp(kHelpFile, HelpContext()); }

}  // namespace hvx::entry
