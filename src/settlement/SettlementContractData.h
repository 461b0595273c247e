#pragma once
// A stored settlement as its contracts print it: the header, the customer's
// name and address, each destination record with the terms stored on it, and
// the source lines. Shared by the open-contract and the installment sale
// contract; each picks the destinations of its own categories.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ReportLayout.h"

namespace hvx::settlement {

// One HVXGR04F row: a contract and its terms, as stored.
struct ContractRecord {
    std::string contract, category, commodity, location, date;
    std::string units, openUnits, status;
    std::string avgPrice, gross, net, dollarsUsed;
    std::string interestDate, interestRate, dueDate;
    std::string paidThrough, prepaid, storageRate;
    std::string serviceStart, serviceRate, submitted;
    std::string dlLink;
};

// One HVXGR04D row.
struct ContractSourceLine {
    std::string source, sourceRef, fromDpr, toDpr, contract;
    std::string units, priceUnit, totPrice, dlLink;
};

struct SettlementContract {
    std::string settlement, date, customerRef, customerName;
    std::vector<std::string> address;  // the non-empty address lines
    std::string commodity, commodityName, location, locationName;
    std::string priceFormat;  // the commodity's price decimals, "%.4f"
    std::vector<ContractRecord> contracts;
    std::vector<ContractSourceLine> lines;
};

// Reads the stored settlement numbered settlement. False with the reason in
// message when it cannot be read or does not exist.
bool LoadSettlementContract(std::string_view settlement, SettlementContract& out,
                            std::string& message);

// The lines a contract was made from: those of its detail line, or in a
// settlement of several sources, those feeding its category and contract.
std::vector<const ContractSourceLine*> LinesOf(const SettlementContract& settlement,
                                               const ContractRecord& contract);

// A stored price in the commodity's decimals; "" for none stored or a price
// of nothing (a line into an open contract has no price yet).
std::string PriceText(const SettlementContract& settlement, std::string_view stored);
// A stored amount as money is shown, "1,234.56"; "" for none or nothing.
std::string MoneyText(std::string_view stored);
// "Label: value" of each term with a value, on one line.
using Term = std::pair<std::string_view, std::string>;
std::string TermsLine(std::initializer_list<Term> terms);
// The interest terms and the guarantee flag of a contract, on one line.
std::string InterestTermsLine(const ContractRecord& contract);
// Units as stored units are written, "%.4f".
std::string UnitsText(std::string_view stored);

// A document of one section per chosen contract: a heading, the terms as
// text, the lines it was made from with their units total, and the lines for
// both parties to sign. termsOf gives a contract's terms, a text per line.
using ContractTermsFn = std::vector<std::string> (*)(const SettlementContract&,
                                                     const ContractRecord&);
report::Document ContractDocument(const SettlementContract& settlement, std::string title,
                                  const std::vector<const ContractRecord*>& chosen,
                                  ContractTermsFn termsOf);

// Reads the settlement numbered settlement and lays out the contract of the
// destinations chosen picks. False with the reason when it cannot be read,
// or with noneChosen (a format taking the number) when none is picked.
using ContractChoiceFn = bool (*)(const ContractRecord&);
bool LoadContractDocument(std::string_view settlement, std::string title, ContractChoiceFn chosen,
                          ContractTermsFn termsOf, const char* noneChosen,
                          report::Document& document, std::string& message);

}  // namespace hvx::settlement
