#include "settlement/CheckLayout.h"
#include "platform/Text.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Lookups.h"
#include "platform/Rounding.h"
#include "settlement/AmountInWords.h"

namespace hvx::settlement {
namespace {

std::string Money(double value) { return AmountInFigures(value); }

bool ReadLines(HVXSConnection& connection, std::string_view setLink,
               std::vector<CheckSourceLine>& lines, std::string& message) {
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT SOURCE,SOURCEREF,COMMODITY,UNITSSET,PRICEUNIT,TOTPRICE,FROMDPR,TODPR,CONTRACT "
            "FROM HVXGR04D WHERE SETLINK='%s' ORDER BY RECNO",
            setLink))) {
        message = connection.LastError();
        return false;
    }
    while (connection.FetchNext()) {
        CheckSourceLine l;
        std::string* columns[] = {&l.source,   &l.sourceRef, &l.commodity,
                                  &l.units,    &l.priceUnit, &l.totPrice,
                                  &l.fromDpr,  &l.toDpr,     &l.contract};
        for (int i = 0; i < 9; ++i) *columns[i] = connection.Column(i + 1);
        lines.push_back(std::move(l));
    }
    return true;
}

bool ReadDeductions(HVXSConnection& connection, std::string_view setLink,
                    std::vector<CheckDeduction>& deductions, std::string& message) {
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT DEDUCT,AMOUNT,DA FROM HVXGR04C WHERE SETLINK='%s' ORDER BY RECNO", setLink))) {
        message = connection.LastError();
        return false;
    }
    while (connection.FetchNext())
        deductions.push_back({connection.Column(1), "", connection.Column(2), connection.Column(3)});
    connection.FreeStatement();
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
            std::string detail = "  " + l.source + " " + l.sourceRef + ": " + l.fromDpr + " to " +
                                 l.toDpr;
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
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT SETTLEMENT,CUSTNAME,CHECKAMT FROM HVXGR04 WHERE SETLINK='%s'", setLink))) {
        message = connection.LastError();
        return false;
    }
    if (!connection.FetchNext()) {
        message = _HVXsprintf("Settlement %s was not found.", setLink);
        return false;
    }
    check.settlement = connection.Column(1);
    const std::string customerName = connection.Column(2);
    check.amount = HVXRound(TextNumber(connection.Column(3)), 2);
    connection.FreeStatement();

    SettlementPayNameList payNames;
    std::vector<CheckSourceLine> lines;
    std::vector<CheckDeduction> deductions;
    if (!payNames.Load(connection, setLink, message) ||
        !ReadLines(connection, setLink, lines, message) ||
        !ReadDeductions(connection, setLink, deductions, message))
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
