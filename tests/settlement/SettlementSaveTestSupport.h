#pragma once
// Save tests on every engine: a customer's assembly with its split and tickets, an open advance, a
// window over a new two-line settlement, and a fake host that grants locks and records each
// request; source records as the tables hold them; both connection forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "data/Schema.h"
#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSave.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/GrainAdvanceTestSupport.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace hvxtest {

// One row; the values are quoted, RECNO is the next number.
inline void Insert(const std::string& table, const std::string& columns, const Texts& values) {
    static int recno = 0;
    std::string sql = "INSERT INTO " + table + " (" + columns + ",RECNO) VALUES (";
    for (const std::string& v : values) sql += "'" + v + "',";
    Exec(sql + std::to_string(++recno) + ")");
}
inline void SeedSplit(const std::string& assembly, const std::string& lineId,
                      const std::string& share, const std::string& settled = "0.0000") {
    Insert("HVXGR02S", "ASSEMBLY,LINEID,SHAREUNITS,SETTUNITS,SETTLED,PSETUNITS",
           {assembly, lineId, share, settled, "F", "0.0000"});
}
inline void SeedTicket(const std::string& scaleTick, const std::string& splitLink,
                       const std::string& stdLineId, const std::string& units,
                       const std::string& unitsSet = "0.0000", const std::string& flag = "F") {
    Insert("HVXGR03A", "SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,UNITS,UNITSSET,SETTLED",
           {scaleTick, "A-1", splitLink, stdLineId, units, unitsSet, flag});
}
inline void SeedContract(const std::string& dlLink, const std::string& category,
                         const std::string& open) {
    Insert("HVXGR04F", "DLLINK,TODPR,UNITSSET,OUNITS,STATUS,ISDOLUSED",
           {dlLink, category, open, open, "O", "0.00"});
}

// The fields of a row as Rows gives it, or of a text split at `by`.
inline Texts Fields(const std::string& row, char by = '\t') {
    Texts fields;
    std::stringstream in(row);
    for (std::string f; std::getline(in, f, by);) fields.push_back(f);
    return fields;
}
// Rows as one text: "|" between rows, " " between fields.
inline std::string Joined(const Texts& rows) {
    std::string all;
    for (const std::string& row : rows) all += (all.empty() ? "" : "|") + row;
    std::ranges::replace(all, '\t', ' ');
    return all;
}

inline std::string SplitsAndTickets() {
    return Joined(Rows("SELECT LINEID,SETTUNITS,SETTLED FROM HVXGR02S ORDER BY LINEID")) + "|" +
           Joined(Rows("SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A ORDER BY SCALETICK"));
}

// Literal SQL on the simple connection, or prepared statements.
enum class Form { Literal, Prepared };
inline constexpr Form kForms[] = {Form::Literal, Form::Prepared};
inline const char* FormName(Form form) { return form == Form::Literal ? "literal" : "prepared"; }

template <class Operation>
bool InForm(Form form, Operation operation) {
    if (form == Form::Literal) {
        HVXSConnection connection(1, nullptr, 0);
        return operation(connection);
    }
    HVXConnection connection(1);
    return operation(connection);
}

// Assembly A100 (HVXGR02 record 1) with one split of customer C1 (LINEID 7001, share 500) delivered
// on tickets 1001 (300 units) and 1002 (250), settled by ticket. C1 owes 100.00 on an advance
// against A100, C2 500.00 on another (a re-save checks every open advance); "ADV" repays advances,
// "CHECKOFF" does not. The next settlement is 41.
inline void SeedSources() {
    Exec("INSERT INTO HVXGR40 (CONFIG18,SETTBYTICK,RECNO) VALUES ('41','T',1)");
    Exec("INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES ('A100','F',1)");
    Exec("INSERT INTO HVXGR02S (ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
         "SETTUNITS,PSETUNITS,SETTLED,LINEID,RECNO) VALUES ('A100','','CORN','1','Storage Ticket',"
         "'C1','500.0000','0.0000','0.0000','F','7001',1)");
    Exec("INSERT INTO HVXGR03A (SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,DPRSTATUS,"
         "UNITS,UNITSSET,PRICE,SETTLED,RECNO) VALUES "
         "('1001','A100','7001','8001','','C1','Storage Ticket','300.0000','0.0000','','F',1),"
         "('1002','A100','7001','8002','','C1','Storage Ticket','250.0000','0.0000','','F',2)");
    Exec("INSERT INTO HVXGR52 (REFERENCE,ADVCODE,RECNO) VALUES ('ADV','1',1),('CHECKOFF','0',2)");
    Seed({{1, "C1", "2024-01-10", "Assembly", "A100", "100.00", "0.00", "O"},
          {2, "C2", "2024-02-01", "Assembly", "A200", "500.00", "0.00", "O"}});
}

using Tables = std::vector<std::vector<std::string>>;

using TableNames = std::initializer_list<std::string_view>;

// A snapshot with only the tables named, or without them (counters and locks move on).
inline Tables Filtered(Tables tables, TableNames names, bool keep) {
    std::erase_if(tables, [&](const std::vector<std::string>& t) {
        return (std::ranges::find(names, t.front()) != names.end()) != keep;
    });
    return tables;
}
inline Tables Without(Tables t, TableNames names) { return Filtered(std::move(t), names, false); }
inline Tables Only(Tables t, TableNames names) { return Filtered(std::move(t), names, true); }

// A line of A100 (split 7001).
inline hvx::settlement::SettlementDetailItem AssemblyLine(const char* dlLink, const char* toDpr,
                                                          double units, double price,
                                                          double net) {
    hvx::settlement::SettlementDetailItem l;
    l.source = "Assembly", l.sourceRef = "A100", l.sourceLink = "7001", l.dlLink = dlLink;
    l.commodity = "CORN", l.location = "1", l.fromDpr = "Storage Ticket", l.toDpr = toDpr;
    l.unitsSet = units, l.priceUnit = price, l.totPrice = units * price, l.netAmt = net;
    l.patronage = "T", l.submitted = "F", l.glCode = "21", l.stype = "0";
    const bool open = std::string(toDpr) != "Priced";
    l.status = open ? "O" : "C";
    if (open) l.contract = "ST-88", l.sRateDate = "0.0020", l.ssDate = "03/07/2024";
    return l;
}

class SettlementSaveFixture : public DatabaseTest {
public:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 8});
        // A test may start afresh more than once: nothing of a former run stays.
        set = {}, values = hvx::settlement::SettlementWindowValues{};
        message.clear(), ui.messages.clear(), host.sent.clear(), host.refuseAll = false;
        SeedSources(), NewSettlement();
    }
    void TearDown() override {
        hvx::SetTodayForTesting({0, 0, 0});
        DatabaseTest::TearDown();
    }

    // Customer C1 sells 200 units of A100 at 4.25 (40.00 of it repaying an advance) and stores
    // 150.5 units on storage ticket contract ST-88.
    void NewSettlement() {
        hvx::settlement::SettlementHeader& h = set.header;
        h.custRef = "C1", h.custName = "Casey Farms";
        h.settDate = "03072024", h.entryDate = "03082024";
        set.details.AddLine(AssemblyLine("9101", "Priced", 200, 4.25, 808.75));
        set.details.AddLine(AssemblyLine("9102", "Storage Ticket", 150.5, 0, 0));
        set.units.Add("120.0000", "4.2500", "9101"), set.units.Add("80.0000", "4.2500", "9101");
        set.deductions.Add("ADV", "40.00", "D", "T", "9101", "A100", "Assembly");
        set.deductions.Add("CHECKOFF", "1.25", "D", "F", "9101", "A100", "Assembly");
        set.grades.Add("MOIST", "15.000", "9101", ui);
        set.payNames.Add("O'Brien Farms", false), set.payNames.Add("First Bank", true);
    }

    bool Save() { return hvx::settlement::SaveSettlement(window); }

    // The saved settlement as posting leaves it: posted, its splits' units counted posted.
    void SaveAndPost() {
        ASSERT_TRUE(Save()) << message;
        ui.messages.clear();
        const std::string link = "'" + set.header.setLink + "'";
        for (const char* table : {"HVXGR04", "HVXGR04D"})
            Exec(std::string("UPDATE ") + table + " SET POSTED='T' WHERE SETLINK=" + link);
        Exec("UPDATE HVXGR02S SET PSETUNITS=SETTUNITS");
        set.header.posted = true;
    }

    // Every table of the schema, each as its sorted rows.
    static Tables Snapshot() {
        Tables tables;
        for (const hvx::data::TableDesc& table : hvx::data::AllTables()) {
            std::vector<std::string> rows = Rows(std::string("SELECT * FROM ") + table.name);
            std::ranges::sort(rows);
            rows.insert(rows.begin(), table.name);
            tables.push_back(std::move(rows));
        }
        return tables;
    }

    // The lock requests sent, in order: "<operation> <table>[ <recno>]".
    std::vector<std::string> LockOps() const {
        std::vector<std::string> ops;
        for (const HostMessage& m : host.sent)
            ops.push_back(std::to_string(m.operation) + " " + m.table +
                          (m.operation >= 3 ? _HVXsprintf(" %.0f", m.recno) : ""));
        return ops;
    }

    // Locks granted (operations 1 and 3) and not released (2 and 4).
    std::vector<std::string> Held() const {
        std::vector<std::string> held;
        if (host.refuseAll) return held;
        for (const std::string& op : LockOps()) {
            const auto found = std::ranges::find(held, op.substr(2));
            if (op[0] == '1' || op[0] == '3') held.push_back(op.substr(2));
            else if (found != held.end()) held.erase(found);
        }
        return held;
    }

    struct StatementFailures {
        std::vector<long> unnoticed;  // failed statements the operation went through
        std::string lastFailure;      // the message of the last failed run
        long failedRuns = 0;
    };
    // Fails the operation's first statement, then its second, and so on, until it runs to its end
    // without reaching the failing one. After each failed run the operation has said why (shown),
    // every table is as it was, no lock is held, and restored() holds. An operation that lived with
    // a failure is checked by wentThrough() and set afresh.
    StatementFailures FailEachStatementInTurn(const std::function<void()>& arrange,
                                              const std::function<bool()>& operation,
                                              const std::function<std::string()>& shown,
                                              const std::function<void()>& restored,
                                              const std::function<void()>& wentThrough = {}) {
        StatementFailures result;
        arrange();
        Tables before = Snapshot();
        for (long n = 1; n < 1000; ++n) {
            host.sent.clear();
            const long start = hvx::Session::StatementsRun();
            hvx::Session::FailStatementForTesting(n);
            const bool done = operation();
            hvx::Session::FailStatementForTesting(0);
            if (hvx::Session::StatementsRun() - start < n) {
                EXPECT_TRUE(done) << shown();
                break;
            }
            if (done) {
                result.unnoticed.push_back(n);
                SCOPED_TRACE("went through a failure at statement " + std::to_string(n));
                if (wentThrough) wentThrough();
                TearDown(), SetUp(), arrange(), before = Snapshot();
                continue;
            }
            SCOPED_TRACE("statement " + std::to_string(n) + ": " + shown());
            ++result.failedRuns, result.lastFailure = shown();
            // What could not be done, then the engine's own reason on a line of its own.
            const std::string reason = result.lastFailure.substr(result.lastFailure.find('\n') + 1);
            EXPECT_NE(result.lastFailure.find('\n'), 0u);
            EXPECT_TRUE(reason == "Statement failed (test hook)." ||
                        reason == "Commit failed (test hook).");
            EXPECT_EQ(Snapshot(), before);
            EXPECT_EQ(Held(), std::vector<std::string>{});
            restored();
            if (::testing::Test::HasFailure()) break;
        }
        EXPECT_EQ(Held(), std::vector<std::string>{});
        return result;
    }

    FakeHost host;
    ScriptedUi ui;
    ScriptedSelection selection;
    hvx::settlement::SettlementRecordSet set;
    hvx::settlement::SettlementWindowValues values;
    std::string message;
    hvx::settlement::SettlementSaveWindow window{set, values, ui, &selection, message};
};

}  // namespace hvxtest
