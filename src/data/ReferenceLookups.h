#pragma once
// Lookups of the reference tables that many windows share: customers,
// vendors, commodities and locations, the commodity's price decimals, and the
// pick lists over them.
//
// A lookup that finds no row means the reference is invalid: it comes back
// with `found` false, never as a found row with an empty name. `error` is set
// only when the statement itself failed, so a caller can tell a broken
// database from an unknown reference.
#include <string>
#include <string_view>

namespace hvx::data {

inline constexpr const char* kCustomerAddressSql =
    "SELECT NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY FROM HVXAR50 WHERE REFERENCE=?";
inline constexpr const char* kVendorNameSql = "SELECT RECNO,NAME FROM HVXAP50 WHERE REFERENCE = ?";
inline constexpr const char* kCommodityNameSql =
    "SELECT RECNO,NAME FROM HVXGR51 WHERE REFERENCE = ?";
inline constexpr const char* kLocationNameSql =
    "SELECT RECNO,LOCDESC FROM HVXINV16 WHERE LOCREF = ?";
inline constexpr const char* kCommodityDecimalsSql =
    "SELECT DECIMALS FROM HVXGR51 WHERE REFERENCE = ?";

// A pick list: its select statement (shown columns, then STR(RECNO)) and its
// column list (name, title, width, flag — four per column).
struct PickListDefinition {
    const char* select;
    const char* columns;
};

inline constexpr PickListDefinition kVendorPickList{"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXAP50",
                                              "REFERENCE,Reference,18,-1,NAME,Name,40,0"};
inline constexpr PickListDefinition kCommodityPickList{"SELECT REFERENCE,NAME,STR(RECNO) FROM HVXGR51",
                                                 "REFERENCE,Reference,20,-1,NAME,Name,30,0"};
inline constexpr PickListDefinition kLocationPickList{
    "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16",
    "LOCREF,Reference,18,-1,LOCDESC,Description,40,0"};

struct CustomerAddress {
    bool found = false;
    std::string error;
    std::string name, address1, address2, city, state, zipcode, country;
};

struct ReferenceName {
    bool found = false;
    std::string error;
    std::string recno;  // the row's RECNO, as text
    std::string name;   // NAME; a location's LOCDESC
};

struct CommodityDecimals {
    bool found = false;
    std::string error;
    std::string decimals;  // DECIMALS as stored
};

CustomerAddress LookupCustomer(std::string_view reference);
ReferenceName LookupVendor(std::string_view reference);
ReferenceName LookupCommodity(std::string_view reference);
ReferenceName LookupLocation(std::string_view location);
CommodityDecimals LookupCommodityDecimals(std::string_view commodity);

// Decimals of a price whose commodity is unknown or whose DECIMALS is not a
// usable number: cents, as money is shown everywhere else.
inline constexpr int kDefaultPriceDecimals = 2;
inline constexpr int kMaxPriceDecimals = 9;

// The printf format of a price for a DECIMALS text, built as "%%.%df": "4"
// gives "%.4f". Blanks around the number are ignored; an empty text, one that
// is no whole number, or one outside 0..9 gives "%.2f".
std::string PriceFormat(std::string_view decimals);
// The price format of a commodity; "%.2f" when it is not found.
std::string CommodityPriceFormat(std::string_view commodity);

}  // namespace hvx::data
