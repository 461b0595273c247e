#pragma once
// The demo cooperative as plain values: three elevators, three commodities
// with their grade schedules and charges, seven farm customers and two
// buyers, the season's deliveries and the settlements already made on them.
// The writers in DemoSeedReference.cpp, DemoSeedDeliveries.cpp and
// DemoSeedSettlements.cpp turn these values into rows; everything derived
// (share units, settled and open units, grade averages, net amounts, pay
// names, advance repayments) is computed there, so the tables stay consistent
// when a value here changes.
//
// Dates are "YYYY-MM-DD"; quantities and prices are numbers, written with
// the module's decimals; flags and codes are the texts the module stores.
#include <optional>
#include <string>
#include <vector>

namespace hvx::demo {

struct Location {
    const char* ref;
    const char* name;
};

struct Commodity {
    const char* ref;
    const char* name;
    const char* decimals;  // price decimals
    const char* lbsPerUnit;
    const char *storeDay, *serveDay, *storeDay2, *serveDay2;  // default rates per unit per day
    std::vector<const char*> gradeFactors;
};

struct GradeFactor {
    const char* code;
    const char* name;
    const char* dryCharge;
};

struct ScheduleStep {
    const char* type;  // "2" premium, "1" discount
    const char* value;
    const char* base;
    const char* increment;
};

struct Schedule {
    const char* commodity;
    const char* gradeFactor;
    const char* name;
    const char* stepSize;
    const char* percent;  // "T": the steps are percent of the price
    std::vector<ScheduleStep> steps;
};

struct Deduction {
    const char* ref;
    const char* description;
    const char* type;       // "D" deduction, "A" addition
    const char* rateUnit;   // per unit; empty for a percentage
    const char* grDollar;   // percent of gross
    const char* advCode;    // "1": repays or pays out an advance
    const char* grainTax;   // "1": only on grain sold from sources other than installment sales
    const char* makeEntry;  // "1": makes a receivable entry
    const char *arAccount1, *arAccount2, *arAccount3;
};

struct Customer {
    const char* ref;
    const char* name;
    const char *address1, *address2, *city, *state, *zip;
    const char* taxId;
    const char* salesman;
    const char* region;
};

struct Lien {
    const char* customer;
    const char* holder;
    const char* commodity;  // empty: every commodity
    const char* expires;
};

struct Vendor {
    const char* ref;
    const char* name;
    const char *address1, *city, *state, *zip;
};

struct PurchaseContract {
    const char* contract;
    std::vector<std::pair<const char*, const char*>> schedules;  // grade factor, schedule
};

struct SalesContract {
    const char* contract;
    const char* buyer;  // a customer
    const char* commodity;
    const char* buyerRef;
    const char* type;
    const char* estimated;
    double quantity, received;
    const char* price;
    const char* status;
};

struct Described {
    const char* ref;
    const char* description;
};

// One grade test of a ticket and the premium (+) or discount (-) per unit
// the scale house priced for it.
struct Test {
    const char* factor;
    double result;
    double premDisc = 0;
};

// One truck load weighed in: units, the day's price and its grade tests.
struct Ticket {
    const char* number;
    double units;
    double price;
    std::vector<Test> tests;
};

// A customer's share of an assembly, made up of the customer's tickets.
struct Split {
    const char* customer;
    const char* dpr;
    const char* contract;
    std::vector<Ticket> tickets;
};

struct Assembly {
    const char* number;
    const char* date;
    const char* commodity;
    const char* location;
    std::vector<Split> splits;
};

struct LineDeduction {
    const char* deduct;
    std::optional<double> amount = {};  // none: computed from the deduction's rate
};

// Terms of a destination that stays an open contract.
struct Terms {
    const char* paidThrough = "";
    const char* storageRate = "";  // empty: the commodity's default
    double prepaid = 0;
    const char* serviceStart = "";
    const char* serviceRate = "";
    const char* interestStart = "";
    const char* interestRate = "";
    const char* due = "";
};

struct Destination {
    const char* category;
    const char* contract;
    const char* glCode;
    double units;
    double price = 0;  // sold destinations ("Priced", "Installment Sale")
    std::vector<LineDeduction> deductions = {};
    Terms terms = {};
};

// A single-source settlement: the source is an assembly (by number, the
// customer's split) or an earlier open contract (by contract number).
struct Settlement {
    const char* date;
    const char* customer;
    const char* commodity;
    const char* location;
    const char* source;
    const char* sourceRef;
    const char* checkNumber;
    std::vector<Destination> lines;
};

// A line of a multiple-source settlement: what it sells of one of the
// customer's earlier open contracts (by contract number).
struct SourceLine {
    const char* source;  // the contract's category
    const char* contract;
    const char* glCode;
    double units;
    double price;
};

// A multiple-source settlement: several of a customer's open contracts
// brought into one destination.
struct MultipleSourceSettlement {
    const char* date;
    const char* customer;
    const char* commodity;
    const char* location;
    const char* destination;
    const char* checkNumber;
    std::vector<SourceLine> lines;
};

// Money paid out ahead of a settlement; repaid by advance deductions of
// later settlements, oldest advance first.
struct Advance {
    const char* customer;
    const char* date;
    const char* source;
    const char* sourceRef;
    double amount;
    const char* checkNumber;
};

// The configuration row and the counters of the demo office.
struct Office {
    const char *storageCode, *serviceCode, *interestCode;
    const char* nextCheck;
};

const Office& DemoOffice();
const std::vector<Location>& Locations();
const std::vector<Commodity>& Commodities();
const std::vector<GradeFactor>& GradeFactors();
const std::vector<Schedule>& Schedules();
const std::vector<Deduction>& Deductions();
const std::vector<Customer>& Customers();
const std::vector<Lien>& Liens();
const std::vector<Vendor>& Vendors();
const std::vector<PurchaseContract>& PurchaseContracts();
const std::vector<SalesContract>& SalesContracts();
const std::vector<Described>& ShippingDestinations();
const std::vector<Described>& ShipmentDeductions();
const std::vector<Assembly>& Assemblies();
const std::vector<Settlement>& Settlements();
// Numbered after the single-source settlements.
const std::vector<MultipleSourceSettlement>& MultipleSourceSettlements();
const std::vector<Advance>& Advances();

// Lookups over the tables above; null when the reference is unknown.
const Customer* FindCustomer(const std::string& ref);
const Commodity* FindCommodity(const std::string& ref);
const Deduction* FindDeduction(const std::string& ref);

}  // namespace hvx::demo
