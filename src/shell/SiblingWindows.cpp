#include "shell/SiblingWindows.h"

#include <string>

#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

struct Opener {
    const char* module;
    const char* function;
};

Opener OpenerOf(SiblingWindow which) {
    switch (which) {
        case SiblingWindow::Commodity: return {"H32GRP.DLL", "CreateCommodityWithLoad"};
        case SiblingWindow::AssemblySheet: return {"H32GRP.DLL", "CreateAssemblySheetsWithLoad"};
        case SiblingWindow::SettlementDeduction:
            return {"H32GRP.DLL", "SettlementDeductionWindow"};
        case SiblingWindow::ShippingDestination:
            return {"H32GRP.DLL", "ShippingDestinationWindow"};
        case SiblingWindow::SalesContract: return {"H32GRP.DLL", "CreateSalesContractsWithLoad"};
        case SiblingWindow::Customer: return {"H32AR.DLL", "CreateCustomersInfoFuel"};
    }
    return {"", ""};
}

}  // namespace

bool OpenSiblingWindow(HostWindow window, SiblingWindow which, std::string_view key) {
    const Opener opener = OpenerOf(which);
    void* module = LoadSibling(opener.module);
    if (!module) return false;
    auto open = SiblingFunctionAs<HVXOpenWindowFn>(module, opener.function);
    if (!open) return false;
    const std::string keyText(key);
    open(window, keyText.c_str());
    return true;
}

}  // namespace hvx
