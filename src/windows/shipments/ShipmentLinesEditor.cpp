#include "windows/shipments/ShipmentLinesEditor.h"

#include <utility>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/UiPort.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx::shipwin {
namespace {

const char* const kDeductionList =
    "SELECT REFERENCE,DESCRIPT,STR(RECNO) FROM HVXGR61";
const char* const kDeductionColumns = "REFERENCE,Reference,20,-1,DESCRIPT,Description,60,0";
const char* const kGradeFactorList = "SELECT GRADFACT,GRADNAME,STR(RECNO) FROM HVXGR50";
const char* const kGradeFactorColumns = "GRADFACT,Grade Factor,20,-1,GRADNAME,Description,60,0";

bool SetUpForCommodity(const std::string& commodity, const std::string& factor) {
    HVXSConnection connection(1, nullptr, 0);
    return connection.ExecSQL(_HVXsprintf(
               "SELECT GRADFACT FROM HVXGR51B WHERE COMMODITY='%s' AND GRADFACT='%s'", commodity,
               factor)) &&
           connection.FetchNext();
}

}  // namespace

ShipmentLinesEditor::ShipmentLinesEditor(UiPort& ui, ShipmentLineKind kind,
                                         std::string commodity,
                                         std::vector<shipments::ShipmentLine> lines)
    : ui_(&ui), kind_(kind), commodity_(std::move(commodity)), lines_(std::move(lines)) {}

const char* ShipmentLinesEditor::Title() const {
    return kind_ == ShipmentLineKind::Deductions ? "Shipment Deductions" : "Grade Factors";
}
const char* ShipmentLinesEditor::ReferenceLabel() const {
    return kind_ == ShipmentLineKind::Deductions ? "Deduction" : "Grade Factor";
}
const char* ShipmentLinesEditor::ValueLabel() const {
    return kind_ == ShipmentLineKind::Deductions ? "Amount" : "Result";
}

std::string_view ShipmentLinesEditor::SearchHint() const {
    return kind_ == ShipmentLineKind::Deductions ? kHintShipmentDeduction : kHintGradeFactor;
}

void ShipmentLinesEditor::Select(std::size_t row) {
    if (row >= lines_.size()) return;
    selected_ = row;
    reference = lines_[row].reference, value = lines_[row].value;
}

bool ShipmentLinesEditor::Refuse(std::string_view message, std::string_view field) {
    ShowMessage(*ui_, message);
    if (!field.empty()) ui_->SetFocus(field);
    return false;
}

// Both lists need a reference; a grade factor must also be one the
// commodity is graded on, or the load's grade could not be read back.
bool ShipmentLinesEditor::Accept() {
    if (Trimmed(reference).empty()) return Refuse("Reference is required.", kFieldLineReference);
    if (kind_ == ShipmentLineKind::GradeFactors) {
        EngineFailureWatch watch;
        if (!SetUpForCommodity(commodity_, reference))
            return Refuse("Grade factor not setup for this commodity.", kFieldLineReference);
    }
    shipments::ShipmentLine line{reference, value};
    if (selected_ && *selected_ < lines_.size())
        lines_[*selected_] = std::move(line);
    else
        lines_.push_back(std::move(line));
    New();
    return true;
}

void ShipmentLinesEditor::New() {
    reference.clear(), value.clear();
    selected_.reset();
    ui_->SetFocus(kFieldLineReference);
}

bool ShipmentLinesEditor::Remove() {
    if (!selected_ || *selected_ >= lines_.size()) return Refuse(kMsgNoItemSelected, "");
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    New();
    return true;
}

void ShipmentLinesEditor::Search() {
    const bool deductions = kind_ == ShipmentLineKind::Deductions;
    std::string text = reference;
    if (ui_->SearchWin(text, deductions ? kDeductionColumns : kGradeFactorColumns,
                      deductions ? kDeductionList : kGradeFactorList, "") != 0)
        reference = text;
}

}  // namespace hvx::shipwin
