// The demo cooperative's season so far: the loads delivered from January to
// March 2026, the settlements already made on them, and the advances paid.
//
// Premiums and discounts on the tickets are those of the commodity's "STD"
// schedule (the contract's own schedule where it names one) at the test
// result; the soybean foreign-material schedule is a percent of the price.
#include "data/demo/DemoSeedData.h"

namespace hvx::demo {

// clang-format off: the tables read best one ticket a line.
const std::vector<Assembly>& Assemblies() {
    static const std::vector<Assembly> rows{
        {"26001", "2026-01-12", "CORN", "01", {
            {"ANDERSON", "Storage Ticket", "PC-26-001", {
                {"260101", 940.52, 4.28,
                 {{"MOISTURE", 15.4}, {"FM", 1.2}, {"TEST WT", 56.5}, {"DAMAGE", 1.0}}},
                {"260102", 912.34, 4.28,
                 {{"MOISTURE", 16.1, -0.04}, {"FM", 1.8}, {"TEST WT", 55.8}, {"DAMAGE", 2.5}}},
                {"260103", 597.14, 4.28,
                 {{"MOISTURE", 15.0}, {"FM", 0.9}, {"TEST WT", 57.0}, {"DAMAGE", 0.5}}}}}}},
        // One load shared by two farms, each share with its own destination.
        {"26002", "2026-01-19", "SOYBEANS", "01", {
            {"OBRIEN", "Priced Later", "", {
                {"260111", 612.00, 10.35, {{"MOISTURE", 12.8}, {"FM", 0.8}, {"DAMAGE", 0.6}}},
                {"260112", 588.00, 10.35,
                 {{"MOISTURE", 13.6, -0.02}, {"FM", 1.4}, {"DAMAGE", 1.1}}}}},
            {"ANDERSON", "Storage Ticket", "", {
                {"260113", 800.00, 10.35,
                 {{"MOISTURE", 13.2}, {"FM", 2.2, -0.0518}, {"DAMAGE", 0.8}}}}}}},
        {"26003", "2026-01-20", "CORN", "02", {
            {"KOWALSKI", "Installment Sale", "PC-26-002", {
                {"260201", 1010.25, 4.25,
                 {{"MOISTURE", 17.2, -0.03}, {"FM", 2.1}, {"TEST WT", 55.0, -0.02},
                  {"DAMAGE", 3.0}}},
                {"260202", 995.75, 4.25,
                 {{"MOISTURE", 16.4}, {"FM", 1.5}, {"TEST WT", 56.0}, {"DAMAGE", 1.5}}},
                {"260203", 994.00, 4.25,
                 {{"MOISTURE", 18.6, -0.075}, {"FM", 3.2, -0.02}, {"TEST WT", 54.5, -0.03},
                  {"DAMAGE", 5.5}}}}}}},
        {"26004", "2026-02-03", "WHEAT", "03", {
            {"HALVORSEN", "Basis Fixed", "PC-26-003", {
                {"260301", 850.00, 5.85,
                 {{"MOISTURE", 12.9}, {"FM", 0.6}, {"TEST WT", 61.0}, {"DAMAGE", 0.4}}},
                {"260302", 780.00, 5.85,
                 {{"MOISTURE", 14.2, -0.02}, {"FM", 0.9}, {"TEST WT", 59.2, -0.02},
                  {"DAMAGE", 1.2}}}}}}},
        {"26005", "2026-02-09", "CORN", "01", {
            {"MARTINEZ", "Grain Bank", "", {
                {"260121", 420.00, 4.29,
                 {{"MOISTURE", 14.8}, {"FM", 1.0}, {"TEST WT", 57.5}, {"DAMAGE", 0.8}}},
                {"260122", 380.00, 4.29,
                 {{"MOISTURE", 15.6, -0.02}, {"FM", 2.4}, {"TEST WT", 56.2}, {"DAMAGE", 1.6}}}}}}},
        {"26006", "2026-02-16", "SOYBEANS", "02", {
            {"NGUYEN", "Storage Ticket", "", {
                {"260211", 500.00, 10.40, {{"MOISTURE", 12.5}, {"FM", 0.7}, {"DAMAGE", 0.4}}},
                {"260212", 500.00, 10.40, {{"MOISTURE", 13.1}, {"FM", 1.1}, {"DAMAGE", 0.9}}}}},
            {"SCHMIDT", "Priced", "", {
                {"260213", 520.00, 10.40, {{"MOISTURE", 12.9}, {"FM", 0.9}, {"DAMAGE", 0.5}}},
                {"260214", 480.00, 10.40,
                 {{"MOISTURE", 14.0, -0.04}, {"FM", 1.6}, {"DAMAGE", 2.4}}}}}}},
        // Not settled yet: ready for the first settlements of a demo session.
        {"26007", "2026-03-09", "CORN", "02", {
            {"SCHMIDT", "Priced", "", {
                {"260221", 640.00, 4.33,
                 {{"MOISTURE", 15.9, -0.02}, {"FM", 1.3}, {"TEST WT", 56.8}, {"DAMAGE", 1.0}}}}}}},
        {"26008", "2026-03-16", "WHEAT", "03", {
            {"HALVORSEN", "Basis Fixed", "PC-26-003", {
                {"260311", 700.00, 5.92,
                 {{"MOISTURE", 13.0}, {"FM", 0.5}, {"TEST WT", 60.5}, {"DAMAGE", 0.3}}}}},
            {"OBRIEN", "Storage Ticket", "", {
                {"260312", 300.00, 5.92,
                 {{"MOISTURE", 13.4}, {"FM", 0.8}, {"TEST WT", 62.4, 0.01}, {"DAMAGE", 0.6}}}}}}},
        {"26009", "2026-03-23", "CORN", "01", {
            {"NGUYEN", "CCC", "", {
                {"260131", 455.50, 4.35,
                 {{"MOISTURE", 15.2}, {"FM", 1.1}, {"TEST WT", 57.2}, {"DAMAGE", 0.9}}},
                {"260132", 430.25, 4.35,
                 {{"MOISTURE", 16.6, -0.06}, {"FM", 2.0}, {"TEST WT", 55.4, -0.01},
                  {"DAMAGE", 1.4}}}}}}},
        // Two loads of a farm that sells out of storage too: ready to be sold
        // together with part of its storage ticket.
        {"26010", "2026-03-30", "CORN", "01", {
            {"ANDERSON", "Priced", "", {
                {"260141", 520.00, 4.36,
                 {{"MOISTURE", 15.1}, {"FM", 1.0}, {"TEST WT", 57.1}, {"DAMAGE", 0.7}}},
                {"260142", 480.00, 4.36,
                 {{"MOISTURE", 16.2, -0.03}, {"FM", 1.4}, {"TEST WT", 56.4}, {"DAMAGE", 1.1}}}}}}},
    };
    return rows;
}

// Settlement numbers follow the order of this list, from 1. A line is
// (category, contract, G/L activity code, units, price, deductions, terms).
const std::vector<Settlement>& Settlements() {
    static const std::vector<Settlement> rows{
        {"2026-01-15", "ANDERSON", "CORN", "01", "Assembly", "26001", "", {
            {"Storage Ticket", "ST-1001", "80", 2450, 0, {}, {.paidThrough = "2026-01-15"}}}},
        {"2026-01-22", "ANDERSON", "SOYBEANS", "01", "Assembly", "26002", "", {
            {"Storage Ticket", "ST-1002", "80", 800, 0, {},
             {.paidThrough = "2026-01-22", .storageRate = "0.0016", .prepaid = 25.00}}}},
        {"2026-01-22", "OBRIEN", "SOYBEANS", "01", "Assembly", "26002", "", {
            {"Priced Later", "PL-1003", "01", 1200, 0, {}, {.serviceStart = "2026-01-22"}}}},
        {"2026-01-26", "KOWALSKI", "CORN", "02", "Assembly", "26003", "", {
            {"Installment Sale", "IS-1004", "05", 3000, 4.25, {{"CORNCHK"}, {"INDEMNITY"}},
             {.interestStart = "2026-01-26", .interestRate = "5.75", .due = "2027-01-15"}}}},
        // 130 bushels of the assembly stay unsettled.
        {"2026-02-06", "HALVORSEN", "WHEAT", "03", "Assembly", "26004", "", {
            {"Basis Fixed", "BF-1005", "15", 1500, 0, {},
             {.serviceStart = "2026-02-06", .serviceRate = "0.0009"}}}},
        {"2026-02-11", "MARTINEZ", "CORN", "01", "Assembly", "26005", "", {
            {"Grain Bank", "GB-1006", "02", 800, 0, {}, {.serviceStart = "2026-02-11"}}}},
        // One source split to two destinations.
        {"2026-02-18", "NGUYEN", "SOYBEANS", "02", "Assembly", "26006", "", {
            {"Storage Ticket", "ST-1007", "80", 600, 0, {}, {.paidThrough = "2026-02-18"}},
            {"Priced Later", "PL-1007", "01", 400, 0, {}, {.serviceStart = "2026-02-18"}}}},
        {"2026-02-20", "SCHMIDT", "SOYBEANS", "02", "Assembly", "26006", "10238", {
            {"Priced", "", "06", 1000, 10.425, {{"SOYCHK"}, {"INDEMNITY"}, {"SEED", 1250.00}}}}},
        // Sold out of storage: 47 days at the later-period rate of 0.0012,
        // and the customer's two advances against the ticket repaid in part.
        {"2026-03-02", "ANDERSON", "CORN", "01", "Storage Ticket", "ST-1001", "10244", {
            {"Priced", "", "04", 1000, 4.31,
             {{"STORAGE", 56.40}, {"CORNCHK"}, {"INDEMNITY"}, {"ADVANCE", 1500.00}}}}},
        // Priced later: 43 days of service at 0.0008.
        {"2026-03-05", "OBRIEN", "SOYBEANS", "01", "Priced Later", "PL-1003", "10245", {
            {"Priced", "", "08", 500, 10.51, {{"SERVICE", 17.20}, {"SOYCHK"}, {"INDEMNITY"}}}}},
    };
    return rows;
}

const std::vector<MultipleSourceSettlement>& MultipleSourceSettlements() {
    static const std::vector<MultipleSourceSettlement> rows{
        // Nguyen sells part of both positions of load 26006 at once.
        {"2026-03-20", "NGUYEN", "SOYBEANS", "02", "Priced", "10248", {
            {"Storage Ticket", "ST-1007", "04", 200, 10.50},
            {"Priced Later", "PL-1007", "08", 100, 10.50}}},
    };
    return rows;
}

const std::vector<Advance>& Advances() {
    static const std::vector<Advance> rows{
        {"ANDERSON", "2026-01-28", "Storage Ticket", "ST-1001", 1000.00, "10231"},
        {"ANDERSON", "2026-02-13", "Storage Ticket", "ST-1001", 2000.00, "10236"},
        {"KOWALSKI", "2026-03-10", "Installment Sale", "IS-1004", 2500.00, "10246"},
        {"HALVORSEN", "2026-03-12", "Basis Fixed", "BF-1005", 1200.00, "10247"},
    };
    return rows;
}
// clang-format on

}  // namespace hvx::demo
