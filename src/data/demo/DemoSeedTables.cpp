// The reference data of the demo cooperative: elevators, commodities, grade
// schedules, deductions, customers, vendors and contracts.
#include <string>

#include "data/demo/DemoSeedData.h"

namespace hvx::demo {

const Office& DemoOffice() {
    static const Office office{"STORAGE", "SERVICE", "INTEREST", "10249"};
    return office;
}

const std::vector<Location>& Locations() {
    static const std::vector<Location> rows{
        {"01", "Prairie City Main Elevator"},
        {"02", "Bellport River Terminal"},
        {"03", "Carlow North Annex"},
    };
    return rows;
}

// clang-format off: the tables read best one row a line.
const std::vector<Commodity>& Commodities() {
    // Reference, name, price decimals, pounds per bushel, storage and service
    // rates per bushel per day (first period, then from day 31), grade factors.
    static const std::vector<Commodity> rows{
        {"CORN", "Yellow Corn No. 2", "4", "56", "0.0015", "0.0008", "0.0012", "0.0006",
         {"MOISTURE", "FM", "TEST WT", "DAMAGE"}},
        {"SOYBEANS", "Yellow Soybeans No. 1", "4", "60", "0.0018", "0.0010", "0.0015", "0.0008",
         {"MOISTURE", "FM", "DAMAGE"}},
        {"WHEAT", "Hard Red Winter Wheat", "3", "60", "0.0016", "0.0009", "0.0013", "0.0007",
         {"MOISTURE", "FM", "TEST WT", "DAMAGE"}},
    };
    return rows;
}

const std::vector<GradeFactor>& GradeFactors() {
    static const std::vector<GradeFactor> rows{
        {"MOISTURE", "Moisture (%)", "0"},
        {"FM", "Foreign material (%)", "0"},
        {"TEST WT", "Test weight (lb/bu)", "0"},
        {"DAMAGE", "Total damage (%)", "0"},
    };
    return rows;
}

// Steps are (type, value, base, increment). Each schedule's bases continue
// its increments, so a result on a step value gives the same amount from
// either neighbouring row.
const std::vector<Schedule>& Schedules() {
    static const std::vector<Schedule> rows{
        // Ascending discounts: wetter grain is worth less.
        {"CORN", "MOISTURE", "STD", "0.5", "F", {{"1", "15.0", "0.00", "0.02"},
                                                 {"1", "18.0", "0.12", "0.025"},
                                                 {"1", "22.0", "0.32", "0.03"}}},
        {"CORN", "MOISTURE", "HIMOIST", "0.5", "F", {{"1", "16.0", "0.00", "0.015"},
                                                     {"1", "20.0", "0.12", "0.02"}}},
        // Descending discounts below the base test weight, a premium above it.
        {"CORN", "TEST WT", "STD", "0.5", "F", {{"2", "58.0", "0.01", "0.005"},
                                                {"1", "56.0", "0.00", "0.01"},
                                                {"1", "54.0", "0.04", "0.02"},
                                                {"1", "50.0", "0.20", "0.03"}}},
        {"CORN", "FM", "STD", "1.0", "F", {{"1", "2.0", "0.00", "0.02"},
                                           {"1", "5.0", "0.06", "0.03"}}},
        {"CORN", "DAMAGE", "STD", "1.0", "F", {{"1", "5.0", "0.00", "0.02"},
                                               {"1", "10.0", "0.10", "0.04"}}},
        {"SOYBEANS", "MOISTURE", "STD", "0.5", "F", {{"1", "13.0", "0.00", "0.02"},
                                                     {"1", "16.0", "0.12", "0.03"}}},
        // Percent of the price rather than cents per bushel.
        {"SOYBEANS", "FM", "STD", "1.0", "T", {{"1", "1.0", "0.00", "0.5"},
                                               {"1", "3.0", "1.00", "1.0"}}},
        {"SOYBEANS", "DAMAGE", "STD", "1.0", "F", {{"1", "2.0", "0.00", "0.03"},
                                                   {"1", "5.0", "0.09", "0.05"}}},
        {"WHEAT", "MOISTURE", "STD", "0.5", "F", {{"1", "13.5", "0.00", "0.02"},
                                                  {"1", "15.0", "0.06", "0.03"}}},
        {"WHEAT", "TEST WT", "STD", "0.5", "F", {{"2", "62.0", "0.01", "0.01"},
                                                 {"1", "60.0", "0.00", "0.02"},
                                                 {"1", "58.0", "0.08", "0.03"}}},
    };
    return rows;
}

const std::vector<Deduction>& Deductions() {
    static const std::vector<Deduction> rows{
        // The charge codes named by the configuration row.
        {"STORAGE", "Storage charge", "D", "", "", "0", "0", "0", "", "", ""},
        {"SERVICE", "Service charge", "D", "", "", "0", "0", "0", "", "", ""},
        {"INTEREST", "Installment sale interest", "A", "", "", "0", "0", "0", "", "", ""},
        // Per unit and percent of gross.
        {"CORNCHK", "State corn checkoff", "D", "0.0100", "", "0", "0", "0", "", "", ""},
        {"SOYCHK", "Soybean checkoff (0.5%)", "D", "", "0.5", "0", "0", "0", "", "", ""},
        {"WHEATCHK", "Wheat commission", "D", "0.0150", "", "0", "0", "0", "", "", ""},
        {"TRUCKING", "Farm pickup trucking", "D", "0.0800", "", "0", "0", "0", "", "", ""},
        {"DRYING", "Drying charge", "D", "0.0350", "", "0", "0", "0", "", "", ""},
        {"BROKER", "Brokerage commission", "D", "", "1.0", "0", "0", "0", "", "", ""},
        {"QUALITY", "Identity-preserved premium", "A", "0.0300", "", "0", "0", "0", "", "", ""},
        // Only on grain sold outright, not on installment-sale payments.
        {"INDEMNITY", "Grain indemnity fund", "D", "0.0020", "", "0", "1", "0", "", "", ""},
        // Advances: repaid by a deduction, paid out by an addition.
        {"ADVANCE", "Advance repayment", "D", "", "", "1", "0", "0", "", "", ""},
        {"ADVPAY", "Advance paid on settlement", "A", "", "", "1", "0", "0", "", "", ""},
        // Charged to the customer's receivable account.
        {"SEED", "Seed and chemical account", "D", "", "", "0", "0", "1", "1210", "10", "000"},
        {"FEED", "Feed account", "D", "", "", "0", "0", "1", "1220", "10", "000"},
    };
    return rows;
}

const std::vector<Customer>& Customers() {
    static const std::vector<Customer> rows{
        {"ANDERSON", "Anderson Family Farms", "2150 County Road 14", "", "Prairie City", "IA",
         "50228", "00-0001101", "JD", "NORTH"},
        {"OBRIEN", "Patrick O'Brien", "88 Quarry Lane", "", "Prairie City", "IA", "50228",
         "000-00-1102", "JD", "NORTH"},
        {"HALVORSEN", "Halvorsen Brothers", "4410 Ridge Road", "", "Carlow", "IA", "50237",
         "00-0001103", "MK", "WEST"},
        {"KOWALSKI", "Kowalski Farms LLC", "17 Mill Street", "PO Box 412", "Bellport", "IA",
         "50252", "00-0001104", "MK", "SOUTH"},
        {"MARTINEZ", "Martinez Land & Cattle Co.", "9020 Highway 65", "", "Prairie City", "IA",
         "50228", "00-0001105", "JD", "NORTH"},
        {"NGUYEN", "Linh Nguyen", "301 Orchard Avenue", "", "Bellport", "IA", "50252",
         "000-00-1106", "MK", "SOUTH"},
        {"SCHMIDT", "Schmidt Acres", "6675 280th Street", "", "Carlow", "IA", "50237", "00-0001107",
         "MK", "WEST"},
        // Buyers of the elevator's grain, on the sales contracts.
        {"CIETHANOL", "Central Iowa Ethanol LLC", "1 Energy Way", "", "Nevada", "IA", "50201",
         "00-0002201", "", "BUYER"},
        {"RIVERSOY", "Riverside Soy Processing Inc.", "1200 SE Harbor Drive", "", "Des Moines",
         "IA", "50315", "00-0002202", "", "BUYER"},
    };
    return rows;
}

const std::vector<Lien>& Liens() {
    static const std::vector<Lien> rows{
        {"KOWALSKI", "Farm Credit Services of the Plains", "CORN", "2026-12-31"},
        {"OBRIEN", "First State Bank of Prairie City", "SOYBEANS", "2026-11-30"},
        {"MARTINEZ", "Bellport Savings & Loan", "", "2027-03-31"},
        {"HALVORSEN", "Carlow Farmers Credit Union", "WHEAT", "2026-01-31"},  // expired before 2/6
    };
    return rows;
}

const std::vector<Vendor>& Vendors() {
    static const std::vector<Vendor> rows{
        {"HAULRITE", "Haul-Rite Trucking Inc.", "55 Depot Road", "Prairie City", "IA", "50228"},
        {"PLAINSRAIL", "Great Plains Rail Services", "800 Yard Street", "Ames", "IA", "50010"},
        {"MIDSTATE", "Mid-State Grain Brokerage", "210 Exchange Plaza", "Des Moines", "IA",
         "50309"},
        {"DRYERPRO", "Dryer Pro Service & Parts", "12 Industrial Court", "Bellport", "IA", "50252"},
    };
    return rows;
}

const std::vector<PurchaseContract>& PurchaseContracts() {
    static const std::vector<PurchaseContract> rows{
        {"PC-26-001", {{"MOISTURE", "STD"}, {"TEST WT", "STD"}, {"FM", "STD"}}},
        {"PC-26-002", {{"MOISTURE", "HIMOIST"}, {"FM", "STD"}, {"DAMAGE", "STD"}}},
        {"PC-26-003", {{"MOISTURE", "STD"}, {"TEST WT", "STD"}}},
    };
    return rows;
}

const std::vector<SalesContract>& SalesContracts() {
    static const std::vector<SalesContract> rows{
        {"SC-26-101", "CIETHANOL", "CORN", "CIE-4471", "Flat Price", "2026-05-15", 50000, 0,
         "4.4500", "Open"},
        {"SC-26-102", "RIVERSOY", "SOYBEANS", "RSP-2209", "Basis", "2026-06-01", 30000, 0,
         "10.6200", "Open"},
        {"SC-26-087", "CIETHANOL", "CORN", "CIE-4302", "Flat Price", "2026-01-10", 20000, 20000,
         "4.1800", "Closed"},
    };
    return rows;
}

const std::vector<Described>& ShippingDestinations() {
    static const std::vector<Described> rows{
        {"CIE-NEVADA", "Central Iowa Ethanol, Nevada plant"},
        {"RSP-DSM", "Riverside Soy Processing, Des Moines crush plant"},
        {"GULF-BARGE", "Bellport barge loading for Gulf export"},
    };
    return rows;
}

const std::vector<Described>& ShipmentDeductions() {
    static const std::vector<Described> rows{
        {"FREIGHT", "Freight to destination"},
        {"WEIGH", "Official weighing fee"},
        {"INSPECT", "Official grade inspection"},
        {"SHRINK", "Handling shrink"},
    };
    return rows;
}

// clang-format on

namespace {

template <class Row>
const Row* FindByRef(const std::vector<Row>& rows, const std::string& ref) {
    for (const Row& row : rows)
        if (ref == row.ref) return &row;
    return nullptr;
}

}  // namespace

const Customer* FindCustomer(const std::string& ref) { return FindByRef(Customers(), ref); }
const Commodity* FindCommodity(const std::string& ref) { return FindByRef(Commodities(), ref); }
const Deduction* FindDeduction(const std::string& ref) { return FindByRef(Deductions(), ref); }

}  // namespace hvx::demo
