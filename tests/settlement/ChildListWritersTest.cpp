// The literal and the prepared writers of the child lists and of the
// assembly links on every engine: the rows and formats they write, what they
// leave alone, and the message of the first statement that fails.
#include <functional>

#include "platform/Format.h"
#include "platform/Session.h"
#include "settlement/AssemblyTrackingObject.h"
#include "settlement/SettlementDeductionList.h"
#include "settlement/SettlementDetailList.h"
#include "settlement/SettlementGradeList.h"
#include "settlement/SettlementPayNameList.h"
#include "settlement/SettlementUnitsList.h"
#include "support/ScriptedUi.h"
#include "SourceAllocationTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using WriteFn = std::function<bool(Form, std::string&)>;

// Writes the list as settlement "S-17" (link 500) in the form asked for.
template <class List>
WriteFn Writer(const List& list) {
    return [&list](Form form, std::string& message) {
        return InForm(form, [&](auto& cn) { return list.Write(cn, "S-17", "500", message); });
    };
}

class ChildListWriters : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
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

    // An earlier row of settlement 500 (record number 1) and one of settlement
    // 501 (2) in each table; counters start afresh.
    static void Seed() {
        const struct {
            const char *table, *columns, *rows[2];
        } tables[] = {
            {"HVXGR04B", "DLLINK,UNITS,PRICE", {"'L1','1.0000','1.00'", "'L9','9.0000','9.00'"}},
            {"HVXGR04C", "DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE",
             {"'L1','ADV','1.00','D','A-1','Assembly'", "'L9','STOR','1.00','D','A-9','Assembly'"}},
            {"HVXGR04A", "DLLINK,GRADFACT,RESULT", {"'L1','MOIST','1'", "'L9','MOIST','13.0'"}},
            {"HVXGR04E", "PAYNAME,PNTYPE", {"'Old One','0'", "'Old Payee','0'"}},
        };
        Exec("DELETE FROM HVXNEXTNUM");
        for (const auto& t : tables) {
            Exec(std::string("DELETE FROM ") + t.table);
            for (int i = 0; i < 2; ++i)
                Exec(_HVXsprintf("INSERT INTO %s (SETTLEMENT,SETLINK,%s,NUMCHANGE,RECNO) VALUES "
                                 "('S-%i','%i',%s,'0',%i)",
                                 t.table, t.columns, 9 + i, 500 + i, t.rows[i], i + 1));
        }
    }

    struct List {
        const char* name;
        WriteFn write, writeNone;
        const char* select;
        Texts rows;  // the rows of the table after the write, in record order
        const char *deleteFailure, *saveFailure;
    };
    std::vector<List> Lists() const {
        return {
            {"units", Writer(units), Writer(noUnits),
             "SELECT SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,RECNO FROM HVXGR04B",
             {"S-10\t501\tL9\t9.0000\t9.00\t0\t2", "S-17\t500\tL1\t100.0000\t3.2500\t0\t3",
              "S-17\t500\tL1\t50.5000\t3.1000\t0\t4", "S-17\t500\tL2\t25.0000\t2.9000\t0\t5"},
             "Unable to delete units/price list detail item.",
             "Unable to save units/price list detail item."},
            {"deductions", Writer(deductions), Writer(noDeductions),
             "SELECT SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,NUMCHANGE,RECNO "
             "FROM HVXGR04C",
             {"S-10\t501\tL9\tSTOR\t1.00\tD\tA-9\tAssembly\t0\t2",
              "S-17\t500\tL1\tADV\t30.00\tD\tA-1\tAssembly\t0\t3",
              "S-17\t500\tL2\tCHECKOFF\t1.25\tD\tA-1\tAssembly\t0\t4"},
             "Unable to delete deduction list detail item.",
             "Unable to save deduction list detail item."},
            {"grades", Writer(grades), Writer(noGrades),
             "SELECT SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,RECNO FROM HVXGR04A",
             {"S-10\t501\tL9\tMOIST\t13.0\t0\t2", "S-17\t500\tL1\tMOIST\t14.500\t0\t3",
              "S-17\t500\tL2\tTESTWT\t56.000\t0\t4"},
             "Unable to delete from grade factor list detail.",
             "Unable to save grade factor list detail item."},
            {"pay names", Writer(payNames), Writer(noPayNames),
             "SELECT SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO FROM HVXGR04E",
             {"S-10\t501\tOld Payee\t0\t0\t2", "S-17\t500\tO'Brien Farms\t0\t0\t3",
              "S-17\t500\tFirst Bank\t1\t0\t4"},
             "Unable to delete from payname list detail.",
             "Unable to save payname list detail item."},
        };
    }
    static Texts Stored(const List& list) {
        return Rows(std::string(list.select) + " ORDER BY RECNO");
    }

    ScriptedUi ui;
    SettlementUnitsList units, noUnits;
    SettlementDeductionList deductions, noDeductions;
    SettlementGradeList grades, noGrades;
    SettlementPayNameList payNames, noPayNames;
};
HVX_DATABASE_TEST_SUITE(ChildListWriters);

// Each writer replaces the settlement's rows by the list's, in list order; a
// list that never had data writes nothing, one that had and lost it deletes.
// The first failing statement stops the writer with its list's message.
TEST_P(ChildListWriters, EachWriterReplacesTheSettlementsRowsOrStopsAtTheFirstFailure) {
    std::string error;
    for (const List& list : Lists())
        for (Form form : kForms) {
            SCOPED_TRACE(std::string(list.name) + ", " + FormName(form));
            Seed();
            const Texts seeded = Stored(list);
            std::string message;
            ASSERT_TRUE(list.writeNone(form, message)) << message;
            EXPECT_EQ(Stored(list), seeded);
            // Every attempt runs in a transaction that is rolled back, so each
            // starts from the same rows and counters.
            ASSERT_TRUE(hvx::Session::Begin(error)) << error;
            const long start = hvx::Session::StatementsRun();
            ASSERT_TRUE(list.write(form, message)) << message;
            const long statements = hvx::Session::StatementsRun() - start;
            EXPECT_EQ(Stored(list), list.rows);
            ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
            // The literal delete is one statement; the prepared one reads the
            // record number first, then deletes it.
            const long deletes = form == Form::Literal ? 1 : 2;
            for (long n = 1; n <= statements; ++n) {
                ASSERT_TRUE(hvx::Session::Begin(error)) << error;
                const long before = hvx::Session::StatementsRun();
                hvx::Session::FailStatementForTesting(n);
                message.clear();
                EXPECT_FALSE(list.write(form, message)) << "statement " << n;
                EXPECT_EQ(message, n <= deletes ? list.deleteFailure : list.saveFailure)
                    << "statement " << n;
                EXPECT_EQ(hvx::Session::StatementsRun() - before, n) << "ran on after a failure";
                hvx::Session::FailStatementForTesting(0);
                ASSERT_TRUE(hvx::Session::Rollback(error)) << error;
            }
        }
    for (Form form : kForms) {
        Seed();
        SettlementUnitsList emptied = units;
        emptied.RemoveLink("L1");
        emptied.RemoveLink("L2");
        std::string message;
        ASSERT_TRUE(Writer(emptied)(form, message)) << message;
        EXPECT_EQ(Rows("SELECT DLLINK FROM HVXGR04B"), (Texts{"L9"})) << FormName(form);
    }
}

class AssemblyLinks : public DatabaseTest {
protected:
    static void SeedLinks() {
        Exec("DELETE FROM HVXGR04H");
        Exec("INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('44','A-100','300',1),"
             "('44','A-300','300',2),('45','A-999','300',3),('70','A-OLD','500',4)");
    }
};
HVX_DATABASE_TEST_SUITE(AssemblyLinks);

TEST_P(AssemblyLinks, BuiltFromTheLinesAndWrittenUnderTheirDestinationOrNameTheTable) {
    Exec("INSERT INTO HVXGR03A (STDLINEID,ASSEMBLY,RECNO) VALUES ('T1','A-200',1)");
    Exec("INSERT INTO HVXGR04F (DLLINK,RECNO) VALUES ('900',44)");
    SeedLinks();
    SettlementDetailList lines;
    for (const auto& [kind, ref, link] : {
             std::tuple{"Assembly", "A-100", "L1"}, {"Scale Ticket", "T-5", "T1"},
             {"Storage Ticket", "C-7", "900"},  // inherits the contract's assemblies
             {"Assembly", "A-200", "L2"}, {"Direct In", "", ""}, {"Scale Ticket", "T-6", "T-0"}}) {
        SettlementDetailItem line;
        line.source = kind, line.sourceRef = ref, line.sourceLink = link;
        lines.AddLine(line);
    }
    AssemblyTrackingObject assemblies;
    std::string message;
    HVXSConnection reader(1, nullptr, 0);
    ASSERT_TRUE(assemblies.Build(lines, reader, message)) << message;
    EXPECT_EQ(assemblies.Assemblies(), (Texts{"A-100", "A-200", "A-300"}));

    for (Form form : kForms) {
        SeedLinks();
        ASSERT_TRUE(InForm(form, [&](auto& cn) {
            return assemblies.DeleteLinks(cn, "500", message) &&
                   assemblies.WriteLinks(cn, "77", "500", message);
        })) << message;
        const Texts written{"44\tA-100\t300", "44\tA-300\t300", "45\tA-999\t300",
                            "77\tA-100\t500", "77\tA-200\t500", "77\tA-300\t500"};
        EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H ORDER BY RECNO"), written)
            << FormName(form);
        // A failing statement names the table.
        std::string del, ins;
        hvx::Session::FailStatementForTesting(1);
        EXPECT_FALSE(InForm(form, [&](auto& cn) { return assemblies.DeleteLinks(cn, "9", del); }));
        hvx::Session::FailStatementForTesting(1);
        EXPECT_FALSE(
            InForm(form, [&](auto& cn) { return assemblies.WriteLinks(cn, "9", "9", ins); }));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(del, "Error deleting from HVXGR04H.") << FormName(form);
        EXPECT_EQ(ins, "Error writing information to HVXGR04H.") << FormName(form);
        EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H ORDER BY RECNO"), written);
    }
}

}  // namespace
