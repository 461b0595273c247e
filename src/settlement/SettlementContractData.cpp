#include "settlement/SettlementContractData.h"

#include "data/ReferenceLookups.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/ReportItems.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/AmountInWords.h"

namespace hvx::settlement {
namespace {

bool ReadHeader(Statements& sql, std::string_view settlement, SettlementContract& out,
                std::string& setLink, std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SETTLEMENT,ADTE,CUSTREF,CUSTNAME,SETLINK FROM HVXGR04 "
                    "WHERE SETTLEMENT='%s'"},
                   {settlement}, 5, rows)) {
        message = sql.LastError();
        return false;
    }
    if (rows.empty()) {
        message = _HVXsprintf("Settlement %s was not found.", settlement);
        return false;
    }
    SqlRow& r = rows.front();
    out.settlement = std::move(r[0]);
    out.date = std::move(r[1]);
    out.customerRef = std::move(r[2]);
    out.customerName = std::move(r[3]);
    setLink = std::move(r[4]);
    return true;
}

bool ReadContracts(Statements& sql, std::string_view setLink, SettlementContract& out,
                   std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT CONTRACT,TODPR,COMMODITY,LOCATION,SETDTE,UNITSSET,OUNITS,STATUS,"
                    "AVGPRICE,GROSSAMT,NETAMT,ISDOLUSED,ISDATE,ISRATE,ISDUE,PPAIDDATE,AMTPREPAID,"
                    "SRATEDATE,SSDATE,SCRATE,SUBMITTED,DLLINK FROM HVXGR04F WHERE SETLINK='%s' "
                    "ORDER BY RECNO"},
                   {setLink}, 22, rows)) {
        message = sql.LastError();
        return false;
    }
    for (SqlRow& r : rows) {
        for (std::string& text : r) TRIM(text);
        out.contracts.push_back({r[0],  r[1],  r[2],  r[3],  r[4],  r[5],  r[6],  r[7],
                                 r[8],  r[9],  r[10], r[11], r[12], r[13], r[14], r[15],
                                 r[16], r[17], r[18], r[19], r[20], r[21]});
    }
    return true;
}

bool ReadLines(Statements& sql, std::string_view setLink, SettlementContract& out,
               std::string& message) {
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT SOURCE,SOURCEREF,FROMDPR,TODPR,CONTRACT,UNITSSET,PRICEUNIT,TOTPRICE,"
                    "DLLINK,COMMODITY,LOCATION FROM HVXGR04D WHERE SETLINK='%s' ORDER BY RECNO"},
                   {setLink}, 11, rows)) {
        message = sql.LastError();
        return false;
    }
    for (SqlRow& r : rows) {
        for (std::string& text : r) TRIM(text);
        out.lines.push_back({r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8]});
        if (out.commodity.empty()) out.commodity = r[9], out.location = r[10];
    }
    return true;
}

// The customer's address from the customer file; a customer no longer on
// file still prints under the name stored with the settlement.
bool ReadParties(SettlementContract& out, std::string& message) {
    if (out.commodity.empty() && !out.contracts.empty())
        out.commodity = out.contracts.front().commodity,
        out.location = out.contracts.front().location;
    const data::CustomerAddress customer = data::LookupCustomer(out.customerRef);
    const data::ReferenceName commodity = data::LookupCommodity(out.commodity);
    const data::ReferenceName location = data::LookupLocation(out.location);
    for (const std::string* error : {&customer.error, &commodity.error, &location.error})
        if (!error->empty()) {
            message = *error;
            return false;
        }
    std::string cityLine = customer.city;
    if (!customer.state.empty()) cityLine += (cityLine.empty() ? "" : ", ") + customer.state;
    if (!customer.zipcode.empty()) cityLine += (cityLine.empty() ? "" : " ") + customer.zipcode;
    for (const std::string& line :
         {customer.address1, customer.address2, cityLine, customer.country})
        if (!line.empty()) out.address.push_back(line);
    out.commodityName = commodity.name;
    out.locationName = location.name;
    out.priceFormat = data::CommodityPriceFormat(out.commodity);
    return true;
}

std::string Joined(std::string_view a, std::string_view b) {
    if (b.empty()) return std::string(a);
    return std::string(a) + (a.empty() ? "" : " ") + std::string(b);
}

}  // namespace

bool LoadSettlementContract(std::string_view settlement, SettlementContract& out,
                            std::string& message) {
    out = SettlementContract{};
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::string setLink;
    return ReadHeader(sql, settlement, out, setLink, message) &&
           ReadContracts(sql, setLink, out, message) && ReadLines(sql, setLink, out, message) &&
           ReadParties(out, message);
}

std::vector<const ContractSourceLine*> LinesOf(const SettlementContract& settlement,
                                               const ContractRecord& contract) {
    std::vector<const ContractSourceLine*> lines;
    for (const ContractSourceLine& line : settlement.lines)
        if (line.dlLink == contract.dlLink ||
            (line.toDpr == contract.category && line.contract == contract.contract))
            lines.push_back(&line);
    return lines;
}

std::string PriceText(const SettlementContract& settlement, std::string_view stored) {
    const double price = TextNumber(stored);
    return price == 0 ? "" : _HVXsprintf(settlement.priceFormat.c_str(), price);
}

std::string MoneyText(std::string_view stored) {
    const double amount = HVXRound(TextNumber(stored), 2);
    return amount == 0 ? "" : AmountInFigures(amount);
}

std::string TermsLine(std::initializer_list<Term> terms) {
    std::string line;
    for (const Term& term : terms)
        if (!term.second.empty())
            line += (line.empty() ? "" : "    ") + std::string(term.first) + ": " + term.second;
    return line;
}

std::string InterestTermsLine(const ContractRecord& c) {
    return TermsLine({{"Interest Date", c.interestDate},
                      {"Interest Rate", c.interestRate.empty() ? "" : c.interestRate + "%"},
                      {"Due Date", c.dueDate},
                      {"Submitted for Guarantee", c.submitted == "T" ? "Yes" : "No"}});
}

std::string UnitsText(std::string_view stored) {
    return _HVXsprintf("%.4f", HVXRound(TextNumber(stored), 4));
}

report::Document ContractDocument(const SettlementContract& settlement, std::string title,
                                  const std::vector<const ContractRecord*>& chosen,
                                  ContractTermsFn termsOf) {
    report::Document doc;
    doc.title = std::move(title);
    doc.titleBlock = {"Settlement " + settlement.settlement + "    Date " + settlement.date,
                      "Customer: " + settlement.customerName + " (" + settlement.customerRef + ")"};
    for (const std::string& line : settlement.address)
        doc.titleBlock.push_back("          " + line);
    doc.titleBlock.push_back(
        "Commodity: " + Joined(settlement.commodity, settlement.commodityName) +
        "    Location: " + Joined(settlement.location, settlement.locationName));
    // The categories are the longest words of a line ("Installment Sale"):
    // their columns take them on one line.
    doc.columns = {{"Source", 85},
                   {"Source Ref", 60},
                   {"From", 90},
                   {"To", 90},
                   {"Units", 75, report::Align::Right},
                   {"Price", 65, report::Align::Right},
                   {"Amount", 75, report::Align::Right}};
    for (const ContractRecord* c : chosen) {
        doc.items.push_back(
            report::GroupItem(c->category + " Contract " + c->contract + "    Date " + c->date));
        for (const std::string& line : termsOf(settlement, *c))
            if (!line.empty()) doc.items.push_back(report::TextItem(line));
        double units = 0;
        for (const ContractSourceLine* l : LinesOf(settlement, *c)) {
            units += HVXRound(TextNumber(l->units), 4);
            doc.items.push_back(
                report::RowItem({l->source, l->sourceRef, l->fromDpr, l->toDpr, UnitsText(l->units),
                                 PriceText(settlement, l->priceUnit), MoneyText(l->totPrice)}));
        }
        doc.items.push_back(report::TotalItem(
            {"Total units", "", "", "", _HVXsprintf("%.4f", HVXRound(units, 4))}));
        doc.items.push_back(report::SpaceItem());
    }
    doc.items.push_back(report::SpaceItem());
    doc.items.push_back(
        report::TextItem("Customer: ______________________________    Date: ____________"));
    doc.items.push_back(report::SpaceItem());
    doc.items.push_back(
        report::TextItem("For the company: _______________________    Date: ____________"));
    return doc;
}

bool LoadContractDocument(std::string_view settlement, std::string title, ContractChoiceFn chosen,
                          ContractTermsFn termsOf, const char* noneChosen,
                          report::Document& document, std::string& message) {
    SettlementContract stored;
    if (!LoadSettlementContract(settlement, stored, message)) return false;
    std::vector<const ContractRecord*> contracts;
    for (const ContractRecord& c : stored.contracts)
        if (chosen(c)) contracts.push_back(&c);
    if (contracts.empty()) {
        message = _HVXsprintf(noneChosen, settlement);
        return false;
    }
    document = ContractDocument(stored, std::move(title), contracts, termsOf);
    return true;
}

}  // namespace hvx::settlement
