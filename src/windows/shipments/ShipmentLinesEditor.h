#pragma once
// The "Shipment Deductions" dialog of a load, and the same dialog for its
// grade factors: a reference and its amount (or result) entered line by line
// into a list that goes back to the load only on "&Ok".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shipments/DirectShipmentLoad.h"

namespace hvx {
class UiPort;
}

namespace hvx::shipwin {

enum class ShipmentLineKind { Deductions, GradeFactors };

inline constexpr std::string_view kFieldLineReference = "LineReference";
inline constexpr std::string_view kFieldLineValue = "LineValue";
inline constexpr std::string_view kHintShipmentDeduction = "Search for a shipment deduction";
inline constexpr std::string_view kHintGradeFactor = "Search for a grade factor";

class ShipmentLinesEditor {
public:
    ShipmentLinesEditor(UiPort& ui, ShipmentLineKind kind, std::string commodity,
                        std::vector<shipments::ShipmentLine> lines);

    // The dialog's own port: its messages and focus moves belong to it.
    void UseUi(UiPort& ui) { ui_ = &ui; }

    ShipmentLineKind Kind() const { return kind_; }
    const char* Title() const;
    const char* ReferenceLabel() const;  // "Deduction" or "Grade Factor"
    const char* ValueLabel() const;      // "Amount" or "Result"
    std::string_view SearchHint() const;

    // The line being entered.
    std::string reference, value;
    const std::vector<shipments::ShipmentLine>& Lines() const { return lines_; }
    std::optional<std::size_t> Selected() const { return selected_; }
    // A row chosen in the list comes into the fields, to be changed there.
    void Select(std::size_t row);

    // "&Accept": the line checked, then added (or put in place of the row
    // chosen). "&New" empties the fields; "&Remove" drops the row chosen.
    bool Accept();
    void New();
    bool Remove();
    // The reference field's list.
    void Search();

private:
    bool Refuse(std::string_view message, std::string_view field);

    UiPort* ui_;
    ShipmentLineKind kind_;
    std::string commodity_;
    std::vector<shipments::ShipmentLine> lines_;
    std::optional<std::size_t> selected_;
};

}  // namespace hvx::shipwin
