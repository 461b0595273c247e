// Writes the season's deliveries: assemblies with their customer splits,
// scale tickets and grade tests, and the commodity positions they add up to.
#include <map>
#include <string>

#include "data/demo/DemoSeedWriters.h"
#include "platform/Format.h"
#include "platform/Rounding.h"

namespace hvx::demo {

std::string SplitKey(const std::string& assembly, const std::string& customer) {
    return assembly + "/" + customer;
}

double UnitsTaken(const std::string& source, const std::string& sourceRef,
                  const std::string& customer) {
    double taken = 0;
    for (const Settlement& s : Settlements()) {
        if (source != s.source || sourceRef != s.sourceRef || customer != s.customer) continue;
        for (const Destination& d : s.lines) taken += HVXRound(d.units, 4);
    }
    for (const MultipleSourceSettlement& s : MultipleSourceSettlements()) {
        if (customer != s.customer) continue;
        for (const SourceLine& l : s.lines)
            if (source == l.source && sourceRef == l.contract) taken += HVXRound(l.units, 4);
    }
    return HVXRound(taken, 4);
}

bool IsSale(const std::string& category) {
    return category == "Priced" || category == "Installment Sale";
}

namespace {

double ShareUnits(const Split& split) {
    double units = 0;
    for (const Ticket& t : split.tickets) units += HVXRound(t.units, 4);
    return HVXRound(units, 4);
}

bool WriteTicket(SeedWriter& w, const Assembly& a, const Split& split, const std::string& lineId,
                 const Ticket& t) {
    const std::string stdLineId = w.NewLink("HVXGR03A", "STDLINEID");
    // Tickets are settled through their assembly split; with SETTBYTICK
    // off the module leaves the ticket lines as weighed.
    if (stdLineId.empty() || !w.Insert("HVXGR03A", {{"SCALETICK", t.number},
                                                    {"ASSEMBLY", a.number},
                                                    {"ASSEMLINK", lineId},
                                                    {"STDLINEID", stdLineId},
                                                    {"CONTRACT", split.contract},
                                                    {"CUSTREF", split.customer},
                                                    {"DPRSTATUS", split.dpr},
                                                    {"UNITS", Units(t.units)},
                                                    {"UNITSSET", Units(0)},
                                                    {"PRICE", _HVXsprintf("%.4f", t.price)},
                                                    {"SETTLED", "F"}}))
        return false;
    for (const Test& test : t.tests)
        if (!w.Insert("HVXGR03G", {{"TICKETNUM", t.number},
                                   {"ASSEMBLY", a.number},
                                   {"TEST", test.factor},
                                   {"RESULT", _HVXsprintf("%.1f", test.result)},
                                   {"NETUNITS", Units(t.units)},
                                   {"PREMDISC", _HVXsprintf("%.4f", test.premDisc)}}))
            return false;
    return true;
}

bool WriteSplit(SeedWriter& w, const Assembly& a, const Split& split, SeedLinks& links) {
    const std::string lineId = w.NewLink("HVXGR02S", "LINEID");
    if (lineId.empty()) return false;
    links.splitLineIds[SplitKey(a.number, split.customer)] = lineId;

    const double share = ShareUnits(split);
    const double settled = UnitsTaken("Assembly", a.number, split.customer);
    if (HVXRound(settled, 5) > HVXRound(share, 5))
        return w.Fail(std::string("The demo settlements take more than the share of ") +
                      split.customer + " in assembly " + a.number + ".");
    const bool full = share != 0 && HVXRound(share, 5) <= HVXRound(settled, 5);
    if (!w.Insert("HVXGR02S", {{"ASSEMBLY", a.number},
                               {"CONTRACT", split.contract},
                               {"COMMODITY", a.commodity},
                               {"LOCATION", a.location},
                               {"DPR", split.dpr},
                               {"CUSTREF", split.customer},
                               {"SHAREUNITS", Units(share)},
                               {"SETTUNITS", Units(settled)},
                               {"PSETUNITS", Units(0)},
                               {"SETTLED", full ? "T" : "F"},
                               {"LINEID", lineId}}))
        return false;
    for (const Ticket& t : split.tickets)
        if (!WriteTicket(w, a, split, lineId, t)) return false;
    return true;
}

}  // namespace

bool WriteDeliveries(SeedWriter& w, SeedLinks& links) {
    for (const Assembly& a : Assemblies()) {
        // No seeded settlement is posted, so no assembly is settled in full.
        if (!w.Insert("HVXGR02", {{"ASSEMBLY", a.number}, {"SETTLED", "F"}})) return false;
        for (const Split& split : a.splits)
            if (!WriteSplit(w, a, split, links)) return false;
    }
    return true;
}

bool WritePositions(SeedWriter& w) {
    struct Position {
        double year = 0, month = 0, companyOwned = 0;
    };
    // Receipts of the latest month of the season count as this month's.
    std::string latestMonth;
    for (const Assembly& a : Assemblies())
        if (std::string(a.date).substr(0, 7) > latestMonth)
            latestMonth = std::string(a.date).substr(0, 7);

    std::map<std::pair<std::string, std::string>, Position> positions;
    for (const Assembly& a : Assemblies()) {
        Position& p = positions[{a.commodity, a.location}];
        for (const Split& split : a.splits) {
            const double units = ShareUnits(split);
            p.year += units;
            if (std::string(a.date).substr(0, 7) == latestMonth) p.month += units;
        }
    }
    // Grain bought outright or on installment belongs to the elevator.
    for (const Settlement& s : Settlements())
        for (const Destination& d : s.lines)
            if (IsSale(d.category)) positions[{s.commodity, s.location}].companyOwned += d.units;
    for (const MultipleSourceSettlement& s : MultipleSourceSettlements())
        for (const SourceLine& l : s.lines)
            if (IsSale(s.destination)) positions[{s.commodity, s.location}].companyOwned += l.units;

    for (const auto& [key, p] : positions)
        if (!w.Insert("HVXGR51A", {{"REFERENCE", key.first},
                                   {"LOCATION", key.second},
                                   {"URECVD", Units(0)},
                                   {"URECVM", Units(p.month)},
                                   {"URECVY", Units(p.year)},
                                   {"USHIPD", Units(0)},
                                   {"USHIPM", Units(0)},
                                   {"USHIPY", Units(0)},
                                   {"DPRCO", Units(p.companyOwned)},
                                   {"PRINTDPR", "T"},
                                   {"PRINTTP", "T"},
                                   {"NUMCHANGE", "0"}}))
            return false;
    return true;
}

}  // namespace hvx::demo
