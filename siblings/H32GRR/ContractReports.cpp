// The contracts of a settlement, exported under the names the grain module
// looks up. Each gets the settlement window's key text; only a stored
// settlement has a contract to print.
#include <string>
#include <type_traits>

#include "PrintDocument.h"
#include "abi/SiblingAbi.h"
#include "settlement/InstallmentContractDocument.h"
#include "settlement/SettlementContractDocument.h"
#include "windows/SettlementKey.h"

#define H32GRR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using LoadFn = bool (*)(std::string_view, hvx::report::Document&, std::string&);

void PrintStoredSettlement(const char* settlementKey, LoadFn load) {
    const hvx::SettlementKey key = hvx::ParseSettlementKey(settlementKey ? settlementKey : "");
    h32grr::PrintDocument([&](hvx::report::Document& document, std::string& message) {
        if (key.start == hvx::SettlementStart::Load)
            return load(key.settlementNumber, document, message);
        message = key.start == hvx::SettlementStart::Invalid
                      ? key.problem
                      : std::string("Save the settlement before printing its contract.");
        return false;
    });
}

}  // namespace

H32GRR_EXPORT void DoPrintSettlementContractEx(void*, const char* settlementKey) {
    PrintStoredSettlement(settlementKey, hvx::settlement::LoadSettlementContractDocument);
}

H32GRR_EXPORT void DoPrintInstallmentSaleContract(void*, const char* settlementKey) {
    PrintStoredSettlement(settlementKey, hvx::settlement::LoadInstallmentContractDocument);
}

static_assert(std::is_same_v<decltype(&DoPrintSettlementContractEx), HVXPrintSettlementFn>);
static_assert(std::is_same_v<decltype(&DoPrintInstallmentSaleContract), HVXPrintSettlementFn>);
