#include "settlement/CheckLayout.h"
#include "platform/Text.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "settlement/AmountInWords.h"

namespace hvx::settlement {
namespace {

std::string Money(double value) {
    return AmountInFigures(value);
}

bool ReadLines(Statements& sql, std::string_view setLink, std::vector<CheckSourceLine>& lines,
               std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query(
            {"SELECT SOURCE,SOURCEREF,COMMODITY,UNITSSET,PRICEUNIT,TOTPRICE,FROMDPR,TODPR,CONTRACT "
             "FROM HVXGR04D WHERE SETLINK='%s' ORDER BY RECNO"},
            {setLink}, 9, rows)) {
        message = sql.LastError();
        return false;
    }
    for (SqlRow& r : rows)
        lines.push_back({std::move(r[0]), std::move(r[1]), std::move(r[2]), std::move(r[3]),
                         std::move(r[4]), std::move(r[5]), std::move(r[6]), std::move(r[7]),
                         std::move(r[8])});
    return true;
}

bool ReadDeductions(Statements& sql, std::string_view setLink,
                    std::vector<CheckDeduction>& deductions, std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT DEDUCT,AMOUNT,DA FROM HVXGR04C WHERE SETLINK='%s' ORDER BY RECNO"},
                   {setLink}, 3, rows)) {
        message = sql.LastError();
        return false;
    }
    for (const SqlRow& r : rows) deductions.push_back({r[0], "", r[1], r[2]});
    for (CheckDeduction& d : deductions)
        if (!GetField1(1, "HVXGR52", "REFERENCE", d.code, "DESCRIPT", d.description) ||
            d.description.empty())
            d.description = d.code;
    return true;
}

}  // namespace

std::string PayToLine(const SettlementPayNameList& payNames, std::string_view customerName) {
    std::string line;
    for (bool mortgagees : {false, true})
        for (const SettlementPayNameNode& n : payNames.Nodes()) {
            if (n.mortgagee != mortgagees || n.payName.empty()) continue;
            if (!line.empty()) line += " and ";
            line += n.payName;
        }
    return line.empty() ? std::string(customerName) : line;
}

std::vector<CheckStubLine> CheckStub(const std::vector<CheckSourceLine>& lines,
                                     const std::vector<CheckDeduction>& deductions, double net,
                                     bool sourceDetail) {
    std::vector<CheckStubLine> stub;
    for (const CheckSourceLine& l : lines) {
        stub.push_back({l.commodity, HVXSRound(TextNumber(l.units), 2),
                        HVXSRound(TextNumber(l.priceUnit), 4), Money(TextNumber(l.totPrice))});
        if (sourceDetail) {
            std::string detail =
                "  " + l.source + " " + l.sourceRef + ": " + l.fromDpr + " to " + l.toDpr;
            if (!l.contract.empty()) detail += ", contract " + l.contract;
            stub.push_back({detail, "", "", ""});
        }
    }
    for (const CheckDeduction& d : deductions) {
        const double amount = TextNumber(d.amount);
        stub.push_back({d.description, "", "", Money(d.da == "D" ? -amount : amount)});
    }
    stub.push_back({"Net", "", "", Money(net)});
    return stub;
}

bool LoadCheckData(std::string_view setLink, std::string_view checkNumber, std::string_view date,
                   bool sourceDetail, CheckData& check, std::string& message) {
    check = CheckData{};
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SETTLEMENT,CUSTNAME,CHECKAMT FROM HVXGR04 WHERE SETLINK='%s'"},
                   {setLink}, 3, rows)) {
        message = sql.LastError();
        return false;
    }
    if (rows.empty()) {
        message = _HVXsprintf("Settlement %s was not found.", setLink);
        return false;
    }
    check.settlement = rows.front()[0];
    const std::string customerName = rows.front()[1];
    check.amount = HVXRound(TextNumber(rows.front()[2]), 2);

    SettlementPayNameList payNames;
    std::vector<CheckSourceLine> lines;
    std::vector<CheckDeduction> deductions;
    if (!payNames.Load(connection, setLink, message) || !ReadLines(sql, setLink, lines, message) ||
        !ReadDeductions(sql, setLink, deductions, message))
        return false;

    check.date = date;
    check.checkNumber = checkNumber;
    check.payTo = PayToLine(payNames, customerName);
    check.amountFigures = AmountInFigures(check.amount);
    check.amountWords = AmountInWords(check.amount);
    check.stub = CheckStub(lines, deductions, check.amount, sourceDetail);
    return true;
}

}  // namespace hvx::settlement
