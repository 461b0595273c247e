// The layouts of the reference files: what the office keeps from season to
// season.
#include "data/exchange/ExchangeKind.h"
#include "data/exchange/KindColumns.h"
#include "data/exchange/ScheduleWriter.h"

namespace hvx::exchange {

using namespace columns;

void AddReferenceKinds(std::vector<ExchangeKind>& kinds) {
    kinds.push_back(
        {"locations", "HVXINV16", {"LOCREF"}, {Key("LOCREF", 18), Text("LOCDESC", 40)}});
    kinds.push_back(
        {"customers",
         "HVXAR50",
         {"REFERENCE"},
         {Key("REFERENCE", 20), Text("NAME", 40), Text("ADDRESS1", 40), Text("ADDRESS2", 40),
          Text("CITY", 30), Text("STATE", 10), Text("ZIPCODE", 10), Text("COUNTRY", 20),
          Text("SSTAXIDNUM", 20), Text("SALESMAN", 10), Flag("TAXEXEMPT"), Text("TAXCODE", 10),
          Text("REGION", 10), Text("BILLTOREF", 20)}});
    kinds.push_back({"vendors",
                     "HVXAP50",
                     {"REFERENCE"},
                     {Key("REFERENCE", 18), Text("NAME", 40), Text("ADDRESS1", 40),
                      Text("ADDRESS2", 40), Text("CITY", 30), Text("STATE", 10), Text("ZIP", 10)}});
    kinds.push_back({"grade-factors",
                     "HVXGR50",
                     {"GRADFACT"},
                     {Key("GRADFACT", 20), Text("GRADNAME", 40), Rate("DRYCHARGE")}});
    kinds.push_back({"commodities",
                     "HVXGR51",
                     {"REFERENCE"},
                     {Key("REFERENCE", 20), Text("NAME", 30), Whole("DECIMALS"), Rate("LBSUNIT"),
                      Text("UOM", 4), Text("TAXCODE", 10), Rate("STOREDAY"), Rate("SERVEDAY"),
                      Rate("STOREDAY2"), Rate("SERVDAY2")}});
    kinds.push_back({"commodity-factors",
                     "HVXGR51B",
                     {"COMMODITY", "GRADFACT"},
                     {Reference("COMMODITY", "HVXGR51", "REFERENCE"),
                      Reference("GRADFACT", "HVXGR50", "GRADFACT")}});
    // One row per step, the schedule's own columns repeated: the steps of a
    // schedule have no key of their own and their order is part of the
    // schedule, so they are written, compared and replaced as one.
    kinds.push_back({"discount-schedules",
                     "HVXGR54",
                     {"COMMODITY", "GRADFACT", "SCHEDULE", "TYPE", "VALUE"},
                     {Reference("COMMODITY", "HVXGR51", "REFERENCE"),
                      Reference("GRADFACT", "HVXGR50", "GRADFACT"),
                      Key("SCHEDULE", 20),
                      Rate("STEPSIZE"),
                      Flag("DOPERCENT"),
                      Choice("TYPE", "1|2"),
                      {"VALUE", FieldType::Decimal, 0, true},
                      Rate("DISCOUNT"),
                      Rate("ADDITION")},
                     {},
                     {"schedule", {"COMMODITY", "GRADFACT", "SCHEDULE"}, {"STEPSIZE", "DOPERCENT"}},
                     WriteSchedules,
                     nullptr,
                     "SELECT H.COMMODITY,H.GRADFACT,H.SCHEDULE,H.STEPSIZE,H.DOPERCENT,S.TYPE,"
                     "S.VALUE,S.DISCOUNT,S.ADDITION FROM HVXGR54 H JOIN HVXGR54B S ON S.TABLINK = "
                     "H.TABLINK ORDER BY H.RECNO, S.RECNO"});
    kinds.push_back({"deductions",
                     "HVXGR52",
                     {"REFERENCE"},
                     {Key("REFERENCE", 20), Text("DESCRIPT", 40), Choice("TYPE", "D|A"),
                      Rate("RATEUNIT"), Rate("GRDOLLAR"), Choice("ADVCODE", "0|1"),
                      Choice("GRAINTAX", "0|1"), Choice("MAKEENTRY", "0|1"), Text("ARACCT1", 10),
                      Text("ARACCT2", 10), Text("ARACCT3", 10)}});
    // A lien without a commodity holds on every commodity of the customer.
    kinds.push_back({"liens",
                     "HVXGR56A",
                     {"CUSTREF", "LIENHOLD", "COMMODITY"},
                     {Reference("CUSTREF", "HVXAR50", "REFERENCE"), Key("LIENHOLD", 40),
                      Reference("COMMODITY", "HVXGR51", "REFERENCE", false), Date("EXPDATE")}});
}

}  // namespace hvx::exchange
