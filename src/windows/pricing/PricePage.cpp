// The price page: modes, totals and the units and prices list.
#include "windows/pricing/PricePage.h"

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "rules/Categories.h"
#include "windows/pricing/PricePageFields.h"
#include "rules/SettledQuantityText.h"

namespace hvx {
PricePage::PricePage(UiPort& ui, SettlementType type) : ui_(ui), type_(type) { Clear(); }

bool PricePage::Refuse(std::string_view message, std::string_view field) {
    ShowMessage(ui_, message);
    ui_.SetFocus(field);
    return false;
}

void PricePage::SetSourceKind(std::string_view sourceKind) {
    sourceKind_ = sourceKind;
    installmentSale_ = sourceKind == kInstallmentSale;
}

std::string_view PricePage::PageHint() const {
    return installmentSale_ ? SettlementTypeInfoOf(type_).description : std::string_view{};
}

std::string_view PricePage::DeductionHint() const {
    return installmentSale_ ? kHintDeductionsOnly : std::string_view{};
}

void PricePage::ShowAverage() { data_.averageText = _HVXsprintf("Avg : $%.4f", average_); }
void PricePage::ShowGross() { data_.grossText = _HVXsprintf("Gross : $%.2f", gross_); }

void PricePage::SetGross(double gross) {
    gross_ = HVXRound(gross, 2);
    ShowGross();
    RecomputeTotals();
}

void PricePage::SetAverage(double average) {
    average_ = HVXRound(average, 4);
    ShowAverage();
    RecomputeTotals();
}

void PricePage::SetUnitsSettled(double units) {
    unitsSettled_ = HVXRound(units, 4);
    RecomputeTotals();
}

void PricePage::RecomputeTotals() {
    if (!MultipleSource()) {
        const PriceUnitSums sums = units_.Sums();
        // An installment sale settled by amount has no units rows: its
        // average and gross were set from outside and stand.
        if (sums.units == 0) {
            if (!installmentSale_) average_ = 0;
        } else {
            average_ = sums.gross / sums.units;
        }
        average_ = HVXRound(average_, 4);
        ShowAverage();
        if (!installmentSale_) gross_ = sums.gross;
        gross_ = HVXRound(gross_, 2);
        ShowGross();
    }
    RecomputeNet();
}

void PricePage::RecomputeNet() {
    net_ = HVXRound(gross_ - deductions_.Total(), 2);
    data_.netText = _HVXsprintf("Net : $%.2f", net_);
}

void PricePage::RecomputeDestinationTotals() {
    const DestinationTotals totals = ComputeDestinationTotals(inputs_.sourceLines);
    SetGross(totals.gross);
    SetAverage(totals.average);
}

void PricePage::Clear() {
    units_.Clear();
    deductions_.Clear();
    grades_.clear();
    average_ = gross_ = net_ = unitsSettled_ = 0;
    data_ = PricePageData{};
    ShowAverage();
    ShowGross();
    RecomputeNet();
}

void PricePage::EnterUnitsField() {
    if (MultipleSource() || installmentSale_ || !Blank(data_.units)) return;
    // Compared at 5 decimals like any two unit quantities, so what the rows
    // already hold down to binary noise offers nothing.
    const double remaining = HVXRound(unitsSettled_ - units_.UnitsTyped(), 5);
    if (remaining != 0) data_.units = NewRowUnitsText(remaining, inputs_.decimals);
}

bool PricePage::AcceptPrice() {
    if (Blank(data_.units)) return Refuse(kMsgUnitsRequired, kFieldUnits);
    if (Blank(data_.price)) return Refuse(kMsgPriceRequired, kFieldPrice);
    PriceUnitRow item{data_.units, data_.price};
    if (!data_.unitsRow || !units_.Replace(*data_.unitsRow, item)) units_.Append(std::move(item));
    changed_ = true;
    RecomputeTotals();
    return true;
}

void PricePage::NewPrice() {
    data_.units.clear();
    data_.price.clear();
    data_.unitsRow.reset();
}

bool PricePage::RemovePrice() {
    if (!data_.unitsRow || !units_.Remove(*data_.unitsRow)) return false;
    NewPrice();
    changed_ = true;
    RecomputeTotals();
    return true;
}

void PricePage::SelectPriceRow(std::size_t row) {
    if (row >= units_.Count()) return;
    const PriceUnitRow& item = units_.Items()[row];
    data_.units = item.units;
    data_.price = item.price;
    data_.unitsRow = row;
}

bool PricePage::UnitsCheck() {
    if (installmentSale_ || MultipleSource()) return true;
    // Rounded to 5 decimals like any two unit quantities, so a difference of
    // exactly 0.01 passes although 100.01 - 100 is a hair above 0.01 in
    // binary.
    const double difference = HVXRound(unitsSettled_ - units_.UnitsTyped(), 5);
    if (difference >= -0.01 && difference <= 0.01) return true;
    return Refuse(kMsgUnitsNotSettled, kFieldUnitsSettled);
}

bool PricePage::SettleInstallmentAmount(const InstallmentContract& contract,
                                        const InstallmentTaken& taken, double amount,
                                        std::string& units) {
    if (!InstallmentUnitsText(ui_, contract, taken, amount, inputs_.decimals, units)) return false;
    SetGross(amount);
    return true;
}

std::optional<PricedSourceLine> PricePage::AcceptSourceLine(const SourceLineEntry& entry) {
    std::optional<PricedSourceLine> line = hvx::AcceptSourceLine(ui_, entry);
    if (!line) return line;
    inputs_.sourceLines.push_back(*line);
    changed_ = true;
    RecomputeDestinationTotals();
    return line;
}

}  // namespace hvx
