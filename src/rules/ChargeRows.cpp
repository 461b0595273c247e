#include "rules/ChargeRows.h"

#include "platform/Format.h"
#include "platform/Text.h"
#include "rules/Categories.h"
#include "shell/Configuration.h"

namespace hvx::charges {

std::string ConfiguredReference(ChargeFamily family) {
    std::string reference;
    switch (family) {
    case ChargeFamily::Storage: reference = ChargeDeductionCode(ChargeKind::Storage); break;
    case ChargeFamily::Service: reference = ChargeDeductionCode(ChargeKind::Service); break;
    case ChargeFamily::Interest: reference = ChargeDeductionCode(ChargeKind::Interest); break;
    case ChargeFamily::None: break;
    }
    TRIM(reference);
    return reference;
}

std::string MoneyText(double amount) {
    // Adding zero turns a negative zero (a rounded -0.004) into 0, so a row
    // never reads "-0.00".
    return _HVXsprintf("%.2f", amount + 0.0);
}

bool IsChargedDestination(std::string_view destination) {
    return destination == kPriced || destination == kInstallmentSale;
}

}  // namespace hvx::charges
