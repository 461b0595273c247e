// Reference lookups: a found row, an invalid reference, quotes in names and
// references, price formats and the pick lists.
#include <gtest/gtest.h>

#include <string>

#include "data/ReferenceLookups.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::data;
using hvxtest::Exec;

class ReferenceLookups : public hvxtest::DatabaseTest {
protected:
    // Rows written the way the suite's other modules and our admin tool write
    // them: literal SQL through the framework's formatter.
    static void Insert(const std::string& sql) {
        HVXSConnection c;
        ASSERT_EQ(c.ExecSQLChange(sql), 1) << sql << "\n" << c.LastError();
    }
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Insert(_HVXsprintf("INSERT INTO HVXAR50 (REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,"
                           "ZIPCODE,COUNTRY,RECNO) "
                           "VALUES ('%s','%s','%s','','%s','%s','%s','%s',%.0f)",
                           "OB'1", "O'Brien Farms", "12 Mill Rd", "Ames", "IA", "50010", "USA",
                           3.0));
        Insert(_HVXsprintf("INSERT INTO HVXAP50 (REFERENCE,NAME,RECNO) VALUES ('%s','%s',%.0f)",
                           "ELEV", "Elevator Bank", 7.0));
        Insert(_HVXsprintf("INSERT INTO HVXGR51 (REFERENCE,NAME,DECIMALS,RECNO) VALUES "
                           "('%s','%s','%s',%.0f)",
                           "CORN", "Yellow Corn", "4", 11.0));
        Insert(_HVXsprintf("INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('%s','%s',%.0f)",
                           "OATS", "", 12.0));
        Insert(_HVXsprintf("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('%s','%s',%.0f)",
                           "MAIN", "Main Street", 21.0));
    }
};
HVX_DATABASE_TEST_SUITE(ReferenceLookups);

TEST_P(ReferenceLookups, NamesAreFoundOrTheReferenceIsInvalid) {
    struct Case {
        const char* what;
        ReferenceName (*lookup)(std::string_view);
        const char* reference;
        bool found;
        const char* recno;
        const char* name;
    };
    const Case cases[] = {
        {"vendor", LookupVendor, "ELEV", true, "7", "Elevator Bank"},
        {"vendor by another case", LookupVendor, "elev", false, "", ""},
        {"vendor with blanks", LookupVendor, "ELEV ", false, "", ""},
        {"commodity", LookupCommodity, "CORN", true, "11", "Yellow Corn"},
        // A stored commodity with no name is valid: found, with an empty name.
        {"commodity without a name", LookupCommodity, "OATS", true, "12", ""},
        {"unknown commodity", LookupCommodity, "WHEAT", false, "", ""},
        {"location", LookupLocation, "MAIN", true, "21", "Main Street"},
        {"location of a vendor", LookupLocation, "ELEV", false, "", ""},
        {"empty reference", LookupLocation, "", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReferenceName result = c.lookup(c.reference);
        EXPECT_EQ(result.found, c.found);
        EXPECT_EQ(result.recno, c.recno);
        EXPECT_EQ(result.name, c.name);
        EXPECT_EQ(result.error, "");
    }
}

TEST_P(ReferenceLookups, CustomerWithQuotesInNameAndReference) {
    const CustomerAddress found = LookupCustomer("OB'1");
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.name, "O'Brien Farms");
    EXPECT_EQ(found.address1 + "|" + found.address2 + "|" + found.city + "|" + found.state + "|" +
                  found.zipcode + "|" + found.country,
              "12 Mill Rd||Ames|IA|50010|USA");

    const CustomerAddress missing = LookupCustomer("OB");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.name, "");
    EXPECT_EQ(missing.error, "");
}

TEST_P(ReferenceLookups, AFailedStatementIsNotFoundWithItsReason) {
    Exec("DROP TABLE HVXAP50");
    const ReferenceName result = LookupVendor("ELEV");
    EXPECT_FALSE(result.found);
    EXPECT_NE(result.error, "");
}

TEST_P(ReferenceLookups, CommodityPriceFormat) {
    EXPECT_EQ(LookupCommodityDecimals("CORN").decimals, "4");
    EXPECT_EQ(CommodityPriceFormat("CORN"), "%.4f");
    EXPECT_EQ(CommodityPriceFormat("OATS"), "%.2f") << "no decimals stored";
    EXPECT_EQ(CommodityPriceFormat("WHEAT"), "%.2f") << "commodity not found";
    EXPECT_FALSE(LookupCommodityDecimals("WHEAT").found);
}

// The pick lists run on either engine and end with the row's RECNO as a
// whole-number text, which the list hands back as the chosen row.
TEST_P(ReferenceLookups, PickListsListTheRowsWithTheirRecordNumbers) {
    struct Case {
        PickListDefinition list;
        const char* firstRow;
    };
    const Case cases[] = {
        {kVendorPickList, "ELEV|Elevator Bank|7"},
        {kCommodityPickList, "CORN|Yellow Corn|11"},
        {kLocationPickList, "MAIN|Main Street|21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list.select);
        HVXSConnection s;
        ASSERT_TRUE(s.ExecSQL(std::string(c.list.select) + " ORDER BY 3")) << s.LastError();
        ASSERT_TRUE(s.FetchNext());
        EXPECT_EQ(s.Column(1) + "|" + s.Column(2) + "|" + s.Column(3), c.firstRow);
    }
    EXPECT_STREQ(kVendorPickList.columns, "REFERENCE,Reference,18,-1,NAME,Name,40,0");
    EXPECT_STREQ(kCommodityPickList.columns, "REFERENCE,Reference,20,-1,NAME,Name,30,0");
    EXPECT_STREQ(kLocationPickList.columns, "LOCREF,Reference,18,-1,LOCDESC,Description,40,0");
}

TEST(PriceFormat, BuiltFromTheDecimalsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"4", "%.4f"},  {"0", "%.0f"},     {" 3 ", "%.3f"}, {"4.0000", "%.4f"}, {"9", "%.9f"},
        {"", "%.2f"},   {"abc", "%.2f"},   {"2x", "%.2f"},  {"-1", "%.2f"},    {"10", "%.2f"},
        {"2.5", "%.2f"}, {"nan", "%.2f"},
    };
    for (const auto& [decimals, format] : cases)
        EXPECT_EQ(PriceFormat(decimals), format) << decimals;
}

}  // namespace
