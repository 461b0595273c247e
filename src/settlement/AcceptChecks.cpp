#include "settlement/AcceptChecks.h"

#include "platform/Lookups.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/BackOfficeCalls.h"

namespace hvx::settlement {
namespace {

bool Block(UiPort& ui, const char* text, const std::string& focus) {
    ShowMessage(ui, text);
    if (!focus.empty()) ui.SetFocus(focus);
    return true;
}

}  // namespace

bool CustomerKnown(HostWindow window, std::string_view custRef, std::string_view customerSystem) {
    if (custRef.empty()) return false;
    if (UsesBackOffice(customerSystem)) {
        BackOfficeRecord record;
        return CallBackOffice(window, BackOfficeFunction::VerifyCustomer, custRef, record);
    }
    return !LookupRecno1(1, "HVXAR50", "REFERENCE", custRef).empty();
}

bool AcceptBlocked(const AcceptCheckInput& input, UiPort& ui) {
    // A posted settlement is refused before anything is looked up: its
    // customer may since have been removed, and that is not the user's problem.
    if (input.posted)
        return Block(ui,
                     "Cannot change a settlement once it has been posted. Please use the change "
                     "button provided below.",
                     "");
    if (!CustomerKnown(input.window, input.custRef, input.customerSystem))
        return Block(ui, "A valid customer reference is required.", input.custField);
    std::string date = input.settDate;
    TRIM(date);
    if (date.empty())
        return Block(ui, "Settlement date is required to accept this settlement.",
                     input.dateField);
    if (!input.hasLines) return Block(ui, "Settlement requires at least one source entry to save.", "");
    return false;
}

}  // namespace hvx::settlement
