#pragma once
// Advances seeded, a scripted selection dialog, and the repaid amounts checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/Rounding.h"
#include "windows/advances/AdvanceSelectionController.h"
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

inline void Seed(const std::vector<SeedAdvance>& advances) {
    for (const SeedAdvance& a : advances)
        Exec(_HVXsprintf("INSERT INTO HVXGR57 (CUSTREF,CUSTNAME,ADVDATE,SOURCE,SOURCEREF,"
                         "SETTLEMENT,AMOUNT,RAMOUNT,CHECKNUM,OPENPAID,SETTLELINK,SETITEM,ADVLINK,"
                         "NUMCHANGE,RECNO) VALUES ('%s','Name %s','%s','%s','%s','','%s','%s','',"
                         "'%s','%s','%s','A%d','0',%d)",
                         a.custRef, a.custRef, a.date, a.source, a.sourceRef, a.amount, a.repaid,
                         a.status, a.settleLink, a.setItem, a.recno, a.recno));
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

// The dialog's own messages (OK refused) go to a port of its own.
struct ScriptedSelection final : hvx::AdvanceSelectionDialogPort {
    ScriptedSelection() : hvx::AdvanceSelectionDialogPort(dialogUi) {}
    hvxtest::ScriptedUi dialogUi;
    std::function<bool(hvx::AdvanceSelectionController&)> script;  // none: Cancel
    int runs = 0;
    bool Run(hvx::AdvanceSelectionController& dialog) override {
        ++runs;
        return script && script(dialog);
    }
};

}  // namespace hvxtest
