// The literal and the prepared writers of the child lists on every engine:
// the rows and formats they write, what they leave alone, and the message of
// the first statement that fails.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "settlement/AssemblyTrackingObject.h"
#include "settlement/SettlementDeductionList.h"
#include "settlement/SettlementDetailList.h"
#include "settlement/SettlementGradeList.h"
#include "settlement/SettlementPayNameList.h"
#include "settlement/SettlementUnitsList.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::settlement;
using hvxtest::Exec;
using hvxtest::Rows;
using Texts = std::vector<std::string>;

enum class Form { Literal, Prepared };
constexpr Form kForms[] = {Form::Literal, Form::Prepared};
const char* FormName(Form form) { return form == Form::Literal ? "literal" : "prepared"; }

// Writes the list of settlement "S-17" (link 500) in the form asked for.
template <class List>
bool Write(Form form, const List& list, std::string& message) {
    if (form == Form::Literal) {
        HVXSConnection connection(1, nullptr, 0);
        return list.Write(connection, "S-17", "500", message);
    }
    HVXConnection connection(1);
    return list.Write(connection, "S-17", "500", message);
}

class ChildListWriters : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        units.Add("100.0000", "3.2500", "L1");
        units.Add("50.5000", "3.1000", "L1");
        units.Add("25.0000", "2.9000", "L2");
        deductions.Add("ADV", "30.00", "D", "T", "L1", "A-1", "Assembly");
        deductions.Add("CHECKOFF", "1.25", "D", "F", "L2", "A-1", "Assembly");
        grades.Add("MOIST", "14.500", "L1", ui);
        grades.Add("TESTWT", "56.000", "L2", ui);
        payNames.Add("O'Brien Farms", false);
        payNames.Add("First Bank", true);
    }

    // Two earlier rows of settlement 500 (record numbers 1 and 2) and one of
    // settlement 501 (3) in each table; counters start afresh.
    static void Seed() {
        const struct {
            const char* table;
            const char* columns;
            const char* rows;
        } tables[] = {
            {"HVXGR04B", "SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,RECNO",
             "('S-OLD','500','L1','1.0000','1.00','0',1),"
             "('S-OLD','500','L2','2.0000','2.00','0',2),"
             "('S-9','501','L9','9.0000','9.00','0',3)"},
            {"HVXGR04C",
             "SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,NUMCHANGE,RECNO",
             "('S-OLD','500','L1','ADV','1.00','D','A-1','Assembly','0',1),"
             "('S-OLD','500','L2','ADV','2.00','D','A-1','Assembly','0',2),"
             "('S-9','501','L9','STOR','1.00','D','A-9','Assembly','0',3)"},
            {"HVXGR04A", "SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,RECNO",
             "('S-OLD','500','L1','MOIST','1','0',1),('S-OLD','500','L2','MOIST','2','0',2),"
             "('S-9','501','L9','MOIST','13.0','0',3)"},
            {"HVXGR04E", "SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO",
             "('S-OLD','500','Old One','0','0',1),('S-OLD','500','Old Two','1','0',2),"
             "('S-9','501','Old Payee','0','0',3)"},
        };
        Exec("DELETE FROM HVXNEXTNUM");
        for (const auto& t : tables) {
            Exec(std::string("DELETE FROM ") + t.table);
            Exec(std::string("INSERT INTO ") + t.table + " (" + t.columns + ") VALUES " + t.rows);
        }
    }

    hvxtest::ScriptedUi ui;
    SettlementUnitsList units;
    SettlementDeductionList deductions;
    SettlementGradeList grades;
    SettlementPayNameList payNames;
};
HVX_DATABASE_TEST_SUITE(ChildListWriters);

TEST_P(ChildListWriters, BothWritersReplaceTheSettlementsRowsInListOrder) {
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        Seed();
        std::string message;
        ASSERT_TRUE(Write(form, units, message)) << message;
        ASSERT_TRUE(Write(form, deductions, message)) << message;
        ASSERT_TRUE(Write(form, grades, message)) << message;
        ASSERT_TRUE(Write(form, payNames, message)) << message;
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,RECNO FROM "
                       "HVXGR04B ORDER BY RECNO"),
                  (Texts{"S-9\t501\tL9\t9.0000\t9.00\t0\t3",
                         "S-17\t500\tL1\t100.0000\t3.2500\t0\t4",
                         "S-17\t500\tL1\t50.5000\t3.1000\t0\t5",
                         "S-17\t500\tL2\t25.0000\t2.9000\t0\t6"}));
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,"
                       "NUMCHANGE,RECNO FROM HVXGR04C ORDER BY RECNO"),
                  (Texts{"S-9\t501\tL9\tSTOR\t1.00\tD\tA-9\tAssembly\t0\t3",
                         "S-17\t500\tL1\tADV\t30.00\tD\tA-1\tAssembly\t0\t4",
                         "S-17\t500\tL2\tCHECKOFF\t1.25\tD\tA-1\tAssembly\t0\t5"}));
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,RECNO FROM "
                       "HVXGR04A ORDER BY RECNO"),
                  (Texts{"S-9\t501\tL9\tMOIST\t13.0\t0\t3", "S-17\t500\tL1\tMOIST\t14.500\t0\t4",
                         "S-17\t500\tL2\tTESTWT\t56.000\t0\t5"}));
        EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO FROM HVXGR04E "
                       "ORDER BY RECNO"),
                  (Texts{"S-9\t501\tOld Payee\t0\t0\t3", "S-17\t500\tO'Brien Farms\t0\t0\t4",
                         "S-17\t500\tFirst Bank\t1\t0\t5"}));
    }
}

TEST_P(ChildListWriters, AListWithoutDataWritesNothingButOneEmptiedByLinkDeletes) {
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        Seed();
        std::string message;
        const SettlementUnitsList never;
        const SettlementPayNameList none;
        ASSERT_TRUE(Write(form, never, message));
        ASSERT_TRUE(Write(form, none, message));
        EXPECT_EQ(Rows("SELECT PAYNAME FROM HVXGR04E WHERE SETLINK='500' ORDER BY RECNO"),
                  (Texts{"Old One", "Old Two"}));
        EXPECT_EQ(Rows("SELECT DLLINK FROM HVXGR04B WHERE SETLINK='500' ORDER BY RECNO"),
                  (Texts{"L1", "L2"}));

        SettlementUnitsList emptied = units;
        emptied.RemoveLink("L1");
        emptied.RemoveLink("L2");
        ASSERT_TRUE(Write(form, emptied, message)) << message;
        EXPECT_EQ(Rows("SELECT DLLINK FROM HVXGR04B ORDER BY RECNO"), (Texts{"L9"}));
    }
}

TEST_P(ChildListWriters, TheFirstFailingStatementStopsTheWriterWithItsListsMessage) {
    using WriteFn = std::function<bool(Form, std::string&)>;
    const struct {
        const char* list;
        WriteFn write;
        const char* deleteFailure;
        const char* saveFailure;
    } lists[] = {
        {"units", [&](Form f, std::string& m) { return Write(f, units, m); },
         "Unable to delete units/price list detail item.",
         "Unable to save units/price list detail item."},
        {"deductions", [&](Form f, std::string& m) { return Write(f, deductions, m); },
         "Unable to delete deduction list detail item.",
         "Unable to save deduction list detail item."},
        {"grades", [&](Form f, std::string& m) { return Write(f, grades, m); },
         "Unable to delete from grade factor list detail.",
         "Unable to save grade factor list detail item."},
        {"pay names", [&](Form f, std::string& m) { return Write(f, payNames, m); },
         "Unable to delete from payname list detail.", "Unable to save payname list detail item."},
    };
    Seed();
    std::string error;
    for (const auto& l : lists) {
        for (Form form : kForms) {
            SCOPED_TRACE(std::string(l.list) + ", " + FormName(form));
            // Every attempt runs in a transaction that is rolled back, so each
            // starts from the same rows and counters.
            std::string message;
            ASSERT_TRUE(hvx::Session::Begin(error)) << error;
            const long start = hvx::Session::StatementsRun();
            ASSERT_TRUE(l.write(form, message)) << message;
            const long statements = hvx::Session::StatementsRun() - start;
            ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
            // The literal delete is one statement; the prepared one reads the
            // two record numbers first, then deletes each.
            const long deletes = form == Form::Literal ? 1 : 3;
            for (long n = 1; n <= statements; ++n) {
                ASSERT_TRUE(hvx::Session::Begin(error)) << error;
                const long before = hvx::Session::StatementsRun();
                hvx::Session::FailStatementForTesting(n);
                message.clear();
                EXPECT_FALSE(l.write(form, message)) << "statement " << n;
                EXPECT_EQ(message, n <= deletes ? l.deleteFailure : l.saveFailure)
                    << "statement " << n;
                EXPECT_EQ(hvx::Session::StatementsRun() - before, n) << "ran on after a failure";
                hvx::Session::FailStatementForTesting(0);
                ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
            }
        }
    }
}

class AssemblyLinks : public hvxtest::DatabaseTest {
protected:
    static SettlementDetailItem Line(const char* kind, const char* ref, const char* link) {
        SettlementDetailItem line;
        line.source = kind;
        line.sourceRef = ref;
        line.sourceLink = link;
        return line;
    }
    static void SeedLinks() {
        Exec("DELETE FROM HVXGR04H");
        Exec("INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('44','A-100','300',1),"
             "('44','A-300','300',2),('45','A-999','300',3),('70','A-OLD','500',4)");
    }
};
HVX_DATABASE_TEST_SUITE(AssemblyLinks);

TEST_P(AssemblyLinks, BuiltFromTheLinesAndWrittenUnderTheirDestination) {
    Exec("INSERT INTO HVXGR03A (STDLINEID,ASSEMBLY,RECNO) VALUES ('T1','A-200',1)");
    Exec("INSERT INTO HVXGR04F (DLLINK,RECNO) VALUES ('900',44)");
    SeedLinks();
    SettlementDetailList lines;
    lines.AddLine(Line("Assembly", "A-100", "L1"));
    lines.AddLine(Line("Scale Ticket", "T-5", "T1"));
    lines.AddLine(Line("Storage Ticket", "C-7", "900"));  // inherits the contract's assemblies
    lines.AddLine(Line("Assembly", "A-200", "L2"));
    lines.AddLine(Line("Direct In", "", ""));
    lines.AddLine(Line("Scale Ticket", "T-6", "T-missing"));
    AssemblyTrackingObject assemblies;
    std::string message;
    HVXSConnection reader(1, nullptr, 0);
    ASSERT_TRUE(assemblies.Build(lines, reader, message)) << message;
    EXPECT_EQ(assemblies.Assemblies(), (Texts{"A-100", "A-200", "A-300"}));

    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        SeedLinks();
        HVXSConnection literal(1, nullptr, 0);
        HVXConnection prepared(1);
        const bool ok = form == Form::Literal
                            ? assemblies.DeleteLinks(literal, "500", message) &&
                                  assemblies.WriteLinks(literal, "77", "500", message)
                            : assemblies.DeleteLinks(prepared, "500", message) &&
                                  assemblies.WriteLinks(prepared, "77", "500", message);
        ASSERT_TRUE(ok) << message;
        EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H ORDER BY RECNO"),
                  (Texts{"44\tA-100\t300", "44\tA-300\t300", "45\tA-999\t300", "77\tA-100\t500",
                         "77\tA-200\t500", "77\tA-300\t500"}));
    }
}

TEST_P(AssemblyLinks, FailuresNameTheTable) {
    SeedLinks();
    AssemblyTrackingObject assemblies;
    assemblies.Add("A-1");
    HVXSConnection literal(1, nullptr, 0);
    HVXConnection prepared(1);
    std::string del[2], ins[2];
    const auto failing = [](auto run) {
        hvx::Session::FailStatementForTesting(1);
        EXPECT_FALSE(run());
        hvx::Session::FailStatementForTesting(0);
    };
    failing([&] { return assemblies.DeleteLinks(literal, "500", del[0]); });
    failing([&] { return assemblies.DeleteLinks(prepared, "500", del[1]); });
    failing([&] { return assemblies.WriteLinks(literal, "77", "500", ins[0]); });
    failing([&] { return assemblies.WriteLinks(prepared, "77", "500", ins[1]); });
    for (int form = 0; form < 2; ++form) {
        EXPECT_EQ(del[form], "Error deleting from HVXGR04H.");
        EXPECT_EQ(ins[form], "Error writing information to HVXGR04H.");
    }
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM HVXGR04H"), (Texts{"4"}));
}

}  // namespace
