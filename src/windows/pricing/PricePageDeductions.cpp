// The price page: deductions and additions, charges, and the A/R panel.
#include "rules/ArInformation.h"
#include "windows/pricing/PricePage.h"
#include "windows/pricing/PricePageFields.h"
#include "shell/SiblingQueries.h"

namespace hvx {
DeductionBase PricePage::TypedBase(const DeductionDefinition& definition) const {
    if (!MultipleSource()) return {unitsSettled_, gross_};
    if (definition.GrainTax()) {
        const DestinationTotals sold = GrainSoldTotals(inputs_.sourceLines);
        return {sold.units, sold.gross};
    }
    return {ComputeDestinationTotals(inputs_.sourceLines).units, gross_};
}

DeductionBase PricePage::PickBase() const {
    if (!MultipleSource()) return {unitsSettled_, gross_};
    return {ComputeDestinationTotals(inputs_.sourceLines).units, gross_};
}

void PricePage::FillDeduction(const DeductionDefinition& definition, const DeductionBase& base) {
    data_.amount = DeductionAmountText(definition, base);
    data_.da = definition.type;
    data_.advance = definition.Advance();
    data_.amountEdited = false;
}

bool PricePage::PickDeduction() {
    // A leading "/" only asks for the list; the list starts at what follows.
    std::string start = data_.deduction;
    if (!start.empty() && start.front() == '/') start.erase(0, 1);
    const double recno = ui_.SearchWin(start, kDeductionPickColumns, kDeductionPickSelect, "");
    if (recno == 0) return false;
    const DeductionDefinition definition = ReadDeductionByRecno(recno);
    if (!definition.found) return false;
    data_.deduction = start;
    FillDeduction(definition, PickBase());
    data_.amountSelected = true;
    ui_.SetFocus(kFieldAmount);
    return true;
}

void PricePage::DeriveDeductionAmount() {
    const DeductionDefinition definition = ReadDeductionByReference(data_.deduction);
    if (definition.found)
        FillDeduction(definition, TypedBase(definition));
    else
        PickDeduction();
}

void PricePage::LeaveDeductionField() {
    // Only a reference the user changed is looked up again: passing through
    // the field of a row being edited keeps its amount.
    if (!data_.deductionEdited) return;
    data_.deductionEdited = false;
    if (!Blank(data_.deduction)) DeriveDeductionAmount();
}

void PricePage::LeaveAmountField() {
    const bool edited = data_.amountEdited;
    data_.amountEdited = false;
    if (Blank(data_.amount)) {
        if (!Blank(data_.deduction)) DeriveDeductionAmount();
        return;
    }
    if (edited) data_.amount = MarkManualAmount(data_.amount);
}

bool PricePage::FindDeduction() { return PickDeduction(); }

bool PricePage::AcceptDeduction() {
    if (Blank(data_.deduction)) return Refuse(kMsgDeductionRequired, kFieldDeduction);
    if (Blank(data_.amount)) return Refuse(kMsgAmountRequired, kFieldAmount);
    if (Blank(data_.da)) return Refuse(kMsgDARequired, kFieldDA);
    PriceDeductionRow item{data_.deduction, data_.amount, data_.da,
                                 DeductionAdvanceFlag(data_.deduction)};
    if (!data_.deductionRow || !deductions_.Replace(*data_.deductionRow, item))
        deductions_.Append(std::move(item));
    changed_ = true;
    if (MultipleSource()) RecomputeDestinationTotals();
    RecomputeNet();
    RefreshArInformation();
    return true;
}

void PricePage::NewDeduction() {
    data_.deduction.clear();
    data_.amount.clear();
    data_.da.clear();
    data_.advance = false;
    data_.deductionRow.reset();
    data_.deductionEdited = data_.amountEdited = data_.amountSelected = false;
}

bool PricePage::RemoveDeduction() {
    if (!data_.deductionRow || !deductions_.Remove(*data_.deductionRow)) return false;
    NewDeduction();
    changed_ = true;
    RecomputeNet();
    RefreshArInformation();
    return true;
}

void PricePage::SelectDeductionRow(std::size_t row) {
    if (row >= deductions_.Count()) return;
    const PriceDeductionRow& item = deductions_.Items()[row];
    data_.deduction = item.reference;
    data_.amount = item.amount;
    data_.da = item.da;
    data_.advance = item.advance == "T";
    data_.deductionRow = row;
    data_.deductionEdited = data_.amountEdited = data_.amountSelected = false;
}

void PricePage::PutChargeRow(const ChargeRow& charge) {
    const std::optional<std::size_t> row = deductions_.Find(charge.reference);
    if (!row) {
        deductions_.Append({charge.reference, charge.amount, charge.da,
                            DeductionAdvanceFlag(charge.reference)});
        changed_ = true;
    } else {
        PriceDeductionRow item = deductions_.Items()[*row];
        if (IsManualAmount(item.amount)) return;
        if (item.amount != charge.amount || item.da != charge.da) changed_ = true;
        item.reference = charge.reference;
        item.amount = charge.amount;
        item.da = charge.da;
        deductions_.Replace(*row, std::move(item));
    }
    RecomputeTotals();
}

void PricePage::PutChargeRows(const std::vector<ChargeRow>& charges) {
    for (const ChargeRow& charge : charges) PutChargeRow(charge);
}

void PricePage::RefreshArInformation() {
    ArFigures figures;
    figures.due = CustomerBalanceDue(inputs_.window, inputs_.customerReference);
    figures.customerAdvances = OpenCustomerAdvances(inputs_.customerReference);
    if (MultipleSource()) {
        // A source on two lines counts twice, as the window's table lists it.
        for (const PricedSourceLine& line : inputs_.sourceLines)
            figures.sourceAdvances += OpenSourceAdvances(line.sourceKind, line.sourceReference);
    } else {
        const double effect = AdvanceEffect();
        figures.sourceAdvances = OpenSourceAdvances(sourceKind_, inputs_.sourceReference) + effect;
        figures.customerAdvances += effect;
    }
    data_.arText = ArInformationText(type_, figures);
}

void PricePage::ShowArInformation() {
    RefreshArInformation();
    ui_.InfoPopup(kArPanelTitle, data_.arText, kArPanelWidth, kArPanelOffsetBelow);
}

}  // namespace hvx
