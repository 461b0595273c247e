#pragma once
// The printed settlement statement: the stored settlement (HVXGR04 header,
// HVXGR04D lines, HVXGR04C deductions and additions) with the customer's
// address, laid out as a document of the reports sibling.
//
// Every amount is the stored one. The deduction rows fall into three
// sections: charges (the storage, service and interest codes of HVXGR40),
// advances repaid (codes flagged as advances in HVXGR52) and the other
// discounts and deductions. A deduction ("D") lowers the net and an addition
// ("A") raises it, in whatever section it falls, so
// net = gross - discounts and deductions - charges - advances repaid,
// added up in whole cents.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ReportLayout.h"

namespace hvx::settlement {

struct StatementLine {
    std::string source, sourceRef, fromDpr, toDpr, contract, units, price, amount;
};

// One deduction row; cents is signed as it acts on the net.
struct StatementAmount {
    std::string description;
    long long cents = 0;
};

struct SettlementStatementData {
    std::string settlement, date, custRef, custName, commodity, location, type, checkNumber;
    std::vector<std::string> address;
    int priceDecimals = 4;
    std::vector<StatementLine> lines;
    std::vector<StatementAmount> deductions, charges, advances;

    long long GrossCents() const;
    long long NetCents() const;
};

// Reads the settlement whose number is the settlement key. False with the
// reason in message when it cannot be read or is not stored.
bool LoadSettlementStatement(std::string_view settlementKey, SettlementStatementData& data,
                             std::string& message);

report::Document SettlementStatementDocument(const SettlementStatementData& data);

}  // namespace hvx::settlement
