// Writes the settlements already made in the demo season, the way the
// settlement save stores them: header, source lines, destination records
// (the open contracts), assembly links, grade results, units and prices,
// deductions and pay names. Then the advances and what those settlements
// repaid of them.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "data/demo/DemoSeedWriters.h"
#include "platform/Format.h"
#include "platform/Rounding.h"

namespace hvx::demo {
namespace {

using Grades = std::vector<std::pair<std::string, std::string>>;

const Assembly* FindAssembly(const std::string& number) {
    for (const Assembly& a : Assemblies())
        if (number == a.number) return &a;
    return nullptr;
}

// The grade results a new open contract takes from its assembly: the
// net-unit weighted average of the assembly's tests, per grade factor of the
// commodity.
Grades AssemblyGrades(const Assembly& a) {
    Grades grades;
    const Commodity* commodity = FindCommodity(a.commodity);
    if (!commodity) return grades;
    for (const char* factor : commodity->gradeFactors) {
        double weighted = 0, units = 0;
        for (const Split& split : a.splits)
            for (const Ticket& t : split.tickets)
                for (const Test& test : t.tests)
                    if (std::string(factor) == test.factor) {
                        weighted += test.result * t.units;
                        units += t.units;
                    }
        grades.emplace_back(factor, _HVXsprintf("%.03f", units == 0 ? 0.0 : weighted / units));
    }
    return grades;
}

// The customer as payee, then the holders of liens on the commodity that
// have not expired by the settlement date as mortgagees ("1").
template <class AnySettlement>
Grades PayNames(const AnySettlement& s, const Customer& customer) {
    Grades names{{customer.name, "0"}};
    for (const Lien& l : Liens()) {
        if (std::string(l.customer) != s.customer) continue;
        if (*l.commodity && std::string(l.commodity) != s.commodity) continue;
        if (*l.expires && std::string(s.date) > l.expires) continue;
        names.emplace_back(l.holder, "1");
    }
    return names;
}

struct Priced {
    double gross = 0, net = 0;
    std::vector<std::pair<const Deduction*, double>> deductions;
};

bool PriceLine(SeedWriter& w, const Destination& d, Priced& out) {
    out.gross = HVXRound(HVXRound(d.units, 4) * d.price, 2);
    double total = 0;
    for (const LineDeduction& ld : d.deductions) {
        const Deduction* deduction = FindDeduction(ld.deduct);
        if (!deduction) return w.Fail(std::string("Unknown demo deduction ") + ld.deduct + ".");
        double amount;
        if (ld.amount)
            amount = *ld.amount;
        else if (*deduction->rateUnit)
            amount = std::atof(deduction->rateUnit) * d.units;
        else
            amount = std::atof(deduction->grDollar) * out.gross * 0.01;
        amount = HVXRound(amount, 2);
        total = HVXRound(std::string(deduction->type) == "D" ? total + amount : total - amount, 2);
        out.deductions.emplace_back(deduction, amount);
    }
    out.net = HVXRound(out.gross - total, 2);
    return true;
}

// What every line of one settlement shares.
struct SettlementContext {
    const Settlement& s;
    const Customer& customer;
    std::string number, setLink, sourceLink;
    std::vector<std::string> assemblies;
    Grades grades;
};

// One line as the save writes it: the source line and the destination
// record it creates, with the values they share.
struct Line {
    const Destination& d;
    const Priced& p;
    std::string dlLink = {};
    double recno = 0;
    double open = 0;
    const char* status = "O";
    std::string price = {};
};

bool WriteSourceLine(SeedWriter& w, const SettlementContext& c, const Line& l) {
    const Settlement& s = c.s;
    const bool patronage = IsSale(l.d.category) && std::string(s.source) != "Installment Sale";
    return w.Insert("HVXGR04D", {{"SETTLEMENT", c.number},
                                 {"SETLINK", c.setLink},
                                 {"SOURCE", s.source},
                                 {"SOURCEREF", s.sourceRef},
                                 {"COMMODITY", s.commodity},
                                 {"LOCATION", s.location},
                                 {"UNITSSET", Units(l.d.units)},
                                 {"FROMDPR", s.source},
                                 {"TODPR", l.d.category},
                                 {"CONTRACT", l.d.contract},
                                 {"SETDTE", s.date},
                                 {"PATRONAGE", patronage ? "T" : "F"},
                                 {"STATUS", l.status},
                                 {"REVERSED", "F"},
                                 {"SOURCELINK", c.sourceLink},
                                 {"GLCODE", l.d.glCode},
                                 {"DLLINK", l.dlLink},
                                 {"STYPE", "0"},
                                 {"CUSTREF", s.customer},
                                 {"CUSTNAME", c.customer.name},
                                 {"POSTED", "F"},
                                 {"GLPOSTED", "F"},
                                 {"PRICEUNIT", l.price},
                                 {"TOTPRICE", Money(l.p.gross)},
                                 {"NUMCHANGE", "0"}},
                    l.recno) > 0;
}

// The destination record and the assemblies behind it.
bool WriteDestination(SeedWriter& w, const SettlementContext& c, const Line& l) {
    const Settlement& s = c.s;
    const Terms& t = l.d.terms;
    const double recno = w.Insert("HVXGR04F", {{"SETTLEMENT", c.number},
                                               {"DESTLINK", _HVXsprintf("%.0f", l.recno)},
                                               {"SETLINK", c.setLink},
                                               {"DLLINK", l.dlLink},
                                               {"COMMODITY", s.commodity},
                                               {"LOCATION", s.location},
                                               {"CUSTREF", s.customer},
                                               {"CUSTNAME", c.customer.name},
                                               {"CONTRACT", l.d.contract},
                                               {"TODPR", l.d.category},
                                               {"SETDTE", s.date},
                                               {"UNITSSET", Units(l.d.units)},
                                               {"OUNITS", Units(l.open)},
                                               {"STATUS", l.status},
                                               {"REVERSED", "F"},
                                               {"STYPE", "0"},
                                               {"AVGPRICE", l.price},
                                               {"GROSSAMT", Money(l.p.gross)},
                                               {"NETAMT", Money(l.p.net)},
                                               {"ISDOLUSED", Money(0)},
                                               {"ISDATE", t.interestStart},
                                               {"ISRATE", t.interestRate},
                                               {"ISDUE", t.due},
                                               {"PPAIDDATE", t.paidThrough},
                                               {"AMTPREPAID", Money(t.prepaid)},
                                               {"SRATEDATE", t.storageRate},
                                               {"STORECOL", ""},
                                               {"SSDATE", t.serviceStart},
                                               {"SCRATE", t.serviceRate},
                                               {"SUBMITTED", "F"},
                                               {"NUMCHANGE", "0"}});
    if (recno < 1) return false;
    const std::string fLink = _HVXsprintf("%.0f", recno);
    for (const std::string& assembly : c.assemblies)
        if (!w.Insert("HVXGR04H",
                      {{"FLINK", fLink}, {"ASSEMBLY", assembly}, {"SETTLINK", c.setLink}}))
            return false;
    return true;
}

// Grade results, units and prices, and deductions of the line.
bool WriteLineLists(SeedWriter& w, const SettlementContext& c, const Line& l, SeedLinks& links) {
    const Settlement& s = c.s;
    const bool sale = IsSale(l.d.category);
    const std::vector<SeedValue> lineKey{
        {"SETTLEMENT", c.number}, {"SETLINK", c.setLink}, {"DLLINK", l.dlLink}};
    auto child = [&](std::vector<SeedValue> values) {
        values.insert(values.begin(), lineKey.begin(), lineKey.end());
        values.push_back({"NUMCHANGE", "0"});
        return values;
    };
    // A held position carries the grade results; a sale carries its units
    // and prices instead.
    const bool graded = !sale && std::string(l.d.category) != "Redelivered";
    if (graded)
        for (const auto& [factor, result] : c.grades)
            if (!w.Insert("HVXGR04A", child({{"GRADFACT", factor}, {"RESULT", result}})))
                return false;
    if (sale && !w.Insert("HVXGR04B", child({{"UNITS", Units(l.d.units)}, {"PRICE", l.price}})))
        return false;
    if (std::string(l.d.category) != "Priced" && *l.d.contract)
        links.contracts[l.d.contract] = {l.dlLink, c.assemblies, graded ? c.grades : Grades{}};

    const std::string assembly = std::string(s.source) == "Assembly" ? s.sourceRef : "";
    for (const auto& [deduction, amount] : l.p.deductions) {
        if (!w.Insert("HVXGR04C", child({{"DEDUCT", deduction->ref},
                                         {"AMOUNT", Money(amount)},
                                         {"DA", deduction->type},
                                         {"ASSEMBLY", assembly},
                                         {"SOURCE", s.source}})))
            return false;
        if (std::string(deduction->advCode) == "1" && std::string(deduction->type) == "D")
            links.repayments.push_back({s.customer, s.date, s.source, s.sourceRef, c.setLink,
                                        l.dlLink, s.checkNumber, amount});
    }
    return true;
}

bool WriteLine(SeedWriter& w, const SettlementContext& c, const Destination& d, const Priced& p,
               SeedLinks& links) {
    Line l{d, p};
    l.dlLink = w.NewLink("HVXGR04D", "DLLINK");
    l.recno = l.dlLink.empty() ? 0 : w.NextRecno("HVXGR04D");
    if (l.recno < 1) return false;
    // Every destination, a sale too, keeps what later settlements of the
    // season do not take from it, as the save leaves it.
    l.open = HVXRound(d.units - UnitsTaken(d.category, d.contract, c.s.customer), 4);
    if (HVXRound(l.open, 5) < 0)
        return w.Fail(std::string("The demo settlements take more than contract ") + d.contract +
                      " holds.");
    l.status = HVXRound(l.open, 5) == 0 ? "C" : "O";
    l.price = _HVXsprintf("%.4f", d.price);
    return WriteSourceLine(w, c, l) && WriteDestination(w, c, l) &&
           WriteLineLists(w, c, l, links);
}

bool WriteSettlement(SeedWriter& w, const Settlement& s, int number, SeedLinks& links) {
    const Customer* customer = FindCustomer(s.customer);
    if (!customer) return w.Fail(std::string("Unknown demo customer ") + s.customer + ".");
    SettlementContext c{s, *customer, std::to_string(number), "", "", {}, {}};

    if (std::string(s.source) == "Assembly") {
        const auto split = links.splitLineIds.find(SplitKey(s.sourceRef, s.customer));
        const Assembly* assembly = FindAssembly(s.sourceRef);
        if (split == links.splitLineIds.end() || !assembly)
            return w.Fail(std::string("Settlement ") + c.number + " names no split of assembly " +
                          s.sourceRef + ".");
        c.sourceLink = split->second;
        c.assemblies = {s.sourceRef};
        c.grades = AssemblyGrades(*assembly);
    } else {
        const auto contract = links.contracts.find(s.sourceRef);
        if (contract == links.contracts.end())
            return w.Fail(std::string("Settlement ") + c.number + " draws on contract " +
                          s.sourceRef + ", which no earlier settlement opened.");
        c.sourceLink = contract->second.dlLink;
        c.assemblies = contract->second.assemblies;
        c.grades = contract->second.grades;
    }

    std::vector<Priced> priced(s.lines.size());
    double checkAmount = 0;
    for (size_t i = 0; i < s.lines.size(); ++i) {
        if (IsSale(s.lines[i].category) && !PriceLine(w, s.lines[i], priced[i])) return false;
        if (std::string(s.lines[i].category) == "Priced") checkAmount += priced[i].net;
    }

    const double recno = w.NextRecno("HVXGR04");
    if (recno < 1) return false;
    c.setLink = _HVXsprintf("%.0f", recno);
    if (!w.Insert("HVXGR04",
                  {{"SETTLEMENT", c.number},
                   {"CUSTREF", s.customer},
                   {"CUSTNAME", customer->name},
                   {"ADTE", s.date},
                   {"SETTDATE", s.date},
                   {"SETLINK", c.setLink},
                   {"POSTED", "F"},
                   {"REVERSED", "F"},
                   {"CHECKNUM", s.checkNumber},
                   {"CHECKAMT", Money(checkAmount)},
                   {"STYPE", "0"},
                   {"NUMCHANGE", "0"}},
                  recno))
        return false;

    for (size_t i = 0; i < s.lines.size(); ++i)
        if (!WriteLine(w, c, s.lines[i], priced[i], links)) return false;

    for (const auto& [name, type] : PayNames(s, *customer))
        if (!w.Insert("HVXGR04E", {{"SETTLEMENT", c.number},
                                   {"SETLINK", c.setLink},
                                   {"PAYNAME", name},
                                   {"PNTYPE", type},
                                   {"NUMCHANGE", "0"}}))
            return false;
    return true;
}

// Each source line, then the one destination record they share: keyed by
// the settlement link, holding what the lines bring in, open as the save
// leaves a sale.
bool WriteMultipleSourceSettlement(SeedWriter& w, const MultipleSourceSettlement& s, int number,
                                   const SeedLinks& links) {
    const Customer* customer = FindCustomer(s.customer);
    if (!customer) return w.Fail(std::string("Unknown demo customer ") + s.customer + ".");
    const std::string settlement = std::to_string(number);
    double units = 0, gross = 0;
    for (const SourceLine& l : s.lines) {
        units += HVXRound(l.units, 4);
        gross += HVXRound(HVXRound(l.units, 4) * l.price, 2);
    }
    const double recno = w.NextRecno("HVXGR04");
    if (recno < 1) return false;
    const std::string setLink = _HVXsprintf("%.0f", recno);
    if (!w.Insert("HVXGR04", {{"SETTLEMENT", settlement}, {"CUSTREF", s.customer},
                              {"CUSTNAME", customer->name}, {"ADTE", s.date},
                              {"SETTDATE", s.date}, {"SETLINK", setLink}, {"POSTED", "F"},
                              {"REVERSED", "F"}, {"CHECKNUM", s.checkNumber},
                              {"CHECKAMT", Money(gross)}, {"STYPE", "1"}, {"NUMCHANGE", "0"}},
                  recno))
        return false;
    const bool patronage = IsSale(s.destination);
    for (const SourceLine& l : s.lines) {
        const auto contract = links.contracts.find(l.contract);
        if (contract == links.contracts.end())
            return w.Fail(std::string("Settlement ") + settlement + " draws on contract " +
                          l.contract + ", which no earlier settlement opened.");
        const std::string dlLink = w.NewLink("HVXGR04D", "DLLINK");
        if (dlLink.empty() ||
            !w.Insert("HVXGR04D",
                      {{"SETTLEMENT", settlement}, {"SETLINK", setLink}, {"SOURCE", l.source},
                       {"SOURCEREF", l.contract}, {"COMMODITY", s.commodity},
                       {"LOCATION", s.location}, {"UNITSSET", Units(l.units)},
                       {"FROMDPR", l.source}, {"TODPR", s.destination}, {"CONTRACT", ""},
                       {"SETDTE", s.date}, {"PATRONAGE", patronage ? "T" : "F"},
                       {"STATUS", "O"}, {"REVERSED", "F"},
                       {"SOURCELINK", contract->second.dlLink}, {"GLCODE", l.glCode},
                       {"DLLINK", dlLink}, {"STYPE", "1"}, {"CUSTREF", s.customer},
                       {"CUSTNAME", customer->name}, {"POSTED", "F"}, {"GLPOSTED", "F"},
                       {"PRICEUNIT", _HVXsprintf("%.4f", l.price)},
                       {"TOTPRICE", Money(HVXRound(HVXRound(l.units, 4) * l.price, 2))},
                       {"NUMCHANGE", "0"}}))
            return false;
    }
    if (!w.Insert("HVXGR04F",
                    {{"SETTLEMENT", settlement}, {"DESTLINK", ""}, {"SETLINK", setLink},
                     {"DLLINK", setLink}, {"COMMODITY", s.commodity}, {"LOCATION", s.location},
                     {"CUSTREF", s.customer}, {"CUSTNAME", customer->name}, {"CONTRACT", ""},
                     {"TODPR", s.destination}, {"SETDTE", s.date}, {"UNITSSET", Units(units)},
                     {"OUNITS", Units(units)}, {"STATUS", "O"}, {"REVERSED", "F"},
                     {"STYPE", "1"}, {"AVGPRICE", _HVXsprintf("%.4f", HVXRound(gross / units, 4))},
                     {"GROSSAMT", Money(gross)}, {"NETAMT", Money(gross)},
                     {"ISDOLUSED", Money(0)}, {"AMTPREPAID", Money(0)}, {"SUBMITTED", "F"},
                     {"NUMCHANGE", "0"}}))
        return false;
    for (const auto& [name, type] : PayNames(s, *customer))
        if (!w.Insert("HVXGR04E", {{"SETTLEMENT", settlement}, {"SETLINK", setLink},
                                   {"PAYNAME", name}, {"PNTYPE", type}, {"NUMCHANGE", "0"}}))
            return false;
    return true;
}

}  // namespace

bool WriteSettlements(SeedWriter& w, SeedLinks& links) {
    int number = 0;
    for (const Settlement& s : Settlements())
        if (!WriteSettlement(w, s, ++number, links)) return false;
    for (const MultipleSourceSettlement& s : MultipleSourceSettlements())
        if (!WriteMultipleSourceSettlement(w, s, ++number, links)) return false;
    return true;
}

}  // namespace hvx::demo
