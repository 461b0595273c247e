#pragma once
// What a settlement check shows, as data: the report module draws it, tests
// read it. Nothing here knows about pages or fonts.
#include <string>
#include <string_view>
#include <vector>

#include "settlement/SettlementPayNameList.h"

namespace hvx::settlement {

// One stored line of the settlement as the stub lists it.
struct CheckSourceLine {
    std::string source;  // source kind
    std::string sourceRef;
    std::string commodity;
    std::string units;
    std::string priceUnit;
    std::string totPrice;
    std::string fromDpr;
    std::string toDpr;
    std::string contract;
};

// One deduction or addition of the settlement.
struct CheckDeduction {
    std::string code;
    std::string description;  // the code's description; the code when it has none
    std::string amount;
    std::string da;  // "D" deduction, "A" addition
};

// One row of the stub: a description and, right-aligned beside it, units,
// price and amount (each may be empty).
struct CheckStubLine {
    std::string text;
    std::string units;
    std::string price;
    std::string amount;
    bool operator==(const CheckStubLine&) const = default;
};

struct CheckData {
    std::string date;  // "MM/DD/YYYY"
    std::string checkNumber;
    std::string settlement;
    std::string payTo;
    double amount = 0;
    std::string amountFigures;
    std::string amountWords;
    std::vector<CheckStubLine> stub;
};

// Whom the check is made out to: the payees and then the mortgagees, in entry
// order, joined by " and " (a mortgagee must endorse the check too). Without
// pay names, the settlement's customer.
std::string PayToLine(const SettlementPayNameList& payNames, std::string_view customerName);

// The stub: each line (with its source, categories and contract on a row of
// its own below when sourceDetail is set), each deduction (negative) and
// addition, and the net, which is the check's amount.
std::vector<CheckStubLine> CheckStub(const std::vector<CheckSourceLine>& lines,
                                     const std::vector<CheckDeduction>& deductions, double net,
                                     bool sourceDetail);

// Reads the settlement with this link and lays out its check, dated date and
// numbered checkNumber. False with the reason in message when the settlement
// cannot be read.
bool LoadCheckData(std::string_view setLink, std::string_view checkNumber, std::string_view date,
                   bool sourceDetail, CheckData& check, std::string& message);

}  // namespace hvx::settlement
