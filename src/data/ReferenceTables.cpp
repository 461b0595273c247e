// Commodity, position and reference tables; shipments and warehouse
// receipts; the tables of other modules; our service tables.
//
// Reference tables are looked up by REFERENCE (or LOCREF), child tables by
// their link column (TABLINK, ADVLINK, SHIPLINK, LINK …): each of those gets
// an index, because the windows run these lookups on every field they leave.
#include "data/TableGroups.h"
#include "platform/NextNumbers.h"

namespace hvx::data::tables {

void AddReferenceTables(std::vector<TableDesc>& out) {
    out.push_back(SuiteTable(
        "HVXGR51",
        {T("REFERENCE"), T("NAME"), T("DECIMALS"), T("LBSUNIT"), T("UOM"), T("TAXCODE"),
         T("STOREDAY"), T("SERVEDAY"), T("STOREDAY2"), T("SERVDAY2")},
        {{"REFERENCE"}}));
    out.push_back(SuiteTable(
        "HVXGR51A",
        {T("REFERENCE"), T("LOCATION"), T("URECVD"), T("URECVM"), T("URECVY"), T("USHIPD"),
         T("USHIPM"), T("USHIPY"), T("DPRCO"), T("PRINTDPR"), T("PRINTTP"), T("NUMCHANGE")},
        {{"REFERENCE", "LOCATION"}}));
    out.push_back(SuiteTable("HVXGR51B", {T("COMMODITY"), T("GRADFACT")}, {{"COMMODITY"}}));
    out.push_back(SuiteTable(
        "HVXGR29",
        {T("TRANNUM"), T("COMMODITY"), T("LOCATION"), D("ACTDATE"), T("PROGRAM"), T("SOURCE"),
         T("DEST"), T("NETUNITS"), T("REFERENCE"), T("STATUS"), T("NUMCHANGE")},
        {{"REFERENCE"}}));
    // GRADNAME is the description the grade-factor pick list shows.
    out.push_back(SuiteTable("HVXGR50", {T("GRADFACT"), T("GRADNAME"), T("DRYCHARGE")},
                             {{"GRADFACT"}}));
    out.push_back(SuiteTable("HVXGR54",
                             {T("COMMODITY"), T("GRADFACT"), T("SCHEDULE"), T("TABLINK"),
                              T("STEPSIZE"), T("DOPERCENT")},
                             {{"COMMODITY", "GRADFACT"}, {"TABLINK"}}));
    out.push_back(SuiteTable(
        "HVXGR54B", {T("TABLINK"), T("TYPE"), T("VALUE"), T("DISCOUNT"), T("ADDITION")},
        {{"TABLINK"}}));
    out.push_back(SuiteTable(
        "HVXGR52",
        {T("REFERENCE"), T("DESCRIPT"), T("TYPE"), T("RATEUNIT"), T("GRDOLLAR"), T("ADVCODE"),
         T("GRAINTAX"), T("MAKEENTRY"), T("ARACCT1"), T("ARACCT2"), T("ARACCT3")},
        {{"REFERENCE"}}));
    // Only ever locked by REFERENCE, through the package lock table.
    out.push_back(SuiteTable("HVXGR55", {T("REFERENCE")}, {{"REFERENCE"}}));
    out.push_back(SuiteTable("HVXGR56A",
                             {T("CUSTREF"), T("LIENHOLD"), T("COMMODITY"), D("EXPDATE")},
                             {{"CUSTREF"}}));
    // Advances: a customer's by CUSTREF, a settlement's by its links, and
    // the open ones of every customer (which the save totals) by OPENPAID.
    out.push_back(SuiteTable(
        "HVXGR57",
        {T("CUSTREF"), T("CUSTNAME"), D("ADVDATE"), T("SOURCE"), T("SOURCEREF"),
         T("SETTLEMENT"), T("AMOUNT"), T("RAMOUNT"), T("CHECKNUM"), T("OPENPAID"),
         T("SETTLELINK"), T("SETITEM"), T("ADVLINK"), T("NUMCHANGE")},
        {{"CUSTREF"}, {"ADVLINK"}, {"SETTLEMENT"}, {"SETTLELINK"}, {"SETITEM"}, {"OPENPAID"}}));
    out.push_back(SuiteTable("HVXGR57A",
                             {T("ADVLINK"), T("CHECKNUM"), T("AMOUNT"), D("RDATE"),
                              T("SOURCELINK"), T("PAIDLINK"), T("NUMCHANGE")},
                             {{"ADVLINK"}, {"SOURCELINK"}, {"PAIDLINK"}}));
    out.push_back(SuiteTable("HVXGR59", {T("REFERENCE"), T("DESCRIPT")}, {{"REFERENCE"}}));
    out.push_back(SuiteTable("HVXGR61", {T("REFERENCE"), T("DESCRIPT")}, {{"REFERENCE"}}));
    // The module's one configuration row; the counters in it are read whole.
    out.push_back(SuiteTable(
        "HVXGR40", {T("CONFIG8"), T("CONFIG9"), T("CONFIG18"), T("CONFIG19"), T("BCKOFFCE"),
                    T("DSERVICE"), T("DSTORAGE"), T("DINTEREST"), T("SETTBYTICK"),
                    T("NEXTDPR")}));
}

void AddShipmentTables(std::vector<TableDesc>& out) {
    out.push_back(SuiteTable(
        "HVXGR07",
        {T("REFERENCE"), D("SHIPDATE"), T("COMMODITY"), T("LOCATION"), T("PERXREF"),
         T("CARNUM"), T("CARINIT"), T("CUSTNAME"), T("CUSTREF"), T("CONTRACT"), T("BASEPRICE"),
         T("ESTWGHT"), T("ESTUNITS"), T("INTRANP"), T("FROMDPR"), T("BINREF"), T("VENDOR"),
         T("GLPOSTED"), T("STATUS"), T("POSTED"), T("COMPLETED"), T("ADVAMT"), D("ADVDATE"),
         T("BUYREF"), T("SHIPDEST"), T("COMLINK"), T("VENPAID"), T("ADJUST"), T("SETTPOST"),
         T("SHIPLINK"), T("NUMCHANGE")},
        {{"REFERENCE"}, {"SHIPLINK"}, {"CONTRACT"}, {"CUSTREF"}}));
    out.push_back(SuiteTable(
        "HVXGR07A",
        {T("REFERENCE"), T("CONTRACT"), T("GRADE"), T("DOCKAGE"), T("GROSSWGHT"),
         T("DOCKWGHT"), T("NETWGHT"), T("NETUNITS"), T("PRICE"), T("GROSSAMT"), T("ADVANCE"),
         T("DEDUCT"), T("NETAMT"), D("WGHTDATE"), D("SETDATE"), T("GLACCT1"), T("GLACCT2"),
         T("GLACCT3"), T("POSTED"), T("GLPOSTED"), T("SHIPLINK"), T("NUMCHANGE"), T("DLLINK")},
        {{"SHIPLINK"}, {"DLLINK"}, {"CONTRACT"}}));
    const IndexList loadChild{{"SHIPLINK"}, {"DLLINK"}};
    out.push_back(SuiteTable("HVXGR07D",
                             {T("DEDUCTION"), T("AMOUNT"), T("DLLINK"), T("SHIPLINK"),
                              T("NUMCHANGE")},
                             loadChild));
    out.push_back(SuiteTable("HVXGR07G",
                             {T("GRADFACT"), T("RESULT"), T("DLLINK"), T("SHIPLINK"),
                              T("NUMCHANGE")},
                             loadChild));
    out.push_back(
        SuiteTable("HVXGR07C", {T("LINK"), D("COMMDATE"), T("COMMENT")}, {{"LINK"}}));
    out.push_back(SuiteTable(
        "HVXGR08",
        {T("CWRREF"), T("CWRLINK"), T("VENREF"), T("COMMODITY"), T("LOCATION"), D("ISSUDATE"),
         T("UNITS"), D("SETTDATE"), T("OPENCLOSE"), T("LMODUSER"), D("LMODDATE"),
         T("LMODTIME"), T("NUMCHANGE")},
        {{"CWRREF"}}));
    // Warehouse-receipt comments are kept like settlement comments (HVXGR04G).
    out.push_back(
        SuiteTable("HVXGR08C", {T("LINK"), D("COMMDATE"), T("COMMENT")}, {{"LINK"}}));
}

void AddForeignTables(std::vector<TableDesc>& out) {
    out.push_back(SuiteTable(
        "HVXAR50",
        {T("REFERENCE"), T("NAME"), T("ADDRESS1"), T("ADDRESS2"), T("CITY"), T("STATE"),
         T("ZIPCODE"), T("COUNTRY"), T("SSTAXIDNUM"), T("SALESMAN"), T("TAXEXEMPT"),
         T("TAXCODE"), T("REGION"), T("BILLTOREF")},
        {{"REFERENCE"}}));
    out.push_back(SuiteTable("HVXAP50",
                             {T("REFERENCE"), T("NAME"), T("ADDRESS1"), T("ADDRESS2"), T("CITY"),
                              T("STATE"), T("ZIP")},
                             {{"REFERENCE"}}));
    out.push_back(SuiteTable("HVXINV16", {T("LOCREF"), T("LOCDESC")}, {{"LOCREF"}}));
    out.push_back(SuiteTable("HVXREP4", {T("CHECKNUM")}));
}

void AddServiceTables(std::vector<TableDesc>& out) {
    // Next-number counters: one row per table and column (RECNO or a link).
    out.push_back(TableDesc{kNextNumberTable,
                            {T("TABLENAME"), T("COLNAME"), {"NEXTVAL", ColumnType::Integer}},
                            {},
                            "TABLENAME, COLNAME"});
    // Table and record locks of the host's lock service. LOCKRECNO is the
    // locked record's number as text (empty for a table lock), not a RECNO of
    // this table, which has none.
    out.push_back(TableDesc{"HVXLOCKS",
                            {T("PACKAGE"), T("TABLENAME"), T("LOCKRECNO"),
                             {"HOLDERPID", ColumnType::Integer}, T("HOLDERHOST"),
                             T("HOLDERUSER"), T("SINCE")},
                            {},
                            "PACKAGE, TABLENAME, LOCKRECNO"});
    // Receivable entries made by settlements, until a receivables module
    // takes them up (source code, A/R accounts, description, customer,
    // document, signed amount, status).
    out.push_back(SuiteTable("HVXGRAR",
                             {T("SOURCE"), T("ARACCT1"), T("ARACCT2"), T("ARACCT3"),
                              T("DESCRIPT"), T("CUSTREF"), T("REFERENCE"), T("AMOUNT"),
                              T("STATUS"), T("NUMCHANGE")},
                             {{"CUSTREF"}, {"REFERENCE"}}));
    out.push_back(TableDesc{kSchemaTable, {{"VERSION", ColumnType::Integer}}, {}, nullptr});
}

}  // namespace hvx::data::tables
