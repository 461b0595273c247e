#include "windows/shipments/ShipmentWindowFields.h"

#include "platform/Text.h"

namespace hvx::shipwin {

std::string Trimmed(std::string text) {
    TRIM(text);
    return text;
}

std::string_view FieldOf(shipments::ShipmentField field) {
    using shipments::ShipmentField;
    switch (field) {
        case ShipmentField::Date: return kFieldDate;
        case ShipmentField::Commodity: return kFieldCommodity;
        case ShipmentField::Location: return kFieldLocation;
        case ShipmentField::Reference: return kFieldReference;
        case ShipmentField::NetUnits: return kFieldNetUnits;
        case ShipmentField::WeighDate: return kFieldWeighDate;
        case ShipmentField::SalePrice: return kFieldSalePrice;
        case ShipmentField::GrossAmt: return kFieldGrossAmt;
        case ShipmentField::GlAccount: return kFieldGlAccount;
        case ShipmentField::PurchasePrice: return kFieldPurchasePrice;
    }
    return {};
}

}  // namespace hvx::shipwin
