// The settlement's lists in memory (grade factors, advances, pay names, the lines' distinct
// sources) and, on every engine, the literal and the prepared writers of the lists and of the
// assembly links.
#include <gmock/gmock.h>

#include <tuple>

#include "settlement/SettlementSaveTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using WriteFn = std::function<bool(Form, std::string&)>;

// What is kept of a grade factor, result and line link, and the boxes shown first
// ("caption: text"): fifteen characters are cut without a word; characters, not bytes.
TEST(SettlementGradeList, ValuesKeepFourteenCharactersAndLongOnesAreShownFirst) {
    const struct { std::string gradFact, result, link, kept, shown; } cases[] = {
        {"MOISTURE-LEVEL", "12.34567890123", "12345678901234",
         "MOISTURE-LEVEL|12.34567890123|12345678901234", ""},
        {"FOREIGN MATERIAL", "12.345678901234", "L1", "FOREIGN MATERI|12.34567890123|L1",
         "Grade Factor: FOREIGN MATERIAL"},
        {"FOREIGN MATERIAL", "1234567890.1234567", "1234567890123456",
         "FOREIGN MATERI|1234567890.123|12345678901234",
         "Grade Factor: FOREIGN MATERIAL|Result: 1234567890.1234567|Key: 1234567890123456"},
        {"Feuchtigkeit äöüß", "1", "L1", "Feuchtigkeit ä|1|L1",
         "Grade Factor: Feuchtigkeit äöüß"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gradFact + " " + c.result);
        ScriptedUi ui;
        // The box only informs: even a Cancel keeps the cut value in the list.
        ui.answers.assign(3, hvx::MsgAnswer::Cancel);
        SettlementGradeList list;
        list.Add(c.gradFact, c.result, c.link, ui);
        ASSERT_EQ(list.Nodes().size(), 1u);
        const SettlementGradeNode& n = list.Nodes()[0];
        EXPECT_EQ(n.gradFact + "|" + n.result + "|" + n.dlLink, c.kept);
        std::string shown;
        for (const ShownMessage& m : ui.messages) {
            shown += (shown.empty() ? "" : "|") + m.caption + ": " + m.text;
            EXPECT_EQ(m.buttons, hvx::MsgButtons::Ok);
        }
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(SettlementGradeList, AccumulationIsTheUnitsWeightedMean) {
    ScriptedUi ui;
    SettlementGradeList list;
    list.Add("MOIST", "", "L1", ui), list.Add("MOIST", "9.0", "L2", ui);
    // A result over some units, then the mean and the units it is taken over.
    for (const auto& [result, units, mean, over] : {
             std::tuple{"12.0", 100, "12.000", 100}, {"14.0", 300, "13.500", 400},
             {"99", 0, "13.500", 400},  // no units: unchanged
             {"", 50, "13.500", 400},   // no result: unchanged
             {"11.5", 100, "13.100", 500}}) {
        EXPECT_TRUE(list.Accumulate("L1", "MOIST", result, units));
        EXPECT_EQ(list.Find("L1", "MOIST")->result, mean) << result << " x " << units;
        EXPECT_DOUBLE_EQ(list.Find("L1", "MOIST")->units, over);
    }
    EXPECT_EQ(list.Find("L2", "MOIST")->result, "9.0");
    EXPECT_FALSE(list.Accumulate("L1", "TESTWT", "56", 10));
    list.ResetUnits("L1");
    EXPECT_TRUE(list.Accumulate("L1", "MOIST", "10", 50));
    EXPECT_EQ(list.Find("L1", "MOIST")->result, "10.000");
    list.ResetUnits(std::nullopt);
    EXPECT_EQ(list.Find("L1", "MOIST")->units, 0);
}

TEST(SettlementDeductionList, AdvanceTotalsAndHandOff) {
    SettlementDeductionList list;
    list.Add("ADV", "100.00", "A", "T", "L1", "A-1", "Assembly");
    list.Add("ADV", "30.25", "D", "T", "L1", "A-1", "Assembly");
    list.Add("ADV", "5.00", "D", "T", "L2", "A-2", "Assembly");
    list.Add("STOR", "7.00", "D", "F", "L1", "A-1", "Assembly");
    list.Add("ADV", "2.00", "D", "T", "L1", "A-1", "Scale Ticket");
    EXPECT_DOUBLE_EQ(list.AdvanceTotal("Assembly", "A-1"), 69.75);
    EXPECT_DOUBLE_EQ(list.AdvanceTotal("Assembly", "A-2"), -5);
    EXPECT_DOUBLE_EQ(list.AssemblyTotal("A-1"), 139.25);

    std::string handed;
    const auto take = [&](const SettlementDeductionNode& n, double amount) {
        handed += n.dlLink + _HVXsprintf(" %.2f|", amount);
    };
    list.HandAdvances(std::nullopt, take);
    EXPECT_EQ(handed, "L1 100.00|L1 -30.25|L2 -5.00|L1 -2.00|");
    handed.clear(), list.HandAdvances("L2", take);
    EXPECT_EQ(handed, "L2 -5.00|");
}

TEST(SettlementPayNameList, ListRowsNameTheKind) {
    SettlementPayNameList list;
    list.Add("Jane Farmer", false), list.Add("First Bank of O'Neill", true);
    list.Add(std::string(60, 'x'), false);
    EXPECT_EQ(Joined(list.ListRows()), "Jane Farmer Payee|First Bank of O'Neill Mortgagee|" +
                                           std::string(49, 'x') + " Payee");
}

SettlementDetailItem Line(const std::string& dlLink, const std::string& sourceLink, double units,
                          double dollars) {
    SettlementDetailItem line;
    line.source = "Assembly", line.sourceRef = "A-1", line.sourceLink = sourceLink;
    line.dlLink = dlLink, line.unitsSet = units, line.totPrice = dollars, line.toDpr = "Priced";
    return line;
}

TEST(SettlementDetailList, SourcesCountTheirLinesAndOnlyChangesSinceTheLoadMakeDeltas) {
    SettlementDetailList list;
    ScriptedUi ui;
    list.SetLoading(true);
    // Each addend is rounded before it is summed: 10.1235 + 5.0001, 100.01 + 0.13.
    list.AddLine(Line("1", "L1", 10.12345, 100.005));
    list.AddLine(Line("2", "L1", 5.00005, 0.125));
    list.SetLoading(false);
    list.AddLine(Line("9", "L2", 10, 20));  // same assembly, another split
    auto& source = list.UniqueSources().front();
    // Line count, removed, saved and current units and dollars, and the deltas.
    using Step = std::tuple<const char*, std::function<void()>, std::vector<double>>;
    for (const auto& [step, action, expected] : std::initializer_list<Step>{
        {"as loaded", [] {}, {2, 0, 15.1236, 15.1236, 100.14, 100.14, 0, 0}},
        {"a line removed", [&] { list.RemoveLine("2", ui); },
         {1, 0, 15.1236, 10.1235, 100.14, 100.01, -5.0001, -0.13}},
        {"a line added", [&] { list.AddLine(Line("3", "L1", 2.33333, 3.335)); },
         {2, 0, 15.1236, 12.4568, 100.14, 103.35, -2.6668, 3.21}},
        {"every line removed: the source stays, removed, at exactly 0",
         [&] { list.RemoveLine("1", ui), list.RemoveLine("3", ui); },
         {0, 1, 15.1236, 0, 100.14, 0, -15.1236, -100.14}},
        {"taken up again, not listed twice", [&] { list.AddLine(Line("4", "L1", 7.25, 9.99)); },
         {1, 0, 15.1236, 7.25, 100.14, 9.99, -7.8736, -90.15}},
        {"committed: current starts again from 0", [&] { list.CommitSources(); },
         {1, 0, 7.25, 0, 9.99, 0, -7.25, -9.99}},
        {"current rebuilt from the lines", [&] { list.RebuildCurrentValues(); },
         {1, 0, 7.25, 7.25, 9.99, 9.99, 0, 0}}}) {
        SCOPED_TRACE(step);
        action();
        const std::vector<double> values{double(source.count), double(source.removed),
                                         source.SavedUnitsRounded(), source.CurrentUnitsRounded(),
                                         source.savedDollars, source.currentDollars,
                                         source.UnitDelta(), source.DollarDelta()};
        EXPECT_THAT(values, testing::Pointwise(testing::DoubleEq(), expected));
    }
    ASSERT_EQ(list.UniqueSources().size(), 2u);
    EXPECT_EQ(list.UniqueSources().back().Key(), (SourceKey{"Assembly", "A-1", "L2"}));
    EXPECT_DOUBLE_EQ(list.UniqueSources().back().currentUnits, 10);
    EXPECT_TRUE(ui.messages.empty() && list.Changed());
}

TEST(SettlementDetailList, RemovingALineWithoutItsSourceIsReportedAndStillRemoves) {
    SettlementDetailList list;
    ScriptedUi ui;
    list.AddLine(Line("41", "L1", 5, 5)), list.AddLine(Line("42", "L1", 6, 6));
    list.ClearSources(), list.RemoveLine("41", ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption + ": " + ui.messages[0].text,
              "Harvexa: Unique source list has no entry for link 41.");
    EXPECT_EQ(ui.messages[0].icon, hvx::MsgIcon::Exclamation);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Items().front().dlLink, "42");
}

TEST(SettlementDetailList, TotalsRoundEachAddendOnlyWhenAskedTo) {
    SettlementDetailList list;
    list.AddLine(Line("1", "L1", 1.00004, 0.005)), list.AddLine(Line("2", "L1", 1.00004, 0.005));
    EXPECT_DOUBLE_EQ(list.TotalUnits(), 2.00008);
    EXPECT_DOUBLE_EQ(list.TotalDollars(), 0.01);
    EXPECT_DOUBLE_EQ(list.Totals().units, 2.0);
    EXPECT_DOUBLE_EQ(list.Totals().dollars, 0.02);
    EXPECT_EQ(list.FindActiveSource({"Assembly", "A-1", "l1"}), nullptr);  // exact text
}

// Writes the list as settlement "S-17" (link 500) in the form asked for.
template <class List>
WriteFn Writer(const List& list) {
    return [&list](Form form, std::string& message) {
        return InForm(form, [&](auto& cn) { return list.Write(cn, "S-17", "500", message); });
    };
}

// The lists of the fixture's new settlement, and of one that never had any.
class ChildListWriters : public SettlementSaveFixture {
protected:
    struct List {
        const char *table, *columns; WriteFn write, writeNone;
        const char* seeded[2];  // rows of settlements 500 (record 1) and 501 (2)
        const char *rows, *deleteFailure, *saveFailure;  // rows: after the write, by record
    };
    std::vector<List> Lists() const {
        return {
            {"HVXGR04B", "DLLINK,UNITS,PRICE", Writer(set.units), Writer(none.units),
             {"'L1','1.0000','1.00'", "'L9','9.0000','9.00'"},
             "S-10 501 L9 9.0000 9.00 0 2|S-17 500 9101 120.0000 4.2500 0 3|"
             "S-17 500 9101 80.0000 4.2500 0 4",
             "Unable to delete units/price list detail item.",
             "Unable to save units/price list detail item."},
            {"HVXGR04C", "DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE", Writer(set.deductions),
             Writer(none.deductions),
             {"'L1','ADV','1.00','D','A-1','Assembly'", "'L9','STOR','1.00','D','A-9','Assembly'"},
             "S-10 501 L9 STOR 1.00 D A-9 Assembly 0 2|S-17 500 9101 ADV 40.00 D A100 Assembly 0 3|"
             "S-17 500 9101 CHECKOFF 1.25 D A100 Assembly 0 4",
             "Unable to delete deduction list detail item.",
             "Unable to save deduction list detail item."},
            {"HVXGR04A", "DLLINK,GRADFACT,RESULT", Writer(set.grades), Writer(none.grades),
             {"'L1','MOIST','1'", "'L9','MOIST','13.0'"},
             "S-10 501 L9 MOIST 13.0 0 2|S-17 500 9101 MOIST 15.000 0 3",
             "Unable to delete from grade factor list detail.",
             "Unable to save grade factor list detail item."},
            {"HVXGR04E", "PAYNAME,PNTYPE", Writer(set.payNames), Writer(none.payNames),
             {"'Old One','0'", "'Old Payee','0'"},
             "S-10 501 Old Payee 0 0 2|S-17 500 O'Brien Farms 0 0 3|S-17 500 First Bank 1 0 4",
             "Unable to delete from payname list detail.",
             "Unable to save payname list detail item."},
        };
    }
    SettlementRecordSet none;
};
HVX_DATABASE_TEST_SUITE(ChildListWriters);

// Each writer replaces the settlement's rows by the list's, in list order; a list that never had
// data writes nothing. A failing statement stops it with its message.
TEST_P(ChildListWriters, EachWriterReplacesTheSettlementsRowsOrStopsAtTheFirstFailure) {
    std::string error, message;
    const auto begin = [&] { ASSERT_TRUE(hvx::Session::Begin(error)) << error; };
    const auto rollback = [&] { ASSERT_TRUE(hvx::Session::Rollback(error)) << error; };
    for (const List& list : Lists())
        for (Form form : kForms) {
            SCOPED_TRACE(std::string(list.table) + ", " + FormName(form));
            Exec("DELETE FROM HVXNEXTNUM"), Exec(std::string("DELETE FROM ") + list.table);
            for (int i = 0; i < 2; ++i)
                Exec(_HVXsprintf("INSERT INTO %s (SETTLEMENT,SETLINK,%s,NUMCHANGE,RECNO) VALUES "
                                 "('S-%i','%i',%s,'0',%i)",
                                 list.table, list.columns, 9 + i, 500 + i, list.seeded[i], i + 1));
            const std::string select = _HVXsprintf(
                "SELECT SETTLEMENT,SETLINK,%s,NUMCHANGE,RECNO FROM %s ORDER BY RECNO", list.columns,
                list.table);
            const std::string seeded = Joined(Rows(select));
            ASSERT_TRUE(list.writeNone(form, message)) << message;
            EXPECT_EQ(Joined(Rows(select)), seeded);
            // Each attempt is rolled back: each starts from the same rows and counters.
            begin();
            const long start = hvx::Session::StatementsRun();
            ASSERT_TRUE(list.write(form, message)) << message;
            const long statements = hvx::Session::StatementsRun() - start;
            EXPECT_EQ(Joined(Rows(select)), list.rows);
            rollback();
            // The literal delete is one statement; the prepared one reads the numbers first.
            const long deletes = form == Form::Literal ? 1 : 2;
            for (long n = 1; n <= statements; ++n) {
                SCOPED_TRACE("statement " + std::to_string(n));
                begin();
                const long before = hvx::Session::StatementsRun();
                hvx::Session::FailStatementForTesting(n);
                message.clear();
                EXPECT_FALSE(list.write(form, message));
                EXPECT_EQ(message, n <= deletes ? list.deleteFailure : list.saveFailure);
                EXPECT_EQ(hvx::Session::StatementsRun() - before, n) << "ran on after a failure";
                hvx::Session::FailStatementForTesting(0);
                rollback();
            }
        }
}

TEST_P(ChildListWriters, AssemblyLinksAreBuiltFromTheLinesAndWrittenUnderTheirDestination) {
    const char* const kLinks = "SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H ORDER BY RECNO";
    Exec("INSERT INTO HVXGR03A (STDLINEID,ASSEMBLY,RECNO) VALUES ('T1','A-200',9)");
    Exec("INSERT INTO HVXGR04F (DLLINK,RECNO) VALUES ('900',44)");
    Exec("INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('44','A-100','300',1),"
         "('44','A-300','300',2),('45','A-999','300',3),('70','A-OLD','500',4)");
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
    const std::string written =
        "44 A-100 300|44 A-300 300|45 A-999 300|77 A-100 500|77 A-200 500|77 A-300 500";
    for (Form form : kForms) {  // each form replaces the links the one before wrote
        SCOPED_TRACE(FormName(form));
        ASSERT_TRUE(InForm(form, [&](auto& cn) {
            return assemblies.DeleteLinks(cn, "500", message) &&
                   assemblies.WriteLinks(cn, "77", "500", message);
        })) << message;
        EXPECT_EQ(Joined(Rows(kLinks)), written);
        hvx::Session::FailStatementForTesting(1);  // a failed insert names the table
        EXPECT_FALSE(
            InForm(form, [&](auto& cn) { return assemblies.WriteLinks(cn, "9", "9", message); }));
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(message, "Error writing information to HVXGR04H.");
    }
}

}  // namespace
