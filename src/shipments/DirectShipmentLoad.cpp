#include "shipments/DirectShipmentLoad.h"

#include "platform/Text.h"
#include "rules/Categories.h"

namespace hvx::shipments {

bool DirectShipmentLoad::CompanyOwned() const { return fromDpr == kCompanyOwned; }

double DirectShipmentLoad::NetUnits() const { return TextNumber(figures.netUnits); }

}  // namespace hvx::shipments
