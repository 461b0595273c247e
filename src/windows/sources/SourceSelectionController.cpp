#include "windows/sources/SourceSelectionController.h"

#include <algorithm>

#include "platform/EngineReason.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "rules/SourceKinds.h"
#include "rules/TicketPricing.h"
#include "settlement/SettlementRecordSet.h"
#include "windows/sources/SettleLookups.h"

namespace hvx {
namespace {

// Bound in the order the statement names them: the assembly, then its customer.
const char* const kOpenAssembly =
    "SELECT RECNO FROM HVXGR02S WHERE ASSEMBLY = ? AND CUSTREF = ? AND SETTLED = 'F'";

// Shows a failed command's message with the engine's reason under it.
template <class Command>
bool Explained(UiPort& ui, Command&& command) {
    std::string message;
    if (RunExplained(message, [&] { return command(message); })) return true;
    ShowMessage(ui, message);
    return false;
}

}  // namespace

SourceSelectionController::SourceSelectionController(UiPort& ui,
                                                     settlement::SettlementRecordSet& set,
                                                     SourceSelectionRequest request)
    : ui_(ui), set_(set), request_(std::move(request)), grid_(request_.kind) {
    if (grid_.Tickets()) {
        title_ = "Select Scale Ticket(s) to Settle";
        second_ = "Enter Assembly to Limit Selections";
    } else {
        title_ = "Select Assembly Splits to Settle";
    }
}

bool SourceSelectionController::Fill() {
    filledAssembly_ = assembly_;
    const bool filled = Explained(ui_, [&](std::string& message) {
        if (request_.custRef.empty()) return grid_.Rows().clear(), true;
        const SourceFilter filter{request_.custRef, grid_.Tickets() ? assembly_ : "",
                                  set_.defaults.commodity, set_.defaults.location};
        return grid_.Fill(filter, set_.details, message);
    });
    if (!filled) grid_.Rows().clear();
    Recount();
    return filled;
}

bool SourceSelectionController::AssemblyIsOpen(bool& open) {
    return Explained(ui_, [&](std::string& message) {
        HVXConnection connection(1);
        PreparedStatements sql(connection);
        std::vector<SqlRow> rows;
        if (!sql.Query({{}, kOpenAssembly}, {assembly_, request_.custRef}, 1, rows))
            return message = sql.LastError(), false;
        open = !rows.empty();
        return true;
    });
}

void SourceSelectionController::LeaveAssembly() {
    if (!assembly_.empty()) {
        bool open = false;
        if (!AssemblyIsOpen(open)) return;
        if (!open) {
            // Not one of the customer's open assemblies: the user picks one.
            AssemblyPick pick;
            const bool picked = Explained(ui_, [&](std::string& message) {
                const LookupResult result = FindAssemblyToSettle(
                    ui_, AssemblyListUse::Limiter, request_.custRef, set_.defaults.commodity,
                    set_.defaults.location, assembly_, pick, message);
                if (result == LookupResult::Cancelled) assembly_.clear();
                return result != LookupResult::Failed;
            });
            if (!picked) return;
        }
    }
    if (assembly_ == filledAssembly_) return;
    Fill();
    if (!assembly_.empty()) ui_.SetFocus(kGridField);
}

void SourceSelectionController::Check(std::size_t row, bool on) {
    std::vector<SourceRow>& rows = grid_.Rows();
    if (row >= rows.size()) return;
    rows[row].checked = on;
    if (on && set_.defaults.commodity.empty()) Narrow(rows[row]);
    Recount();
}

void SourceSelectionController::Narrow(const SourceRow& row) {
    // Copied first: the row itself moves while the others leave the list.
    const std::string commodity = row.commodity, location = row.location;
    set_.defaults.commodity = commodity;
    set_.defaults.location = location;
    std::erase_if(grid_.Rows(), [&](const SourceRow& r) {
        return r.commodity != commodity || r.location != location;
    });
}

double SourceSelectionController::PriceOf(SourceRow& row) {
    if (row.price < 0) {
        // The price of a ticket line, or of a split's tickets weighted by their units.
        row.price = grid_.Tickets() ? ScaleTicketPrice(row.link, row.commodity)
                                    : AssemblyPrice(row.link, row.commodity);
    }
    return row.price;
}

void SourceSelectionController::Recount() {
    checked_ = 0, selectedUnits_ = 0, amount_ = 0;
    for (SourceRow& row : grid_.Rows()) {
        if (!row.checked) continue;
        ++checked_;
        selectedUnits_ += HVXRound(row.open, 4);
        amount_ += HVXRound(HVXRound(row.open, 4) * PriceOf(row), 2);
    }
    selectedUnits_ = HVXRound(selectedUnits_, 4);
    amount_ = HVXRound(amount_, 2);
}

std::string SourceSelectionController::SelectedUnitsText() const {
    return _HVXsprintf("%.4f", selectedUnits_);
}

std::string SourceSelectionController::UnitPriceText() const {
    return _HVXsprintf("%.4f", selectedUnits_ == 0 ? 0.0 : HVXRound(amount_ / selectedUnits_, 4));
}

std::string SourceSelectionController::AmountText() const {
    return _HVXsprintf("%.2f", amount_);
}

settlement::LineValues SourceSelectionController::ValuesOf(SourceRow& row) {
    settlement::LineValues v;
    v.source = {grid_.Tickets() ? std::string(kScaleTicket) : std::string(kAssembly),
                row.reference, row.link, row.contract, row.dpr};
    v.commodity = set_.defaults.commodity.empty() ? row.commodity : set_.defaults.commodity;
    v.location = set_.defaults.location.empty() ? row.location : set_.defaults.location;
    v.destination = request_.destination;
    v.type = request_.type;
    v.settDate = request_.settDate;
    v.units = HVXRound(row.open, 4);
    v.price = HVXRound(PriceOf(row), 4);
    return v;
}

bool SourceSelectionController::Ok() {
    result_ = SourceSelectionResult{};
    result_.checked = checked_, result_.selectedUnits = selectedUnits_;
    std::vector<SourceRow*> checked;
    for (SourceRow& row : grid_.Rows())
        if (row.checked) checked.push_back(&row);
    if (checked.size() == 1) {
        result_.single = ValuesOf(*checked.front());
        return true;
    }
    // Every line is built before the first is added: a link that cannot be
    // drawn leaves the settlement as it was.
    std::vector<settlement::SettlementDetailItem> lines(checked.size());
    const bool built = Explained(ui_, [&](std::string& message) {
        for (std::size_t i = 0; i < checked.size(); ++i)
            if (!settlement::BuildSourceLine(ValuesOf(*checked[i]), lines[i], message))
                return false;
        return true;
    });
    if (!built) return false;
    for (settlement::SettlementDetailItem& line : lines) {
        result_.linesBuilt.push_back(line.dlLink);
        set_.details.AddLine(std::move(line));
    }
    if (!lines.empty()) set_.details.SetChanged(true);
    return true;
}

}  // namespace hvx
