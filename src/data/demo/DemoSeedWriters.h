#pragma once
// The steps of the demo seed, in the order they run, and the links that
// later steps take from earlier ones. Internal to the demo seed.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/demo/DemoSeedData.h"
#include "data/demo/SeedWriter.h"

namespace hvx::demo {

// An open contract created by a seeded settlement, as later settlements
// that draw on it need it.
struct ContractLinks {
    std::string dlLink;                                       // its DLLINK
    std::vector<std::string> assemblies;                      // the assemblies behind it
    std::vector<std::pair<std::string, std::string>> grades;  // grade factor, result
};

// A settlement deduction that repays advances of the customer.
struct Repayment {
    std::string customer, date, source, sourceRef;
    std::string setLink, dlLink, checkNumber;
    double amount = 0;
};

struct SeedLinks {
    std::map<std::string, std::string> splitLineIds;  // SplitKey() -> LINEID
    std::map<std::string, ContractLinks> contracts;   // contract number -> links
    std::vector<Repayment> repayments;                // in settlement order
};

std::string SplitKey(const std::string& assembly, const std::string& customer);

// Units that the seeded settlements take from a source: an assembly split
// (source "Assembly", the assembly number and the customer) or an open
// contract (its category, its contract number and the customer).
double UnitsTaken(const std::string& source, const std::string& sourceRef,
                  const std::string& customer);

// A category whose units are sold outright rather than held open.
bool IsSale(const std::string& category);

bool WriteConfiguration(SeedWriter& w);
bool WriteReferenceData(SeedWriter& w);
bool WriteCustomersAndContracts(SeedWriter& w);
bool WriteDeliveries(SeedWriter& w, SeedLinks& links);
bool WritePositions(SeedWriter& w);
bool WriteSettlements(SeedWriter& w, SeedLinks& links);
bool WriteAdvances(SeedWriter& w, const SeedLinks& links);

}  // namespace hvx::demo
