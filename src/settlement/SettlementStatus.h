#pragma once
// The status popup of a settlement window: G/L class, posted and G/L posted.
#include <string>
#include <string_view>

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

struct SettlementStatusText {
    std::string title;
    std::string text;  // rows split by "\n", label and value by "~"
    bool operator==(const SettlementStatusText&) const = default;
};

// glDescription is the description of the settlement's G/L code; without a
// code (glCode empty) the popup has no G/L class row.
SettlementStatusText SettlementStatus(std::string_view glCode, std::string_view glDescription,
                                      bool posted, bool glPosted, bool reversed);

void ShowSettlementStatus(UiPort& ui, std::string_view glCode, std::string_view glDescription,
                          bool posted, bool glPosted, bool reversed);

}  // namespace hvx::settlement
