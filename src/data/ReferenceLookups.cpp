#include "data/ReferenceLookups.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/HVXConnection.h"
#include "platform/Statements.h"

namespace hvx::data {
namespace {

// Runs a lookup by one key and copies the columns of its first row, in
// order, into the outputs. False when there is no row or the statement
// failed (then `error` says why).
bool FirstRow(const char* sql, std::string_view key, const std::vector<std::string*>& outputs,
              std::string& error) {
    HVXConnection connection(1);
    PreparedStatements statements(connection);
    std::vector<SqlRow> rows;
    if (!statements.Query({{}, sql}, {key}, static_cast<int>(outputs.size()), rows)) {
        error = statements.LastError();
        return false;
    }
    if (rows.empty()) return false;
    for (size_t i = 0; i < outputs.size(); ++i) *outputs[i] = std::move(rows.front()[i]);
    return true;
}

ReferenceName LookupName(const char* sql, std::string_view key) {
    ReferenceName out;
    out.found = FirstRow(sql, key, {&out.recno, &out.name}, out.error);
    return out;
}

}  // namespace

CustomerAddress LookupCustomer(std::string_view reference) {
    CustomerAddress out;
    out.found = FirstRow(kCustomerAddressSql, reference,
                         {&out.name, &out.address1, &out.address2, &out.city, &out.state,
                          &out.zipcode, &out.country},
                         out.error);
    return out;
}

ReferenceName LookupVendor(std::string_view reference) {
    return LookupName(kVendorNameSql, reference);
}

ReferenceName LookupCommodity(std::string_view reference) {
    return LookupName(kCommodityNameSql, reference);
}

ReferenceName LookupLocation(std::string_view location) {
    return LookupName(kLocationNameSql, location);
}

CommodityDecimals LookupCommodityDecimals(std::string_view commodity) {
    CommodityDecimals out;
    out.found = FirstRow(kCommodityDecimalsSql, commodity, {&out.decimals}, out.error);
    return out;
}

std::string PriceFormat(std::string_view decimals) {
    const std::string text(decimals);
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    while (*end == ' ' || *end == '\t') ++end;
    int places = kDefaultPriceDecimals;
    if (end != start && *end == '\0' && value == std::trunc(value) && value >= 0 &&
        value <= kMaxPriceDecimals)
        places = static_cast<int>(value);
    char format[16];
    std::snprintf(format, sizeof format, "%%.%df", places);
    return format;
}

std::string CommodityPriceFormat(std::string_view commodity) {
    const CommodityDecimals decimals = LookupCommodityDecimals(commodity);
    return PriceFormat(decimals.found ? decimals.decimals : std::string());
}

}  // namespace hvx::data
