#include "windows/wizard/NewSettlementWizard.h"

#include "platform/UiPort.h"
#include "windows/TypedValues.h"

namespace hvx {

NewSettlementWizard::NewSettlementWizard(UiPort& ui, HostWindow window, WizardMode mode)
    : ui_(ui), mode_(mode), customers_(ui, window) {}

void NewSettlementWizard::Open() {
    customers_.ReadSetting();
    selected_ = 0;
    ShowPage(Page::List);
}

void NewSettlementWizard::Select(int entry) {
    if (entry >= 0 && entry < static_cast<int>(Entries().size())) selected_ = entry;
}

std::string_view NewSettlementWizard::Heading() const {
    switch (page_) {
        case Page::List: return WizardListPrompt(mode_);
        case Page::CommodityLocation:
            return "Select the commodity and location for this settlement.";
        case Page::Customer: return "Select the customer for the settlement.";
    }
    return {};
}

std::string_view NewSettlementWizard::MainButtonText() const {
    return page_ == Page::Customer ? "Finish" : "Next >";
}

void NewSettlementWizard::ShowPage(Page page) {
    page_ = page;
    static constexpr const char* kFirstField[] = {kList, kCommodity, kCustName};
    ui_.SetFocus(kFirstField[static_cast<int>(page)]);
}

bool NewSettlementWizard::Next() {
    switch (page_) {
        case Page::List: {
            // Decided anew on each pass, so that Back from the customer page
            // follows the way this pass came, not an earlier one.
            commodityPageShown_ = WizardAsksCommodity(mode_, Entries()[selected_]);
            ShowPage(commodityPageShown_ ? Page::CommodityLocation : Page::Customer);
            return false;
        }
        case Page::CommodityLocation: ShowPage(Page::Customer); return false;
        case Page::Customer: break;
    }
    answers_.custRef = record_.custRef;
    answers_.custName = record_.custName;
    answers_.kind = FitField(Entries()[selected_], kKindSize);
    // A commodity and location typed for a source type chosen earlier, then
    // abandoned with Back, belong to no answer of this settlement.
    answers_.commodity = commodityPageShown_ ? record_.commodity : std::string();
    answers_.location = commodityPageShown_ ? record_.location : std::string();
    if (!record_.custRef.empty() && !record_.custName.empty()) return true;
    ShowMessage(ui_, kCustomerRequired);
    ui_.SetFocus(kCustName);
    return false;
}

void NewSettlementWizard::Back() {
    if (page_ == Page::Customer && commodityPageShown_)
        ShowPage(Page::CommodityLocation);
    else if (page_ != Page::List)
        ShowPage(Page::List);
}

bool NewSettlementWizard::LeaveList(bool shift) {
    return !shift && page_ == Page::List && Next();
}

void NewSettlementWizard::Help() {
    if (mode_ == WizardMode::SourceType)
        ui_.ShowHelp(kHelpFile, kHelpContext);
    else
        ShowMessage(ui_, kHelpUnavailable);
}


}  // namespace hvx
