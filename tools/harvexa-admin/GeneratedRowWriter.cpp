#include "harvexa-admin/GeneratedRowWriter.h"

#include <vector>

#include "platform/Session.h"

namespace hvx::admin {
namespace {

constexpr const char* kCustomerInsert =
    "INSERT INTO HVXAR50 (REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY,"
    "SSTAXIDNUM,SALESMAN,TAXEXEMPT,TAXCODE,REGION,BILLTOREF,RECNO) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
constexpr const char* kHeaderInsert =
    "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,"
    "CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)";
constexpr const char* kLineInsert =
    "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,LOCATION,UNITSSET,"
    "FROMDPR,TODPR,CONTRACT,SETDTE,PATRONAGE,STATUS,REVERSED,SOURCELINK,GLCODE,DLLINK,STYPE,"
    "CUSTREF,CUSTNAME,POSTED,GLPOSTED,PRICEUNIT,TOTPRICE,NUMCHANGE,RECNO) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

Param T(const std::string& text) { return Param::Text(text); }

}  // namespace

bool GeneratedRowWriter::Prepare(std::string& error) {
    customer_ = Session::Prepare(kCustomerInsert, true, error);
    header_ = customer_ ? Session::Prepare(kHeaderInsert, true, error) : nullptr;
    line_ = header_ ? Session::Prepare(kLineInsert, true, error) : nullptr;
    return line_ != nullptr;
}

bool GeneratedRowWriter::WriteCustomer(const GeneratedCustomer& c, long long recno,
                                       std::string& error) {
    const std::vector<Param> values{
        T(c.ref), T(c.name), T(""), T(""), T(c.city), T("IA"), T(""), T("USA"), T(""), T(""),
        T("F"), T(""), T(""), T(""), Param::Number(static_cast<double>(recno))};
    return Session::Run(*customer_, values, error);
}

bool GeneratedRowWriter::WriteSettlement(const GeneratedSettlement& s, std::string& error) {
    const std::vector<Param> header{
        T(s.settlement), T(s.custRef), T(s.custName), T(s.entryDate), T(s.settleDate),
        T(s.setLink), T(s.posted), T(s.reversed), T(s.checkNum), T(s.checkAmt), T(s.stype),
        T("0"), Param::Number(static_cast<double>(s.recno))};
    if (!Session::Run(*header_, header, error)) return false;
    std::vector<Param> values;
    for (const GeneratedLine& l : s.lines) {
        // A reversed settlement has every line reversed; posting marks the
        // ledger side of a line with it.
        values = {T(s.settlement), T(s.setLink), T(l.source), T(l.sourceRef), T(l.commodity),
                  T(l.location), T(l.units), T(l.fromDpr), T(l.toDpr), T(l.contract),
                  T(s.settleDate), T(l.patronage), T(l.status), T(s.reversed), T(""), T(""),
                  T(l.dlLink), T(s.stype), T(s.custRef), T(s.custName), T(s.posted), T(s.posted),
                  T(l.priceUnit), T(l.totPrice), T("0"),
                  Param::Number(static_cast<double>(l.recno))};
        if (!Session::Run(*line_, values, error)) return false;
    }
    return true;
}

}  // namespace hvx::admin
