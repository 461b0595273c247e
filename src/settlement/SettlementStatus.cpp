#include "settlement/SettlementStatus.h"

#include "platform/Format.h"
#include "platform/UiPort.h"

namespace hvx::settlement {
namespace {

const char* YesNo(bool value) { return value ? "Yes" : "No"; }

// Two columns wide enough for "G/L Posted" and a G/L class description,
// just below the status button.
constexpr int kPopupWidth = 180;
constexpr int kPopupOffset = 14;

}  // namespace

SettlementStatusText SettlementStatus(std::string_view glCode, std::string_view glDescription,
                                      bool posted, bool glPosted, bool reversed) {
    SettlementStatusText status;
    status.title = reversed ? "Settlement Status (Reversed)" : "Settlement Status";
    status.text = glCode.empty()
                      ? _HVXsprintf("\nPosted~%s\nG/L Posted~%s", YesNo(posted), YesNo(glPosted))
                      : _HVXsprintf("G/L Class~%s\nPosted~%s\nG/L Posted~%s", glDescription,
                                    YesNo(posted), YesNo(glPosted));
    return status;
}

void ShowSettlementStatus(UiPort& ui, std::string_view glCode, std::string_view glDescription,
                          bool posted, bool glPosted, bool reversed) {
    const SettlementStatusText status =
        SettlementStatus(glCode, glDescription, posted, glPosted, reversed);
    ui.InfoPopup(status.title, status.text, kPopupWidth, kPopupOffset);
}

}  // namespace hvx::settlement
