#pragma once
// The "Direct Shipments" window: a batch of loads of one commodity shipped
// from one location on one date, and the purchase settlement that buys the
// grain from the customer it was shipped for.
//
// The view binds its header fields to Batch().header, the load form to Load()
// and the settlement fields to Settlement(), calls the commands and draws
// again from the controller after each. Every command runs its checks in
// their fixed order: the first that fails shows its message, moves the focus
// to its field and leaves the batch and the settlement as they were.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "shipments/DirectShipmentBatch.h"
#include "shipments/PurchaseDeductions.h"
#include "shipments/PurchaseSettlement.h"
#include "windows/shipments/ShipmentLinesEditor.h"

namespace hvx {
class UiPort;
}

namespace hvx::shipwin {

class DirectShipmentWindow {
public:
    DirectShipmentWindow(UiPort& ui, HostWindow window);

    static constexpr int kHelpContext = 2030;

    // Runs the deductions or grade factors dialog of the load; true on "&Ok".
    using LinesDialog = std::function<bool(ShipmentLinesEditor&)>;
    void SetLinesDialog(LinesDialog run) { linesDialog_ = std::move(run); }

    // Runs the pay-name editor over the settlement's list; true when changed.
    using PayNamesDialog = std::function<bool(settlement::SettlementPayNameList&)>;
    void SetPayNamesDialog(PayNamesDialog run) { payNamesDialog_ = std::move(run); }

    // Reads the configuration (automatic numbers, G/L entry, customer lookups).
    void Open();

    shipments::DirectShipmentBatch& Batch() { return batch_; }
    const shipments::DirectShipmentBatch& Batch() const { return batch_; }
    shipments::DirectShipmentLoad& Load() { return load_; }
    shipments::PurchaseSettlementForm& Settlement() { return form_; }
    const settlement::SettlementRecordSet& Set() const { return set_; }
    std::vector<shipments::PurchaseDeduction>& Deductions() { return deductions_; }
    bool GlEntry() const { return batch_.glEntry; }

    // The header's commodity facts: "Lbs / Unit : %.2f" and "U/M:".
    std::string PoundsPerUnitText() const;
    std::string UnitOfMeasureText() const { return "U/M: " + uom_; }
    // "Settlement #:": the stored settlement's number, "Auto" before.
    std::string SettlementNumber() const;
    // The settlement's gross amount (its lines) and what the deductions leave.
    double SettlementGross() const;
    std::string SettlementNet() const;

    std::optional<std::size_t> SelectedRow() const { return selected_; }
    // Selecting a row brings its load into the form, where "A&dd Load" puts
    // it back in place.
    void SelectRow(std::size_t row);

    // A stored shipment opened again ("Re&vise Shipment..."): its one load is
    // edited and written over what was stored; the purchase settlement fields
    // are not used.
    bool Revising() const { return revising_; }

    bool Changed() const { return changed_; }
    void MarkChanged() { changed_ = true; }
    bool Finished() const { return batch_.FinishCount() > 1; }
    bool RemoveEnabled() const { return batch_.CanRemoveLoads(); }

    // Header fields left: the commodity read (and checked when not empty).
    bool CommodityLeft();
    // A weight, dockage, units, price or amount of the form changed.
    void FiguresChanged();

    // Commands.
    bool AddLoad();
    void NewLoad();
    bool RemoveLoad();
    bool Finish();
    void New();
    void ReviseShipment();
    void Comments();
    void Print();
    void ShipmentDeductions();
    void GradeFactors();
    void PayNames();
    void Help();
    // "&Close": true when the window may close.
    bool MayClose();

    // The purchase settlement's deduction table: a reference picked fills its
    // amount and D/A; "&Acc" checks the line and adds it.
    bool FillDeduction(shipments::PurchaseDeduction& line);
    bool AcceptDeduction(const shipments::PurchaseDeduction& line);

    // Field lookups (the field's search button). Each fills its field when a
    // row is chosen.
    void SearchLocation();
    void SearchCommodity();
    void SearchTrucker();
    void SearchDestination();
    void SearchContract();
    void SearchDeduction(shipments::PurchaseDeduction& line);
    void SearchCustomer(bool byName);
    void SearchGlAccount();
    // Fields left: the reference checked against its table.
    bool DestinationLeft();
    bool SoldToLeft();

private:
    bool Refuse(std::string_view message, std::string_view field);
    bool AskChanges();
    bool SaveSettlement();
    bool FinishRevision();
    void ClearSettlement();
    void TakeDeductions();
    bool CarryAll(std::string& message);
    void DefaultPayNamesIfEmpty();
    bool VerifyGl(const std::string& a1, const std::string& a2, const std::string& a3);
    void EditLines(ShipmentLineKind kind);

    UiPort& ui_;
    HostWindow window_;
    std::string backOffice_;
    shipments::DirectShipmentBatch batch_;
    shipments::DirectShipmentLoad load_;
    std::optional<std::size_t> selected_;
    shipments::PurchaseSettlementForm form_;
    settlement::SettlementRecordSet set_;
    settlement::SettlementWindowValues values_;
    std::vector<shipments::PurchaseDeduction> deductions_;
    double poundsPerUnit_ = 0;
    std::string uom_;
    bool changed_ = false;
    bool revising_ = false;
    LinesDialog linesDialog_;
    PayNamesDialog payNamesDialog_;
};

}  // namespace hvx::shipwin
