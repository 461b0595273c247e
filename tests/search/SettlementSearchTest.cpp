// The settlement search: the statement the database gets, the comparison of
// a field with the text, and runs over stored lines on each engine.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/Format.h"
#include "search/SearchMatch.h"
#include "search/SearchResultsCsv.h"
#include "search/SearchStatement.h"
#include "search/SettlementSearchRun.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::search;

const std::string kBase(kSearchSelect);

TEST(SearchStatement, ConditionsComeInOrderWithWhereBeforeTheFirst) {
    struct Case {
        const char* name;
        void (*set)(SettlementSearchObject&);
        std::string tail;
    };
    const Case cases[] = {
        {"defaults", [](SettlementSearchObject&) {}, " WHERE POSTED<>'T'"},
        {"by destination, customer, posted included",
         [](SettlementSearchObject& c) {
             c.SettlementType = kByDestination;
             c.RestrictByCustomer = true;
             c.CustRef = "1000";
             c.SearchInPosted = true;
         },
         " WHERE STYPE='1' AND CUSTREF='1000'"},
        {"only an end date",
         [](SettlementSearchObject& c) {
             c.RestrictByDate = true;
             c.EndDate = "03/31/2024";
             c.SearchInPosted = true;
         },
         " WHERE SETDTE<={2024-03-31}"},
        {"by source, both dates",
         [](SettlementSearchObject& c) {
             c.SettlementType = kBySource;
             c.RestrictByDate = true;
             c.StartDate = "1/5/2024";
             c.EndDate = "02/29/2024";
         },
         " WHERE STYPE='0' AND SETDTE>={2024-01-05} AND SETDTE<={2024-02-29} AND POSTED<>'T'"},
        {"a quote in the reference stays inside the value",
         [](SettlementSearchObject& c) {
             c.RestrictByCustomer = true;
             c.CustRef = "1000' OR '1'='1";
         },
         " WHERE CUSTREF='1000'' OR ''1''=''1' AND POSTED<>'T'"},
        {"an empty reference still restricts",
         [](SettlementSearchObject& c) { c.RestrictByCustomer = true; },
         " WHERE CUSTREF='' AND POSTED<>'T'"},
        {"a range over the entry date is left to the module",
         [](SettlementSearchObject& c) {
             c.RestrictByDate = true;
             c.UseSettlementDate = false;
             c.StartDate = "01/01/2024";
         },
         " WHERE POSTED<>'T'"},
    };
    for (const Case& c : cases) {
        SettlementSearchObject criteria;
        c.set(criteria);
        EXPECT_EQ(SearchStatement(criteria), kBase + c.tail) << c.name;
    }
}

TEST(SearchMatch, PrefixAnywhereExactAndCase) {
    struct Case {
        bool exact, anywhere, caseSensitive;
        std::string text, value;
        bool match;
    };
    const Case cases[] = {
        {false, false, false, "12", "1234", true},   {false, false, false, "12", "3123", false},
        {false, true, false, "12", "1234", true},    {false, true, false, "12", "3123", true},
        {true, false, false, "12", "1234", false},   {true, false, false, "12", "3123", false},
        {true, false, false, "12", "12", true},      {false, false, false, "", "", true},
        {false, false, false, "", "ANY", true},      {true, false, false, "", "ANY", false},
        {true, false, false, "", "", true},          {false, true, false, "", "", true},
        {false, false, false, "nguy", "NGUYEN", true}, {false, false, true, "nguy", "NGUYEN", false},
        {true, false, false, "nguyen", "NGUYEN", true}, {false, true, true, "UYE", "NGUYEN", true},
        {false, false, false, "1234", "12", false},
    };
    for (const Case& c : cases) {
        SettlementSearchObject criteria;
        criteria.ExactMatchOnly = c.exact;
        criteria.MatchAnywhere = c.anywhere;
        criteria.SearchCaseSensitive = c.caseSensitive;
        EXPECT_EQ(FieldMatches(c.value, c.text, criteria), c.match)
            << "'" << c.text << "' in '" << c.value << "' exact " << c.exact << " anywhere "
            << c.anywhere << " case " << c.caseSensitive;
    }
}

TEST(SearchResults, CutsAtWholeCharactersSortsStablyAndWritesCsv) {
    SearchResults results;
    const std::string longName = std::string(47, 'a') + "\xC3\xA9" + "b";
    FetchedLine line{};
    line[kColSettlement] = "10";
    line[kColCustName] = longName;
    line[kColSource] = "Assembly";
    line[kColSourceRef] = "26010";
    line[kColToDpr] = "Priced";
    line[kColSType] = "0";
    line[kColStatus] = "O";
    line[kColUnits] = "100.0000";
    line[kColSetDate] = "03/07/2024";
    results.Append(line, kCellCustName);
    line[kColSettlement] = "9";
    line[kColCustName] = "Smith, \"Red\"";
    line[kColSetDate] = "12/31/2023";
    results.Append(line, kNoCell, "1,250.00", "10248");
    line[kColSettlement] = "10";
    line[kColCustName] = "B";
    results.Append(line, kCellSettlement);

    EXPECT_EQ(results.Cell(0, kCellCustName), std::string(47, 'a'));
    EXPECT_EQ(results.Cell(1, kCellCheckNum) + "|" + results.Cell(0, kCellCheckNum), "10248|");
    results.SortBy(kCellSettlement, true);  // 9 before 10 as numbers; the two 10s keep their order
    EXPECT_EQ(results.Cell(0, kCellSettlement) + results.Cell(1, kCellCustName).substr(0, 1) +
                  results.Cell(2, kCellCustName),
              "9aB");
    results.SortBy(kCellDate, false);
    EXPECT_EQ(results.Cell(0, kCellDate) + results.Cell(1, kCellSettlement), "03/07/20249");
    EXPECT_EQ(results.Highlighted(0), kCellCustName);

    std::ostringstream csv;
    WriteResultsCsv(results, csv);
    const std::string text = csv.str();
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "Sett #,Cust Ref.,Cust Name,Date,Source,Source Ref,To DPR,Contract,Commodity,Rev,"
              "Posted,Status,Units,Check Amount,Check #,Settlement Type,Link,Reversed");
    EXPECT_NE(text.find("\r\n9,,\"Smith, \"\"Red\"\"\",12/31/2023,Assembly,26010,Priced,,,F,,O,"
                        "100.0000,\"1,250.00\",10248,Settled By Source,,\r\n"),
              std::string::npos);
}

// Runs over stored lines. Each line: settlement, customer, source and its
// reference, destination and its contract, status, reversed, posted.
class SettlementSearchRun : public hvxtest::DatabaseTest, public SearchProgress {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec(
            "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,STYPE,CHECKNUM,CHECKAMT,"
            "POSTED,REVERSED,RECNO) VALUES "
            "('1201','1000','ANDERSON FARMS','2024-03-01','2024-03-01','0','10248','1250.00','F','F',1),"
            "('1202','1202','NGUYEN','2024-04-10','2024-03-02','1','20100','80.00','F','F',2),"
            "('1203','O''1','O''BRIEN','2024-03-03','2024-03-03','0','','','F','F',3)");
        const char* lines[][9] = {
            {"1201", "1000", "ANDERSON FARMS", "Assembly", "26010", "Storage Ticket", "ST-1", "O", "F"},
            {"1201", "1000", "ANDERSON FARMS", "Assembly", "26011", "Priced", "", "O", "F"},
            {"1202", "1202", "NGUYEN", "Storage Ticket", "ST-1", "Priced", "", "O", "F"},
            {"1202", "1202", "NGUYEN", "Priced Later", "PL-7", "Priced", "", "C", "F"},
            {"1203", "O'1", "O'BRIEN", "Scale Ticket", "120", "Storage Ticket", "ST-9", "O", "T"},
        };
        int recno = 0;
        for (const auto& l : lines) {
            ++recno;
            hvxtest::Exec(_HVXsprintf(
                "INSERT INTO HVXGR04D (SETTLEMENT,CUSTREF,CUSTNAME,SOURCE,SOURCEREF,TODPR,CONTRACT,"
                "STATUS,REVERSED,SETDTE,STYPE,POSTED,UNITSSET,COMMODITY,RECNO) VALUES ('%s','%s','%s',"
                "'%s','%s','%s','%s','%s','%s','2024-03-0%d','%s','F','10.0000','CORN',%d)",
                l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7], l[8], recno,
                std::string(l[0]) == "1202" ? "1" : "0", recno));
        }
        criteria_.SearchInClosed = criteria_.SearchInReversed = true;
    }
    void LineRead() override {
        ++read_;
        if (read_ == cancelAt_) criteria_.Cancelled = true;
    }
    void Scanned(long) override {}
    void Matched(long) override {}

    // "link:highlighted cell" of every row, in the order listed.
    std::string Run() {
        results_.Clear();
        run_ = RunSettlementSearch(criteria_, results_, *this, [] { return 40; });
        std::string out;
        for (std::size_t row = 0; row < results_.Size(); ++row)
            out += (row ? " " : "") + results_.Cell(row, kCellLink) + ":" +
                   std::to_string(results_.Highlighted(row));
        return out;
    }
    void Locate(int location) { criteria_.Locations[location] = true, criteria_.SearchAll = false; }

    SettlementSearchObject criteria_;
    SearchResults results_;
    SearchRunResult run_;
    long read_ = 0, cancelAt_ = 0;
};

TEST_P(SettlementSearchRun, TheFirstLocationThatMatchesDecidesTheHighlightedCell) {
    criteria_.SearchString = "1201";
    Locate(0);  // settlement number
    Locate(2);  // customer reference
    EXPECT_EQ(Run(), "1:1 2:1");

    criteria_.SearchString = "";
    criteria_.Locations = {};
    Locate(6);  // storage ticket destination, no text: the category alone
    EXPECT_EQ(Run(), "1:7 5:7");
    criteria_.SearchString = "st-9";
    EXPECT_EQ(Run(), "5:8");

    criteria_.Locations = {};
    criteria_.SearchString = "st-";
    Locate(5);  // storage ticket source: only line 3 has that source
    EXPECT_EQ(Run(), "3:6");
}

TEST_P(SettlementSearchRun, TheCheckShowsOnlyWhenTheCheckNumberMatched) {
    criteria_.SearchString = "AND";
    Locate(1);  // customer name, tried before the check
    Locate(3);
    Run();
    ASSERT_EQ(results_.Size(), 2u);
    EXPECT_EQ(results_.Cell(0, kCellCheckNum) + "|" + results_.Cell(0, kCellCheckAmt), "|");

    criteria_.SearchString = "2010";
    Run();
    ASSERT_EQ(results_.Size(), 2u);
    EXPECT_EQ(results_.Cell(1, kCellCheckNum) + "|" + results_.Cell(1, kCellCheckAmt) + "|" +
                  std::to_string(results_.Highlighted(1)),
              "20100|80.00|15");
}

TEST_P(SettlementSearchRun, FiltersTheDatabaseLeavesToTheModule) {
    struct Case {
        const char* name;
        void (*set)(SettlementSearchObject&);
        std::string links;
    };
    const Case cases[] = {
        {"everything", [](SettlementSearchObject&) {}, "1 2 3 4 5"},
        {"no reversed", [](SettlementSearchObject& c) { c.SearchInReversed = false; }, "1 2 3 4"},
        {"no closed", [](SettlementSearchObject& c) { c.SearchInClosed = false; }, "1 2 3 5"},
        {"entry date from April",
         [](SettlementSearchObject& c) {
             c.RestrictByDate = true;
             c.UseSettlementDate = false;
             c.StartDate = "04/01/2024";
         },
         "3 4"},
        {"settlement date to the 2nd",
         [](SettlementSearchObject& c) {
             c.RestrictByDate = true;
             c.EndDate = "03/02/2024";
         },
         "1 2"},
        {"customer with a quote", [](SettlementSearchObject& c) {
             c.RestrictByCustomer = true;
             c.CustRef = "O'1";
         }, "5"},
        {"a reference that tries to widen the statement", [](SettlementSearchObject& c) {
             c.RestrictByCustomer = true;
             c.CustRef = "1000' OR '1'='1";
         }, ""},
        {"by destination", [](SettlementSearchObject& c) { c.SettlementType = kByDestination; }, "3 4"},
    };
    for (const Case& c : cases) {
        SettlementSearchObject saved = criteria_;
        c.set(criteria_);
        Run();
        std::vector<std::string> links;
        for (std::size_t row = 0; row < results_.Size(); ++row)
            links.push_back(results_.Cell(row, kCellLink));
        std::sort(links.begin(), links.end());
        std::string joined;
        for (const auto& link : links) joined += (joined.empty() ? "" : " ") + link;
        EXPECT_TRUE(run_.ok) << c.name << ": " << run_.error;
        EXPECT_EQ(joined, c.links) << c.name;
        criteria_ = saved;
    }
}

TEST_P(SettlementSearchRun, CancelStopsAtTheNextLineAndABadDateStopsBeforeAny) {
    cancelAt_ = 2;
    Run();
    EXPECT_TRUE(run_.cancelled);
    EXPECT_EQ(run_.scanned, 2);
    EXPECT_EQ(results_.Size(), 2u);

    criteria_.RestrictByDate = true;
    criteria_.StartDate = "02/30/2024";
    cancelAt_ = 0;
    read_ = 0;
    Run();
    EXPECT_FALSE(run_.ok);
    EXPECT_EQ(run_.error, "The start date of the range, \"02/30/2024\", is not a date.");
    EXPECT_EQ(read_, 0);
}

HVX_DATABASE_TEST_SUITE(SettlementSearchRun);

}  // namespace
