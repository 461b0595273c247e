// The settlement tables and the source tables a settlement draws on.
//
// Indexes follow the statements: a settlement is loaded, copied and deleted
// by SETLINK and SETTLEMENT, its lines and their child rows by DLLINK, a
// source is found again by SOURCELINK / LINEID / STDLINEID / ASSEMLINK, and
// the source lists filter by customer.
#include "data/TableGroups.h"

namespace hvx::data::tables {

void AddSettlementTables(std::vector<TableDesc>& out) {
    out.push_back(SuiteTable(
        "HVXGR04",
        {T("SETTLEMENT"), T("CUSTREF"), T("CUSTNAME"), D("ADTE"), D("SETTDATE"), T("SETLINK"),
         T("POSTED"), T("REVERSED"), T("CHECKNUM"), T("CHECKAMT"), T("STYPE"), T("NUMCHANGE")},
        {{"SETTLEMENT"}, {"SETLINK"}, {"CUSTREF"}}));

    out.push_back(SuiteTable(
        "HVXGR04D",
        {T("SETTLEMENT"), T("SETLINK"), T("SOURCE"), T("SOURCEREF"), T("COMMODITY"),
         T("LOCATION"), T("UNITSSET"), T("FROMDPR"), T("TODPR"), T("CONTRACT"), D("SETDTE"),
         T("PATRONAGE"), T("STATUS"), T("REVERSED"), T("SOURCELINK"), T("GLCODE"), T("DLLINK"),
         T("STYPE"), T("CUSTREF"), T("CUSTNAME"), T("POSTED"), T("GLPOSTED"), T("PRICEUNIT"),
         T("TOTPRICE"), T("NUMCHANGE")},
        {{"SETTLEMENT"}, {"SETLINK"}, {"DLLINK"}, {"SOURCELINK"}, {"CUSTREF"}, {"CONTRACT"}}));

    // SRATEDATE is, despite its name, the storage rate per unit per day: a
    // text that is written quoted and may be empty.
    out.push_back(SuiteTable(
        "HVXGR04F",
        {T("SETTLEMENT"), T("DESTLINK"), T("SETLINK"), T("DLLINK"), T("COMMODITY"),
         T("LOCATION"), T("CUSTREF"), T("CUSTNAME"), T("CONTRACT"), T("TODPR"), D("SETDTE"),
         T("UNITSSET"), T("OUNITS"), T("STATUS"), T("REVERSED"), T("STYPE"), T("AVGPRICE"),
         T("GROSSAMT"), T("NETAMT"), T("ISDOLUSED"), D("ISDATE"), T("ISRATE"), D("ISDUE"),
         D("PPAIDDATE"), T("AMTPREPAID"), T("SRATEDATE"), T("STORECOL"), D("SSDATE"),
         T("SCRATE"), T("SUBMITTED"), T("NUMCHANGE")},
        {{"SETTLEMENT"}, {"SETLINK"}, {"DLLINK"}, {"DESTLINK"}, {"CUSTREF"}, {"CONTRACT"}}));

    const IndexList lineChild{{"SETTLEMENT"}, {"SETLINK"}, {"DLLINK"}};
    out.push_back(SuiteTable("HVXGR04A",
                             {T("SETTLEMENT"), T("SETLINK"), T("DLLINK"), T("GRADFACT"),
                              T("RESULT"), T("NUMCHANGE")},
                             lineChild));
    out.push_back(SuiteTable("HVXGR04B",
                             {T("SETTLEMENT"), T("SETLINK"), T("DLLINK"), T("UNITS"), T("PRICE"),
                              T("NUMCHANGE")},
                             lineChild));
    out.push_back(SuiteTable("HVXGR04C",
                             {T("SETTLEMENT"), T("SETLINK"), T("DLLINK"), T("DEDUCT"), T("AMOUNT"),
                              T("DA"), T("ASSEMBLY"), T("SOURCE"), T("NUMCHANGE")},
                             {{"SETTLEMENT"}, {"SETLINK"}, {"DLLINK"}, {"ASSEMBLY"}}));
    out.push_back(SuiteTable(
        "HVXGR04E",
        {T("SETTLEMENT"), T("SETLINK"), T("PAYNAME"), T("PNTYPE"), T("NUMCHANGE")},
        {{"SETTLEMENT"}, {"SETLINK"}}));
    out.push_back(SuiteTable("HVXGR04H", {T("FLINK"), T("ASSEMBLY"), T("SETTLINK")},
                             {{"FLINK"}, {"SETTLINK"}, {"ASSEMBLY"}}));
    out.push_back(
        SuiteTable("HVXGR04G", {T("LINK"), D("COMMDATE"), T("COMMENT")}, {{"LINK"}}));
}

void AddSourceTables(std::vector<TableDesc>& out) {
    out.push_back(SuiteTable("HVXGR02", {T("ASSEMBLY"), T("SETTLED")}, {{"ASSEMBLY"}}));
    out.push_back(SuiteTable(
        "HVXGR02S",
        {T("ASSEMBLY"), T("CONTRACT"), T("COMMODITY"), T("LOCATION"), T("DPR"), T("CUSTREF"),
         T("SHAREUNITS"), T("SETTUNITS"), T("PSETUNITS"), T("SETTLED"), T("LINEID")},
        {{"ASSEMBLY"}, {"LINEID"}, {"CUSTREF"}, {"CONTRACT"}}));
    out.push_back(SuiteTable(
        "HVXGR03A",
        {T("SCALETICK"), T("ASSEMBLY"), T("ASSEMLINK"), T("STDLINEID"), T("CONTRACT"),
         T("CUSTREF"), T("DPRSTATUS"), T("UNITS"), T("UNITSSET"), T("PRICE"), T("SETTLED")},
        {{"ASSEMBLY"}, {"ASSEMLINK"}, {"STDLINEID"}, {"CUSTREF"}, {"CONTRACT"}}));
    out.push_back(SuiteTable("HVXGR03G",
                             {T("TICKETNUM"), T("ASSEMBLY"), T("TEST"), T("RESULT"),
                              T("NETUNITS"), T("PREMDISC")},
                             {{"TICKETNUM"}, {"ASSEMBLY"}}));
    // Purchase contracts are only looked up by CONTRACT, to lock them.
    out.push_back(SuiteTable("HVXGR01", {T("CONTRACT")}, {{"CONTRACT"}}));
    out.push_back(SuiteTable("HVXGR01G", {T("CONTRACT"), T("GRADFACT"), T("SCHEDULE")},
                             {{"CONTRACT"}}));
    out.push_back(SuiteTable(
        "HVXGR05",
        {T("CONTRACT"), T("CUSTREF"), T("CUSTNAME"), T("COMMODITY"), T("BUYREF"), T("CTYPE"),
         D("DATEEST"), T("CQTY"), T("QTYRECV"), T("OCQTY"), T("DELPRICE"), T("STATUS")},
        {{"CONTRACT"}, {"CUSTREF"}, {"COMMODITY"}}));
}

}  // namespace hvx::data::tables
