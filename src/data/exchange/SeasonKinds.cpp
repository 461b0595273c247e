// The layouts of the season's files: contracts, deliveries and advances.
// Their links to one another are drawn by the import as the module draws
// them; the file names what they link to by reference instead.
#include "data/exchange/AssemblyRows.h"
#include "data/exchange/ExchangeKind.h"
#include "data/exchange/KindColumns.h"
#include "data/exchange/WorkedValues.h"

namespace hvx::exchange {

using namespace columns;

namespace {

ExchangeColumn Customer() {
    return Reference("CUSTREF", "HVXAR50", "REFERENCE");
}
ExchangeColumn Commodity() {
    return Reference("COMMODITY", "HVXGR51", "REFERENCE");
}
ExchangeColumn PurchaseContract() {
    return Reference("CONTRACT", "HVXGR01", "CONTRACT", false);
}
FilledColumn Worked(const char* name, WorkOut work) {
    return {name, Fill::Worked, nullptr, work};
}
FilledColumn Constant(const char* name, const char* value) {
    return {name, Fill::Constant, value};
}

}  // namespace

void AddSeasonKinds(std::vector<ExchangeKind>& kinds) {
    kinds.push_back({"purchase-contracts", "HVXGR01", {"CONTRACT"}, {Key("CONTRACT", 20)}});
    kinds.push_back({"contract-schedules",
                     "HVXGR01G",
                     {"CONTRACT", "GRADFACT"},
                     {Reference("CONTRACT", "HVXGR01", "CONTRACT"),
                      Reference("GRADFACT", "HVXGR50", "GRADFACT"), Key("SCHEDULE", 20)}});
    kinds.push_back({"sales-contracts",
                     "HVXGR05",
                     {"CONTRACT"},
                     {Key("CONTRACT", 20), Customer(), Commodity(), Text("BUYREF", 20),
                      Text("CTYPE", 20), Date("DATEEST"), Fixed("CQTY", 4), Fixed("QTYRECV", 4),
                      Fixed("OCQTY", 4), Fixed("DELPRICE", 4), Text("STATUS", 10)},
                     {Worked("CUSTNAME", CustomerName)}});
    kinds.push_back({"assembly-splits",
                     "HVXGR02S",
                     {"ASSEMBLY", "CUSTREF"},
                     {Key("ASSEMBLY", 20), PurchaseContract(), Commodity(),
                      Reference("LOCATION", "HVXINV16", "LOCREF"), Text("DPR", 20), Customer(),
                      Fixed("SHAREUNITS", 4), Fixed("SETTUNITS", 4), Fixed("PSETUNITS", 4)},
                     {Worked("SETTLED", SplitSettled), {"LINEID", Fill::NewLink}},
                     {},
                     nullptr,
                     KeepAssemblyRows});
    kinds.push_back(
        {"scale-tickets",
         "HVXGR03A",
         {"SCALETICK"},
         {Key("SCALETICK", 20), Key("ASSEMBLY", 20), PurchaseContract(), Customer(),
          Text("DPRSTATUS", 20), Fixed("UNITS", 4), Fixed("UNITSSET", 4), Fixed("PRICE", 4)},
         {Worked("ASSEMLINK", TicketSplitLink),
          {"STDLINEID", Fill::NewLink},
          Worked("SETTLED", TicketSettled)}});
    kinds.push_back(
        {"ticket-tests",
         "HVXGR03G",
         {"TICKETNUM", "TEST"},
         {Reference("TICKETNUM", "HVXGR03A", "SCALETICK"), Reference("TEST", "HVXGR50", "GRADFACT"),
          Rate("RESULT"), Fixed("NETUNITS", 4), Fixed("PREMDISC", 4)},
         {Worked("ASSEMBLY", TicketAssembly)}});
    // Advances already paid out by the office's own system; their repayments
    // are the settlements' business from here on.
    kinds.push_back({"advances",
                     "HVXGR57",
                     {"CUSTREF", "CHECKNUM"},
                     {Customer(),
                      {"ADVDATE", FieldType::Date, 0, true},
                      Text("SOURCE", 20),
                      Text("SOURCEREF", 20),
                      {"AMOUNT", FieldType::Fixed, 2, true},
                      Fixed("RAMOUNT", 2),
                      Key("CHECKNUM", 20)},
                     {Worked("CUSTNAME", CustomerName),
                      Worked("OPENPAID", AdvanceOpenPaid),
                      Constant("SETTLEMENT", ""),
                      Constant("SETTLELINK", ""),
                      Constant("SETITEM", ""),
                      {"ADVLINK", Fill::OwnRecno},
                      Constant("NUMCHANGE", "0")}});
}

}  // namespace hvx::exchange
