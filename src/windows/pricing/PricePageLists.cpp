// The price page and the record set (a line's stored lists in, the page's
// rows back out), and the grade factors of the line.
#include "settlement/SettlementRecordSet.h"
#include "windows/pricing/PricePage.h"
#include "windows/pricing/PricePageFields.h"

namespace hvx {
namespace {

// The destination's lists hang on the line in a single-source settlement and
// on the settlement itself (no link) in a multiple-source one.
std::string ListLink(bool multipleSource, const settlement::SettlementDetailItem& line) {
    return multipleSource ? std::string() : line.dlLink;
}

}  // namespace

void PricePage::Fill(const settlement::SettlementRecordSet& set,
                     const settlement::SettlementDetailItem& line) {
    Clear();
    SetSourceKind(line.source);
    const std::string link = ListLink(MultipleSource(), line);
    for (const settlement::SettlementUnitsNode& n : set.units.GridRows(link))
        units_.Append({n.units, n.price});
    for (const settlement::SettlementDeductionNode& n : set.deductions.Nodes())
        if (n.dlLink == link) deductions_.Append({n.deduct, n.amount, n.da, n.advance});
    for (const settlement::SettlementGradeNode& n : set.grades.Nodes())
        if (n.dlLink == link) grades_.push_back({n.gradFact, n.result});
    if (MultipleSource()) {
        RecomputeDestinationTotals();
        return;
    }
    // An installment sale settled by amount was priced at its amount.
    if (installmentSale_) gross_ = line.totPrice;
    SetUnitsSettled(line.unitsSet);
}

void PricePage::Store(settlement::SettlementRecordSet& set,
                      const settlement::SettlementDetailItem& line) const {
    const std::string link = ListLink(MultipleSource(), line);
    set.units.RemoveLink(link);
    for (const PriceUnitRow& row : units_.Items()) set.units.Add(row.units, row.price, link);
    set.deductions.RemoveLink(link);
    for (const PriceDeductionRow& row : deductions_.Items())
        set.deductions.Add(row.reference, row.amount, row.da, row.advance, link, line.sourceRef,
                           line.source);
    set.grades.RemoveLink(link);
    for (const PriceGradeRow& row : grades_) set.grades.Add(row.gradeFactor, row.result, link, ui_);
}

bool PricePage::AcceptGrade() {
    if (Blank(data_.gradeFactor)) return Refuse(kMsgGradeFactorRequired, kFieldGradeFactor);
    if (Blank(data_.result)) return Refuse(kMsgResultRequired, kFieldResult);
    PriceGradeRow row{data_.gradeFactor, data_.result};
    if (data_.gradeRow && *data_.gradeRow < grades_.size())
        grades_[*data_.gradeRow] = std::move(row);
    else
        grades_.push_back(std::move(row));
    NewGrade();
    changed_ = true;
    return true;
}

void PricePage::NewGrade() {
    data_.gradeFactor.clear();
    data_.result.clear();
    data_.gradeRow.reset();
}

bool PricePage::RemoveGrade() {
    if (!data_.gradeRow || *data_.gradeRow >= grades_.size()) return false;
    grades_.erase(grades_.begin() + static_cast<std::ptrdiff_t>(*data_.gradeRow));
    NewGrade();
    changed_ = true;
    return true;
}

void PricePage::SelectGradeRow(std::size_t row) {
    if (row >= grades_.size()) return;
    data_.gradeFactor = grades_[row].gradeFactor;
    data_.result = grades_[row].result;
    data_.gradeRow = row;
}

}  // namespace hvx
