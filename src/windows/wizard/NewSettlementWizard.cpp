#include "windows/wizard/NewSettlementWizard.h"

#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/BackOfficeCalls.h"
#include "shell/Configuration.h"

namespace hvx {
namespace {

// BCKOFFCE is kept to the size the configuration gives it.
constexpr std::size_t kBackOfficeSize = 20;

}  // namespace

std::string NewSettlementWizard::Fit(std::string_view text, std::size_t size) {
    std::string buffer(size + 1, '\0');
    CopyToBuffer(text, buffer.data(), buffer.size());
    return buffer.c_str();
}

NewSettlementWizard::NewSettlementWizard(UiPort& ui, HostWindow window, WizardMode mode)
    : ui_(ui), window_(window), mode_(mode) {}

void NewSettlementWizard::Open() {
    std::string setting = BackOfficeSetting();
    TRIM(setting);
    backOffice_ = Fit(setting, kBackOfficeSize);
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
    answers_.kind = Fit(Entries()[selected_], kKindSize);
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

bool NewSettlementWizard::BackOffice() const {
    return UsesBackOffice(backOffice_);
}

}  // namespace hvx
