// The line being entered: its source and destination, the checks of Acc Dest
// and Acc Src, and the line table's commands.
#include <cmath>

#include "platform/Dates.h"
#include "rules/StoredText.h"

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/Rounding.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "rules/ChargeRows.h"
#include "rules/GradeResults.h"
#include "rules/PaidThroughDate.h"
#include "rules/SettledQuantityText.h"
#include "rules/SourceKinds.h"
#include "settlement/AcceptChecks.h"
#include "settlement/SourceLineBuilder.h"
#include "shell/Configuration.h"
#include "windows/entry/EntrySources.h"
#include "windows/entry/PrintMenu.h"
#include "windows/entry/SettlementEntryWindow.h"
#include "windows/TypedValues.h"
#include "windows/pricing/PricePageFields.h"

namespace hvx::entry {
namespace {

std::string Flag(bool on) { return on ? "T" : "F"; }

void TermsToLine(const settlement::DestinationTerms& t, settlement::SettlementDetailItem& l) {
    l.isDate = t.isDate, l.isRate = t.isRate, l.isDue = t.isDue;
    l.pPaidDate = t.pPaidDate, l.amtPrepaid = t.amtPrepaid, l.sRateDate = t.sRateDate;
    l.storeCol = t.storeCol, l.ssDate = t.ssDate, l.scRate = t.scRate, l.submitted = t.submitted;
}

settlement::DestinationTerms TermsOf(const settlement::SettlementDetailItem& l) {
    settlement::DestinationTerms t;
    t.isDate = l.isDate, t.isRate = l.isRate, t.isDue = l.isDue;
    t.pPaidDate = l.pPaidDate, t.amtPrepaid = l.amtPrepaid, t.sRateDate = l.sRateDate;
    t.storeCol = l.storeCol, t.ssDate = l.ssDate, t.scRate = l.scRate, t.submitted = l.submitted;
    return t;
}

}  // namespace

void SettlementEntryWindow::NewLine() {
    EntryLine next;
    if (SingleSource()) {
        next.sourceKind = line_.sourceKind, next.sourceRef = line_.sourceRef;
        next.sourceLink = line_.sourceLink, next.sourceOpen = line_.sourceOpen;
        next.installment = line_.installment, next.sourceLoaded = line_.sourceLoaded;
        prices_.Clear();
    }
    next.date = set_.header.settDate;
    line_ = std::move(next);
    if (SingleSource() && line_.sourceLoaded) {
        const int decimals = prices_.Inputs().decimals;
        if (SettledQuantityOf(line_.sourceKind) == SettledQuantity::Amount)
            line_.quantity = InstallmentPrefill(line_.installment, SourceTotal(set_, line_) -
                                                                       Available(set_, line_) +
                                                                       line_.installment.dollarsUsed);
        else
            line_.quantity = PrefillSettledUnits(line_.sourceKind, Available(set_, line_), 0,
                                                 decimals);
    }
    selected_.reset();
    lineChanged_ = false;
    prices_.ClearChanged();
}

void SettlementEntryWindow::SelectLine(std::size_t row) {
    const auto lines = Lines();
    if (row >= lines.size()) return;
    selected_ = row;
    LoadLine(*lines[row]);
}

void SettlementEntryWindow::LoadLine(const settlement::SettlementDetailItem& item) {
    const int decimals = prices_.Inputs().decimals;
    line_.editingLink = item.dlLink;
    line_.date = item.setDte;
    line_.patronage = item.patronage == "T";
    if (SingleSource()) {
        line_.destination = item.toDpr;
        line_.contract = item.contract;
        line_.terms = TermsOf(item);
        line_.quantity = SettledQuantityOf(item.source) == SettledQuantity::Amount
                             ? _HVXsprintf("%.2f", item.totPrice)
                             : UnitsText(item.unitsSet, decimals);
        FillPrices(&item);
    } else {
        line_.sourceKind = item.source, line_.sourceRef = item.sourceRef;
        line_.sourceLink = item.sourceLink;
        line_.quantity = UnitsText(item.unitsSet, decimals);
        line_.price = _HVXsprintf("%.4f", item.priceUnit);
        std::string message;
        line_.sourceLoaded = ReadSourceOpen(line_, message);
        if (!line_.sourceLoaded) ShowMessage(ui_, message);
    }
    lineChanged_ = false;
}

void SettlementEntryWindow::FillPrices(const settlement::SettlementDetailItem* item) {
    prices_.Clear();
    if (!item) return;
    prices_.Fill(set_, *item);
    prices_.SetUnitsSettled(item->unitsSet);
    prices_.ClearChanged();
}

bool SettlementEntryWindow::AcceptLine() {
    if (!LineButtonsEnabled()) return Refuse(kMsgOptionUnavailable, "");
    EngineFailureWatch watch;
    return SingleSource() ? AcceptDestination() : AcceptSource();
}

bool SettlementEntryWindow::AcceptDestination() {
    if (line_.destination.empty()) return Refuse(kMsgNoDestination, kButtonMenu);
    const double quantity = TextNumber(line_.quantity);
    if (Page() == DetailPage::UnitsAndPrices) {
        prices_.SetUnitsSettled(quantity);
        if (!prices_.UnitsCheck()) return false;
    }
    const settlement::SettlementDetailItem* stored =
        line_.editingLink.empty() ? nullptr : set_.details.FindLine(line_.editingLink);
    if (stored && IsOpenContractCategory(line_.destination)) {
        const double onward = stored->unitsSet - TextNumber(stored->oUnits);
        if (HVXRound(quantity, 5) < HVXRound(onward, 5))
            return Refuse(kMsgBelowSettledOnContract, kFieldUnitsSettled);
    }
    const bool byAmount = SettledQuantityOf(line_.sourceKind) == SettledQuantity::Amount;
    if (HasSourceRecord(line_.sourceKind)) {
        const double available = Available(set_, line_);
        if (HVXRound(quantity, 5) > HVXRound(available, 5)) {
            ShowMessage(ui_, _HVXsprintf(std::string(byAmount ? kMsgMaximumAmount : kMsgMaximumUnits)
                                             .c_str(),
                                         available, quantity));
            if (!byAmount) line_.quantity = UnitsText(available, prices_.Inputs().decimals);
            ui_.SetFocus(kFieldUnitsSettled);
            return false;
        }
    }
    if (!settlement::CustomerKnown(dialogs_.Window(), set_.header.custRef, backOffice_))
        return Refuse(kMsgCustomerRequired, kFieldCustomer);
    if (Blank(line_.quantity)) return Refuse(kMsgUnitsSettledRequired, kFieldUnitsSettled);
    if (!TypedValuesRead()) return false;
    if (ContractEnabled() && Blank(line_.contract))
        return Refuse(_HVXsprintf(std::string(kMsgContractRequired).c_str(), line_.destination),
                      kFieldContract);

    double units = quantity;
    if (byAmount) {
        std::string unitsText;
        const InstallmentTaken taken{SourceTotal(set_, line_) - Available(set_, line_), 0};
        if (!InstallmentUnitsText(ui_, line_.installment, taken, quantity, 4, unitsText))
            return false;
        units = TextNumber(unitsText);
        prices_.SetGross(quantity);
    }
    settlement::SettlementDetailItem item;
    if (!BuildLine(line_.destination, units, Page() == DetailPage::UnitsAndPrices ? prices_.Average() : 0,
                   item))
        return false;
    item.patronage = Flag(PatronageEnabled() && line_.patronage);
    TermsToLine(line_.terms, item);
    if (Page() == DetailPage::UnitsAndPrices) {
        item.avgPrice = prices_.Average();
        item.grossAmt = prices_.Gross();
        item.netAmt = prices_.Net();
        item.priceUnit = prices_.Average();
        item.totPrice = prices_.Gross();
    } else {
        item.avgPrice = item.grossAmt = item.netAmt = item.priceUnit = item.totPrice = 0;
    }
    if (item.glCode == kUnclassifiedCode) ShowMessage(ui_, kMsgUnclassifiedGLCode);
    prices_.Store(set_, item);
    AddBuiltLine(std::move(item));
    ui_.SetFocus(kButtonMenu);
    return true;
}

// The line's typed numbers and date as the tables will read them back; a
// text that is none is refused before anything is built from it.
bool SettlementEntryWindow::TypedValuesRead() {
    if (!CheckTypedNumber(line_.quantity, "units settled", ui_)) {
        ui_.SetFocus(kFieldUnitsSettled);
        return false;
    }
    if (!SingleSource() && !CheckTypedNumber(line_.price, "unit price", ui_)) {
        ui_.SetFocus(kFieldUnitPrice);
        return false;
    }
    CivilDate date;
    if (Blank(line_.date) || ReadDate(line_.date, date)) return true;
    return Refuse(_HVXsprintf(std::string(kMsgNotADate).c_str(), "line date", line_.date),
                  kFieldLineDate);
}

bool SettlementEntryWindow::AcceptSource() {
    if (!TypedValuesRead()) return false;
    SourceLineEntry entry;
    entry.sourceLoaded = line_.sourceLoaded;
    entry.customerValid = settlement::CustomerKnown(dialogs_.Window(), set_.header.custRef,
                                                    backOffice_);
    entry.sourceKind = line_.sourceKind;
    entry.sourceReference = line_.sourceRef;
    entry.sourceReferenceValid = line_.sourceLoaded && (!HasSourceRecord(line_.sourceKind) ||
                                                        !line_.sourceLink.empty());
    entry.destination = values_.destination;
    entry.quantity = line_.quantity;
    entry.price = line_.price;
    entry.available = Available(set_, line_);
    entry.contract = line_.installment;
    entry.taken = {SourceTotal(set_, line_) - entry.available, 0};
    // The page's list of source lines is rebuilt from the record set after
    // every change; the line joins it only once it is in the record set.
    const std::optional<PricedSourceLine> priced = hvx::AcceptSourceLine(ui_, entry);
    if (!priced) return false;
    settlement::SettlementDetailItem item;
    if (!BuildLine(values_.destination, priced->units, priced->price, item)) return false;
    item.totPrice = priced->totalPrice;
    item.patronage = Flag(PatronageEnabled() && line_.patronage);
    if (item.glCode == kUnclassifiedCode) ShowMessage(ui_, kMsgUnclassifiedGLCode);
    AddBuiltLine(std::move(item));
    RecomputeDestination();
    ui_.SetFocus(kButtonMenu);
    return true;
}

bool SettlementEntryWindow::BuildLine(std::string_view destination, double units, double price,
                                      settlement::SettlementDetailItem& item) {
    settlement::LineValues values;
    // CONTRACT names the contract the line makes at its destination; a sale
    // ("Priced") makes none.
    values.source = {line_.sourceKind, line_.sourceRef, line_.sourceLink,
                     ContractEnabled() ? line_.contract : "", line_.sourceKind};
    values.commodity = set_.defaults.commodity;
    values.location = set_.defaults.location;
    values.destination = std::string(destination);
    values.type = type_;
    values.settDate = line_.date.empty() ? set_.header.settDate : line_.date;
    values.units = units;
    values.price = price;
    // An edited line keeps its link: its lists and destination record join on it.
    if (const settlement::SettlementDetailItem* stored =
            line_.editingLink.empty() ? nullptr : set_.details.FindLine(line_.editingLink)) {
        item = *stored;
        settlement::ApplyLineValues(values, item);
        return true;
    }
    std::string message;
    return settlement::BuildSourceLine(values, item, message) || Refuse(message, "");
}

void SettlementEntryWindow::AddBuiltLine(settlement::SettlementDetailItem item) {
    if (set_.defaults.commodity.empty()) set_.defaults.commodity = item.commodity;
    if (set_.defaults.location.empty()) set_.defaults.location = item.location;
    if (!set_.details.ReplaceLine(item, ui_)) set_.details.AddLine(std::move(item));
    changed_ = true;
    NewLine();
}

bool SettlementEntryWindow::DeleteLine() {
    if (!LineButtonsEnabled()) return Refuse(kMsgOptionUnavailable, "");
    const auto lines = Lines();
    if (!selected_ || *selected_ >= lines.size()) return Refuse(kMsgNoItemSelected, "");
    const std::string link = lines[*selected_]->dlLink;
    if (!SingleSource() && lines.size() == 1 && values_.destination == kPriced) {
        if (ui_.MessageBox(kMsgLastPricedSource, "Harvexa", MsgButtons::YesNo,
                           MsgIcon::Question) != MsgAnswer::Yes)
            return false;
        set_.payNames.Clear();
    }
    set_.details.RemoveLine(link, ui_);
    if (SingleSource()) {
        set_.units.RemoveLink(link);
        set_.deductions.RemoveLink(link);
        set_.grades.RemoveLink(link);
    } else {
        RecomputeDestination();
    }
    changed_ = true;
    NewLine();
    return true;
}

std::vector<MenuEntry> SettlementEntryWindow::Menu() const {
    return SingleSource() ? DestinationMenu(line_.sourceKind)
                          : SourceMenu(values_.destination, SettByTicket());
}

void SettlementEntryWindow::OpenMenu() {
    if (!LineButtonsEnabled() || set_.header.custRef.empty()) {
        ShowMessage(ui_, kMsgOptionUnavailable);
        return;
    }
    const std::vector<MenuEntry> menu = Menu();
    std::vector<PopUpEntry> entries;
    for (const MenuEntry& e : menu) entries.push_back({std::string(e.label), true});
    const int chosen = dialogs_.PopUp(kButtonMenu, entries);
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < menu.size()) ChooseFromMenu(menu[chosen]);
}

void SettlementEntryWindow::ChooseFromMenu(const MenuEntry& choice) {
    if (choice.kind == MenuEntry::Kind::Separator) return;
    if (choice.kind == MenuEntry::Kind::Finish) {
        Finish();
        return;
    }
    EngineFailureWatch watch;
    const std::string value(choice.value);
    if (SingleSource()) {
        line_.destination = value;
        line_.patronage = PatronageEnabled() && (line_.patronage || line_.editingLink.empty());
        if (line_.terms.pPaidDate.empty())
            line_.terms.pPaidDate = PaidThroughDate(line_.sourceKind, value, line_.sourceLink);
        if (TakesSourceGrades(value) && prices_.Grades().empty()) {
            for (const GradeResult& g : DefaultGradeResults(line_.sourceKind, value,
                                                            line_.sourceRef,
                                                            set_.defaults.commodity)) {
                prices_.NewGrade();
                prices_.Data().gradeFactor = g.factor;
                prices_.Data().result = g.result;
                prices_.AcceptGrade();
            }
        }
        lineChanged_ = true;
        QuantityChanged();
        ui_.SetFocus(kFieldUnitsSettled);
        return;
    }
    const bool keepSource = line_.sourceKind == value;
    line_.sourceKind = value;
    if (!keepSource) line_.sourceRef.clear(), line_.sourceLink.clear(), line_.sourceLoaded = false;
    line_.patronage = PatronageEnabled();
    lineChanged_ = true;
    if (HasSourceRecord(value)) {
        PickSource();
    } else {
        line_.sourceLoaded = true;
        line_.quantity = "0.00";
        ui_.SetFocus(kFieldUnitsSettled);
    }
}

void SettlementEntryWindow::QuantityChanged() {
    line_.quantity = FormatSettledQuantity(line_.sourceKind, line_.quantity,
                                           prices_.Inputs().decimals);
    lineChanged_ = true;
    if (!SingleSource() || !DestinationSells(line_.destination)) return;
    const double quantity = TextNumber(line_.quantity);
    if (SettledQuantityOf(line_.sourceKind) == SettledQuantity::Amount)
        prices_.SetGross(quantity);
    else
        prices_.SetUnitsSettled(quantity);
    EngineFailureWatch watch;
    prices_.PutChargeRows(SingleSourceLineCharges(
        ui_, {line_.sourceKind, line_.sourceLink, line_.destination, set_.defaults.commodity,
              line_.quantity, line_.date}));
}

void SettlementEntryWindow::Finish() {
    if (!SingleSource()) {
        EngineFailureWatch watch;
        std::vector<ChargeSource> sources;
        for (const auto& s : set_.details.UniqueSources())
            sources.push_back({s.sourceKind, s.sourceLink, s.currentUnits, s.currentDollars,
                               s.removed});
        prices_.PutChargeRows(
            MultipleSourceCharges(ui_, values_.destination, sources, set_.header.settDate));
        RecomputeDestination();
        ui_.SetFocus(kFieldPricePage);
        return;
    }
    if (lineChanged_) {
        switch (ui_.MessageBox(kMsgDetailChanged, "Harvexa", MsgButtons::YesNoCancel,
                               MsgIcon::Question)) {
            case MsgAnswer::Cancel: OpenMenu(); return;
            case MsgAnswer::Yes:
                AcceptLine();
                if (lineChanged_) return;
                break;
            default: NewLine(); break;
        }
    } else {
        NewLine();
    }
    const bool priced = HasLineTo(set_, kPriced);
    ui_.SetFocus(priced ? kFieldCheckNum : kButtonAccept);
}

void SettlementEntryWindow::RecomputeDestination() {
    if (SingleSource()) return;
    std::vector<PricedSourceLine>& lines = prices_.Inputs().sourceLines;
    lines.clear();
    for (const auto& item : set_.details.Items())
        lines.push_back({item.source, item.sourceRef, values_.destination, item.unitsSet,
                         SettledQuantityOf(item.source) == SettledQuantity::Amount ? item.totPrice
                                                                                   : 0,
                         item.priceUnit, item.totPrice, item.glCode});
    prices_.RecomputeDestinationTotals();
    values_.avgPrice = prices_.Average();
    values_.grossAmt = prices_.Gross();
    values_.netAmt = prices_.Net();
}

}  // namespace hvx::entry
