// import and export: the demo cooperative's round trip, the list of faults
// of a bad file with nothing written, re-import and changed rows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/exchange/ExchangeKind.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"
#include "tools/AdminRun.h"

namespace {

namespace fs = std::filesystem;
using hvxtest::Admin;
using hvxtest::Rows;
using Result = hvxtest::AdminResult;

// The rows of an example file: its lines but the heading.
std::string RowCount(const std::string& text) {
    return std::to_string(std::count(text.begin(), text.end(), '\n') - 1);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExchangeCommands : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        dir_ = fs::temp_directory_path() / ("imports-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        DatabaseTest::TearDown();
    }
    // Runs a command on the test's database with the session closed.
    Result Run(std::vector<std::string> args) { return hvxtest::AdminOn(connection_, std::move(args)); }
    Result Import(const std::string& kind, const std::string& text) {
        const fs::path file = dir_ / (kind + ".csv");
        std::ofstream(file, std::ios::binary) << text;
        return Run({"import", kind, file.string()});
    }
    // Every table the import kinds write, with record numbers and links.
    std::vector<std::string> Tables() {
        std::vector<std::string> tables = {"HVXGR54B", "HVXGR02"};
        for (const hvx::exchange::ExchangeKind& kind : hvx::exchange::ExchangeKinds())
            tables.push_back(kind.table);
        std::vector<std::string> all;
        for (const std::string& table : tables)
            for (const std::string& row : Rows("SELECT * FROM " + table + " ORDER BY RECNO"))
                all.push_back(table + "\t" + row);
        return all;
    }
    // The tables with the counters.
    std::vector<std::string> Dump() {
        std::vector<std::string> all = Rows("SELECT * FROM HVXNEXTNUM ORDER BY TABLENAME, COLNAME");
        for (std::string& row : Tables()) all.push_back(std::move(row));
        return all;
    }
    fs::path dir_;
};
HVX_DATABASE_TEST_SUITE(ExchangeCommands);

std::string Example(const std::string& kind) {
    return (fs::path(HARVEXA_SOURCE_DIR) / "docs/import" / (kind + ".csv")).string();
}

TEST_P(ExchangeCommands, DemoCooperativeRoundTripsThroughTheExampleFiles) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    for (const hvx::exchange::ExchangeKind& k : hvx::exchange::ExchangeKinds())
        EXPECT_EQ(Run({"export", k.name}).out, ReadAll(Example(k.name))) << k.name;
    const std::vector<std::string> seeded = Tables();
    ASSERT_EQ(Run({"init", "--force"}).code, 0);
    // The second import of the same files changes nothing.
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<std::string> before = Dump();
        for (const hvx::exchange::ExchangeKind& k : hvx::exchange::ExchangeKinds()) {
            const std::string kind = k.name, file = Example(kind), rows = RowCount(ReadAll(file));
            const Result r = Run({"import", kind, file});
            EXPECT_EQ(r.out, "Imported " + kind + " from " + file + ": " + (pass ? "0" : rows) +
                                 " added, 0 changed, " + (pass ? rows : "0") + " unchanged.\n")
                << r.err;
            EXPECT_EQ(Run({"export", kind}).out, ReadAll(file)) << kind;
        }
        EXPECT_TRUE(pass == 0 || Dump() == before) << "a second import changed rows";
    }
    // Links, record numbers and flags drawn as the seeded rows' were.
    EXPECT_EQ(Tables(), seeded);
    // Numbered from the counters: the next customer the module enters is 10.
    EXPECT_EQ(Rows("SELECT MIN(RECNO), MAX(RECNO) FROM HVXAR50"), std::vector<std::string>{"1\t9"});
    EXPECT_EQ(Rows("SELECT NEXTVAL FROM HVXNEXTNUM WHERE TABLENAME = 'HVXAR50'"),
              std::vector<std::string>{"10"});
}

TEST_P(ExchangeCommands, EveryFaultIsListedWithLineAndColumnAndNothingIsWritten) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    const std::string customers =
        "REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY,SSTAXIDNUM,SALESMAN,"
        "TAXEXEMPT,TAXCODE,REGION,BILLTOREF\r\n";
    const std::string liens = "CUSTREF,LIENHOLD,COMMODITY,EXPDATE\n";
    const std::string schedules =
        "COMMODITY,GRADFACT,SCHEDULE,STEPSIZE,DOPERCENT,TYPE,VALUE,DISCOUNT,ADDITION\n";
    const std::string tickets =
        "SCALETICK,ASSEMBLY,CONTRACT,CUSTREF,DPRSTATUS,UNITS,UNITSSET,PRICE\n";
    // clang-format off
    const struct { std::string kind, text; std::vector<std::string> errors; } cases[] = {
        {"customers", customers + "NEW1,New One,,,,,,,,,T,,,\r\nNEW2,Caf\xE9,,,,,,,,,T,,,\r\n",
         {"line 3, column 9: the file is not UTF-8 text"}},
        {"commodities", "REFERENCE,NAME,DECIMALS,LBSUNIT,UOM,TAXCODE,STOREDAY,SERVEDAY,STOREDAY2\n"
                        "OATS,Oats,3,32,BU,,0.001,0.001,0.001\n",
         {"line 1, column SERVDAY2: is missing"}},
        {"locations", "LOCREF,LOCDESC,MANAGER,LOCREF\n04,Annex,Pat,04\n",
         {"line 1, column MANAGER: is not a column of locations",
          "line 1, column LOCREF: is named twice"}},
        {"commodities", "REFERENCE,NAME,DECIMALS,LBSUNIT,UOM,TAXCODE,STOREDAY,SERVEDAY,STOREDAY2,"
                        "SERVDAY2\nOATS,Oats,three,32,BU,,0.001,0.001,0.001,1/2\n"
                        "CORN,Corn,4,56,BU,,,,,\n",
         {"line 2, column DECIMALS: takes a whole number, not \"three\"",
          "line 2, column SERVDAY2: takes a number, not \"1/2\""}},
        {"liens", liens + "OBRIEN,Bank,CORN,02/30/2027\nSMITH,Bank,OATS,12/31/2027\n"
                          "OBRIEN,Bank,CORN,12/31/2027\nOBRIEN,\"Bank\",CORN,\n",
         {"line 2, column EXPDATE: takes a date (MM/DD/YYYY), not \"02/30/2027\"",
          "line 3, column CUSTREF: \"SMITH\" is not among the customers (HVXAR50); import the "
          "customers first",
          "line 3, column COMMODITY: \"OATS\" is not among the commodities (HVXGR51); import the "
          "commodities first",
          "line 5, column CUSTREF: repeats the row of line 4"}},
        {"deductions", "REFERENCE,DESCRIPT,TYPE,RATEUNIT,GRDOLLAR,ADVCODE,GRAINTAX,MAKEENTRY,"
                       "ARACCT1,ARACCT2,ARACCT3\nHAUL,Hauling,D,0.05,,0,0,0,,,\nX,Y,D\n",
         {"line 3: has 3 fields, the heading 11"}},
        {"vendors", "REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIP\nV1,\"Open,,,,,\n",
         {"line 2: the file is not CSV: a quoted field that is never closed"}},
        {"locations", "\xEF\xBB\xBFLOCREF,LOC\xE9" "DESC\n",
         {"line 1, column 11: the file is not UTF-8 text"}},
        {"locations", "LOCREF,LOCDESC,\n05,Annex,\n",
         {"line 1, column 3: the heading names no column here; remove the empty column"}},
        {"discount-schedules", schedules + "CORN,FM,NEW,1.0,F,1,2.0,0.00,0.02\n"
                                           "CORN,FM,NEW,0.5,T,1,5.0,0.06,0.03\n",
         {"line 3, column STEPSIZE: differs from line 2 of the same schedule",
          "line 3, column DOPERCENT: differs from line 2 of the same schedule"}},
        {"scale-tickets", tickets + "990001,26001,,OBRIEN,Storage Ticket,10,0,4.28\n"
                                    "990002,26001,,NOBODY,Storage Ticket,10,0,4.28\n",
         {"line 2, column ASSEMBLY: assembly \"26001\" has no split of customer \"OBRIEN\" "
          "(HVXGR02S); import the assembly-splits first",
          "line 3, column CUSTREF: \"NOBODY\" is not among the customers (HVXAR50); import the "
          "customers first"}},
    };
    // clang-format on
    const std::vector<std::string> before = Dump();
    for (const auto& c : cases) {
        const Result r = Import(c.kind, c.text);
        std::string expected = "harvexa-admin import: " + (dir_ / (c.kind + ".csv")).string() +
                               " has " + std::to_string(c.errors.size()) +
                               (c.errors.size() == 1 ? " error" : " errors") +
                               "; nothing was imported:\n";
        for (const std::string& e : c.errors) expected += "  " + e + "\n";
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, expected);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Dump(), before) << c.kind;
    }
    const Result wrongKind = Run({"import", "widgets", "x.csv"});
    EXPECT_EQ(wrongKind.code, 2);
    EXPECT_EQ(wrongKind.err,
              "harvexa-admin: import: unknown kind \"widgets\"; the kinds are locations, "
              "customers, vendors, grade-factors, commodities, commodity-factors, "
              "discount-schedules, deductions, liens, purchase-contracts, contract-schedules, "
              "sales-contracts, assembly-splits, scale-tickets, ticket-tests, advances. See "
              "\"harvexa-admin --help\".\n");
}

TEST_P(ExchangeCommands, AChangedRowUpdatesOnlyThatRowAndANewRowTakesTheNextNumber) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    std::string file = Run({"export", "locations"}).out;
    const std::vector<std::string> before = Rows("SELECT * FROM HVXINV16 ORDER BY RECNO");
    file.replace(file.find("Carlow North Annex"), 18, "\"Carlow \"\"North\"\", Annex\"");
    file += "04,\"River\nDock\"\r\n";
    const Result r = Import("locations", file);
    EXPECT_EQ(r.out, "Imported locations from " + (dir_ / "locations.csv").string() +
                         ": 1 added, 1 changed, 2 unchanged.\n")
        << r.err;
    EXPECT_EQ(Rows("SELECT * FROM HVXINV16 ORDER BY RECNO"),
              (std::vector<std::string>{before[0], before[1], "03\tCarlow \"North\", Annex\t3",
                                        "04\tRiver\nDock\t4"}));
    EXPECT_EQ(Run({"export", "locations"}).out, file);
}

TEST_P(ExchangeCommands, ChangedStepsReplaceTheScheduleStepsInTheFileOrder) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    const std::string link =
        "(SELECT TABLINK FROM HVXGR54 WHERE GRADFACT = 'MOISTURE' AND "
        "SCHEDULE = 'HIMOIST')";
    const std::vector<std::string> before = Rows("SELECT TABLINK FROM HVXGR54 ORDER BY RECNO");
    std::string file = Run({"export", "discount-schedules"}).out;
    const std::string first = "CORN,MOISTURE,HIMOIST,0.5,F,1,16.0,0.00,0.015\r\n";
    file.erase(file.find(first), first.size());
    file.insert(file.find("\r\n", file.find("CORN,MOISTURE,HIMOIST,0.5,F,1,20.0")) + 2, first);
    const Result r = Import("discount-schedules", file);
    EXPECT_EQ(r.out, "Imported discount-schedules from " +
                         (dir_ / "discount-schedules.csv").string() +
                         ": 0 added, 2 changed, 22 unchanged.\n")
        << r.err;
    EXPECT_EQ(Rows("SELECT TABLINK FROM HVXGR54 ORDER BY RECNO"), before);
    EXPECT_EQ(Rows("SELECT VALUE FROM HVXGR54B WHERE TABLINK = " + link + " ORDER BY RECNO"),
              (std::vector<std::string>{"20.0", "16.0"}));
    EXPECT_EQ(Run({"export", "discount-schedules"}).out, file);
}

TEST_P(ExchangeCommands, FlagsAndAssemblyRowsAreWorkedOutAsTheModuleSetsThem) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    const std::string splits =
        "ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,"
        "SETTUNITS,PSETUNITS\n";
    const struct {
        std::string kind, text, query;
        std::vector<std::string> rows;
    } cases[] = {
        // Posted in full: the split and its assembly are settled.
        {"assembly-splits",
         splits + "26001,PC-26-001,CORN,01,Storage Ticket,ANDERSON,2450,2450,2450\n",
         "SELECT S.SETTLED, A.SETTLED FROM HVXGR02S S, HVXGR02 A WHERE A.ASSEMBLY = S.ASSEMBLY "
         "AND S.ASSEMBLY = '26001'",
         {"T\tT"}},
        // A share of 0 is never settled; the new assembly gets its row.
        {"assembly-splits",
         splits + "26099,,CORN,01,Storage Ticket,ANDERSON,0,0,0\n",
         "SELECT S.SETTLED, A.SETTLED, A.RECNO FROM HVXGR02S S, HVXGR02 A WHERE A.ASSEMBLY = "
         "S.ASSEMBLY AND S.ASSEMBLY = '26099'",
         {"F\tF\t11"}},
        {"scale-tickets",
         "SCALETICK,ASSEMBLY,CONTRACT,CUSTREF,DPRSTATUS,UNITS,UNITSSET,PRICE\n"
         "260101,26001,PC-26-001,ANDERSON,Storage Ticket,940.52,940.52,4.28\n"
         "260102,26001,PC-26-001,ANDERSON,Storage Ticket,912.34,912.3,4.28\n",
         "SELECT SETTLED, UNITSSET FROM HVXGR03A WHERE ASSEMBLY = '26001' ORDER BY RECNO",
         {"D\t940.5200", "F\t912.3000", "F\t0.0000"}},
        {"advances",
         "CUSTREF,ADVDATE,SOURCE,SOURCEREF,AMOUNT,RAMOUNT,CHECKNUM\n"
         "OBRIEN,2026-04-01,Priced Later,,750,0,10260\n"
         "ANDERSON,02/13/2026,Storage Ticket,ST-1001,2000.00,2000,10236\n",
         "SELECT CUSTNAME, OPENPAID, ADVLINK, RECNO, NUMCHANGE FROM HVXGR57 WHERE CHECKNUM IN "
         "('10236', '10260') ORDER BY RECNO",
         {"Anderson Family Farms\tP\t2\t2\t0", "Patrick O'Brien\tO\t5\t5\t0"}},
    };
    for (const auto& c : cases) {
        const Result r = Import(c.kind, c.text);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(Rows(c.query), c.rows) << c.text;
    }
}

TEST_P(ExchangeCommands, NewRowsTakeNumbersPastOnesTakenBehindTheCounter) {
    ASSERT_EQ(Run({"seed-demo"}).code, 0);
    hvxtest::Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('09','Scale house',5)");
    const Result r = Import("locations", "LOCREF,LOCDESC\n04,Annex\n05,Dock\n");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Rows("SELECT LOCREF, RECNO FROM HVXINV16 WHERE RECNO > 3 ORDER BY RECNO"),
              (std::vector<std::string>{"09\t5", "04\t6", "05\t7"}));
    EXPECT_EQ(Rows("SELECT NEXTVAL FROM HVXNEXTNUM WHERE TABLENAME = 'HVXINV16'"),
              std::vector<std::string>{"8"});
}

TEST_P(ExchangeCommands, LargeFilesShowProgressOnStandardError) {
    std::string file = "LOCREF,LOCDESC\n";
    for (int i = 1; i <= 2500; ++i)
        file += "L" + std::to_string(i) + ",Bin " + std::to_string(i) + "\n";
    const Result r = Import("locations", file);
    EXPECT_EQ(r.err,
              "\rimport: 1000 of 2500 rows\rimport: 2000 of 2500 rows"
              "\rimport: 2500 of 2500 rows\n");
    EXPECT_EQ(Rows("SELECT COUNT(*), MAX(RECNO) FROM HVXINV16"),
              std::vector<std::string>{"2500\t2500"});
}

}  // namespace
