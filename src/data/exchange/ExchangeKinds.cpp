// The layouts of the reference files. Widths are what the windows and pick
// lists of the suite show of each column; rates keep the digits they were
// entered with, as the module stores them.
#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {
namespace {

ExchangeColumn Text(const char* name, int width) {
    return {name, FieldType::Text, width};
}
ExchangeColumn Key(const char* name, int width) {
    return {name, FieldType::Text, width, true};
}
ExchangeColumn Rate(const char* name) {
    return {name, FieldType::Decimal};
}
ExchangeColumn Whole(const char* name) {
    return {name, FieldType::Whole};
}
ExchangeColumn Flag(const char* name) {
    return {name, FieldType::Flag, 0, true};
}
ExchangeColumn Choice(const char* name, const char* choices) {
    return {name, FieldType::Choice, 0, true, nullptr, nullptr, choices};
}
ExchangeColumn Reference(const char* name, const char* table, const char* column,
                         bool required = true) {
    return {name, FieldType::Text, 20, required, table, column};
}

std::vector<ExchangeKind> Describe() {
    return {
        {"locations", "HVXINV16", {"LOCREF"}, {Key("LOCREF", 18), Text("LOCDESC", 40)}},
        {"customers",
         "HVXAR50",
         {"REFERENCE"},
         {Key("REFERENCE", 20), Text("NAME", 40), Text("ADDRESS1", 40), Text("ADDRESS2", 40),
          Text("CITY", 30), Text("STATE", 10), Text("ZIPCODE", 10), Text("COUNTRY", 20),
          Text("SSTAXIDNUM", 20), Text("SALESMAN", 10), Flag("TAXEXEMPT"), Text("TAXCODE", 10),
          Text("REGION", 10), Text("BILLTOREF", 20)}},
        {"vendors",
         "HVXAP50",
         {"REFERENCE"},
         {Key("REFERENCE", 18), Text("NAME", 40), Text("ADDRESS1", 40), Text("ADDRESS2", 40),
          Text("CITY", 30), Text("STATE", 10), Text("ZIP", 10)}},
        {"grade-factors",
         "HVXGR50",
         {"GRADFACT"},
         {Key("GRADFACT", 20), Text("GRADNAME", 40), Rate("DRYCHARGE")}},
        {"commodities",
         "HVXGR51",
         {"REFERENCE"},
         {Key("REFERENCE", 20), Text("NAME", 30), Whole("DECIMALS"), Rate("LBSUNIT"),
          Text("UOM", 4), Text("TAXCODE", 10), Rate("STOREDAY"), Rate("SERVEDAY"),
          Rate("STOREDAY2"), Rate("SERVDAY2")}},
        {"commodity-factors",
         "HVXGR51B",
         {"COMMODITY", "GRADFACT"},
         {Reference("COMMODITY", "HVXGR51", "REFERENCE"),
          Reference("GRADFACT", "HVXGR50", "GRADFACT")}},
        {"deductions",
         "HVXGR52",
         {"REFERENCE"},
         {Key("REFERENCE", 20), Text("DESCRIPT", 40), Choice("TYPE", "D|A"), Rate("RATEUNIT"),
          Rate("GRDOLLAR"), Choice("ADVCODE", "0|1"), Choice("GRAINTAX", "0|1"),
          Choice("MAKEENTRY", "0|1"), Text("ARACCT1", 10), Text("ARACCT2", 10),
          Text("ARACCT3", 10)}},
        // A lien without a commodity holds on every commodity of the customer.
        {"liens",
         "HVXGR56A",
         {"CUSTREF", "LIENHOLD", "COMMODITY"},
         {Reference("CUSTREF", "HVXAR50", "REFERENCE"),
          Key("LIENHOLD", 40),
          Reference("COMMODITY", "HVXGR51", "REFERENCE", false),
          {"EXPDATE", FieldType::Date}}},
    };
}

}  // namespace

const ExchangeColumn* ExchangeKind::Find(std::string_view column) const {
    for (const ExchangeColumn& c : columns)
        if (column == c.name) return &c;
    return nullptr;
}

const std::vector<ExchangeKind>& ExchangeKinds() {
    static const std::vector<ExchangeKind> kinds = Describe();
    return kinds;
}

const ExchangeKind* FindExchangeKind(std::string_view name) {
    for (const ExchangeKind& kind : ExchangeKinds())
        if (name == kind.name) return &kind;
    return nullptr;
}

std::string ExchangeKindNames() {
    std::string names;
    for (const ExchangeKind& kind : ExchangeKinds())
        names += (names.empty() ? "" : ", ") + std::string(kind.name);
    return names;
}

}  // namespace hvx::exchange
