// Reference lookups: a found row, an invalid reference, quotes in names and
// references, and price formats.
#include <gtest/gtest.h>

#include <string>

#include "data/ReferenceLookups.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::data;
using hvxtest::Exec;

class ReferenceLookups : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        hvxtest::DatabaseTest::SetUp();
        Exec(
            "INSERT INTO HVXAR50 "
            "(REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE,COUNTRY,RECNO) "
            "VALUES ('OB''1','O''Brien Farms','12 Mill Rd','','Ames','IA','50010','USA',3)");
        Exec("INSERT INTO HVXAP50 (REFERENCE,NAME,RECNO) VALUES ('ELEV','Elevator Bank',7)");
        Exec(
            "INSERT INTO HVXGR51 (REFERENCE,NAME,DECIMALS,RECNO) VALUES ('CORN','Yellow "
            "Corn','4',11)");
        Exec("INSERT INTO HVXGR51 (REFERENCE,NAME,RECNO) VALUES ('OATS','',12)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('MAIN','Main Street',21)");
    }
};
HVX_DATABASE_TEST_SUITE(ReferenceLookups);

TEST_P(ReferenceLookups, NamesAreFoundOrTheReferenceIsInvalid) {
    // clang-format off
    const struct {
        ReferenceName (*lookup)(std::string_view);
        const char *reference, *recno, *name;  // recno "" when not found
    } cases[] = {
        {LookupVendor, "ELEV", "7", "Elevator Bank"}, {LookupVendor, "elev", "", ""},
        {LookupVendor, "ELEV ", "", ""}, {LookupCommodity, "CORN", "11", "Yellow Corn"},
        {LookupCommodity, "OATS", "12", ""},  // a stored commodity with no name is valid
        {LookupCommodity, "WHEAT", "", ""}, {LookupLocation, "MAIN", "21", "Main Street"},
        {LookupLocation, "ELEV", "", ""}, {LookupLocation, "", "", ""}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        const ReferenceName result = c.lookup(c.reference);
        EXPECT_EQ(result.found, *c.recno != '\0');
        EXPECT_EQ(result.recno, c.recno);
        EXPECT_EQ(result.name, c.name);
        EXPECT_EQ(result.error, "");
    }
    const CustomerAddress found = LookupCustomer("OB'1");
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.name + "|" + found.address1 + "|" + found.address2 + "|" + found.city + "|" +
                  found.state + "|" + found.zipcode + "|" + found.country,
              "O'Brien Farms|12 Mill Rd||Ames|IA|50010|USA");
    const CustomerAddress missing = LookupCustomer("OB");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.name + missing.error, "");

    Exec("DROP TABLE HVXAP50");
    const ReferenceName failed = LookupVendor("ELEV");
    EXPECT_FALSE(failed.found);
    EXPECT_NE(failed.error, "") << "a failed statement is not found, with its reason";
}

TEST_P(ReferenceLookups, PriceFormatFollowsTheCommodityDecimals) {
    EXPECT_EQ(LookupCommodityDecimals("CORN").decimals, "4");
    EXPECT_FALSE(LookupCommodityDecimals("WHEAT").found);
    EXPECT_EQ(CommodityPriceFormat("CORN"), "%.4f");
    EXPECT_EQ(CommodityPriceFormat("OATS"), "%.2f") << "no decimals stored";
    EXPECT_EQ(CommodityPriceFormat("WHEAT"), "%.2f") << "commodity not found";
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"0", "%.0f"}, {" 3 ", "%.3f"}, {"4.0000", "%.4f"}, {"9", "%.9f"}, {"", "%.2f"},
        {"abc", "%.2f"}, {"2x", "%.2f"}, {"-1", "%.2f"}, {"10", "%.2f"}, {"2.5", "%.2f"}, {"nan", "%.2f"}};
    // clang-format on
    for (const auto& [decimals, format] : cases)
        EXPECT_EQ(PriceFormat(decimals), format) << decimals;
}

}  // namespace
