#pragma once
// Advance tests on every engine: a customer's open advances, a scripted
// selection dialog, and the check that an advance's repaid amount is the sum
// of its repayment rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Dates.h"
#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "settlement/AdvanceSelectionController.h"
#include "settlement/GrainAdvanceObject.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace hvxtest {

using Texts = std::vector<std::string>;

struct SeedAdvance {
    int recno;
    const char *custRef, *date, *source, *sourceRef, *amount, *repaid, *status;
    const char *settleLink = "", *setItem = "";
};

// C1 owes on two advances of assembly A100, a ticket and a storage ticket; C2 on one.
inline const std::vector<SeedAdvance> kCustomerAdvances = {
    {1, "C1", "2024-03-01", "Assembly", "A100", "100.00", "0.00", "O"},
    {2, "C1", "2024-04-01", "Assembly", "A100", "100.00", "20.00", "O"},
    {3, "C1", "2024-02-01", "Scale Ticket", "T7", "60.00", "0.00", "O"},
    {4, "C1", "2024-01-15", "Assembly", "A100", "50.00", "50.00", "P"},
    {5, "C2", "2024-01-01", "Assembly", "A100", "500.00", "0.00", "O"},
    {6, "C1", "2024-05-01", "Storage Ticket", "S1", "30.00", "10.00", "O"},
};
inline const std::map<std::string, double> kSeededRepaid = {{"A2", 20}, {"A4", 50}, {"A6", 10}};

inline void Seed(const std::vector<SeedAdvance>& advances) {
    for (const SeedAdvance& a : advances)
        Exec(std::string("INSERT INTO HVXGR57 (CUSTREF,CUSTNAME,ADVDATE,SOURCE,SOURCEREF,"
                         "SETTLEMENT,AMOUNT,RAMOUNT,CHECKNUM,OPENPAID,SETTLELINK,SETITEM,ADVLINK,"
                         "NUMCHANGE,RECNO) VALUES ('") +
             a.custRef + "','Name " + a.custRef + "','" + a.date + "','" + a.source + "','" +
             a.sourceRef + "','','" + a.amount + "','" + a.repaid + "','','" + a.status + "','" +
             a.settleLink + "','" + a.setItem + "','A" + std::to_string(a.recno) + "','0'," +
             std::to_string(a.recno) + ")");
}

inline Texts AdvanceState() { return Rows("SELECT RECNO,RAMOUNT,OPENPAID FROM HVXGR57 ORDER BY RECNO"); }
inline Texts Repayments() {
    return Rows("SELECT ADVLINK,AMOUNT,SOURCELINK,PAIDLINK,CHECKNUM FROM HVXGR57A ORDER BY RECNO");
}

// RAMOUNT = what was seeded repaid + the repayment rows; "P" exactly when nothing is open.
inline void ExpectRepaidIsSumOfRows(std::map<std::string, double> sums) {
    for (const std::string& row : Rows("SELECT ADVLINK,AMOUNT FROM HVXGR57A"))
        sums[row.substr(0, row.find('\t'))] += std::atof(row.c_str() + row.find('\t') + 1);
    for (const std::string& row : Rows("SELECT ADVLINK,AMOUNT,RAMOUNT,OPENPAID FROM HVXGR57")) {
        char link[32] = {}, status[4] = {};
        double amount = 0, repaid = 0;
        std::sscanf(row.c_str(), "%31[^\t]\t%lf\t%lf\t%3s", link, &amount, &repaid, status);
        EXPECT_EQ(HVXRound(repaid, 2), HVXRound(sums[link], 2)) << row;
        EXPECT_STREQ(status, HVXRound(repaid, 2) < HVXRound(amount, 2) ? "O" : "P") << row;
    }
}

struct ScriptedSelection final : hvx::settlement::AdvanceSelectionPort {
    std::function<bool(hvx::settlement::AdvanceSelectionController&)> script;  // none: Cancel
    int runs = 0;
    bool Run(hvx::settlement::AdvanceSelectionController& dialog) override {
        ++runs;
        return script && script(dialog);
    }
};

class AdvanceTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 5, 20});
        Seed(kCustomerAdvances);
    }
    void TearDown() override {
        hvx::SetTodayForTesting({0, 0, 0});
        DatabaseTest::TearDown();
    }
    ScriptedUi ui;
    ScriptedSelection selection;
    hvx::settlement::GrainAdvanceObject advances{ui, selection};
    HVXConnection connection{1};
    std::string message;
};

}  // namespace hvxtest
