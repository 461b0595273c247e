#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/Dates.h"

namespace hvx {
void PrintTo(const CivilDate& d, std::ostream* os) {
    *os << FormatIso(d);
}
}  // namespace hvx

namespace {

using hvx::CivilDate;
using Texts = std::pair<const char*, const char*>;

// Fixes today's date for one test and gives the clock back afterwards.
class FixedToday : public ::testing::Test {
protected:
    void SetUp() override { hvx::SetTodayForTesting({2024, 3, 7}); }
    void TearDown() override { hvx::SetTodayForTesting({0, 0, 0}); }
};

TEST(ParseDate, AcceptsOnlyTheStoredFormsOfRealDates) {
    // clang-format off
    const Texts cases[] = {  // text, the date read or "" when refused
        {"3/7/2024", "2024-03-07"}, {"2024-03-07", "2024-03-07"}, {"02/29/2024", "2024-02-29"},
        {"02/29/2000", "2000-02-29"}, {"1900-02-28", "1900-02-28"}, {"02/29/2023", ""},
        {"02/29/1900", ""}, {"04/31/2024", ""}, {"13/01/2024", ""}, {"00/10/2024", ""},
        {"2024-3-7", ""}, {"3/7/24", ""}, {"3-7-2024", ""}, {" 3/7/2024", ""}, {"03/07/2024x", ""}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        CivilDate d{1, 1, 1};
        EXPECT_EQ(hvx::ParseDate(text, d), *expected != '\0') << text;
        EXPECT_EQ(hvx::FormatIso(d), *expected ? expected : "0001-01-01") << text;
    }
    EXPECT_GE(hvx::Today().year, 2024) << "with no date fixed, the clock's";
}

TEST(NormaliseTypedDate, StripsTrailingZeroPairsByTheRule) {
    // clang-format off
    const Texts cases[] = {
        {"03072000", "03072000"}, {"01011000", "01011000"}, {"03/07/2000", "03/07/20"},
        {"03072100", "030721"}, {"120100", "1201"}, {"00", ""}, {"0", "0"}, {"  0300  ", "03"},
        {"12345678", "12345678"}};
    // clang-format on
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(hvx::NormaliseTypedDate(typed), expected) << '[' << typed << ']';
}

// Typed dates complete to MM/DD/YYYY, their SQL form is YYYY-MM-DD or empty.
TEST_F(FixedToday, MakeDateAndSqlFormCompleteTypedDates) {
    // clang-format off
    const Texts cases[] = {
        {"3/7", "03/07/2024"}, {"12-25", "12/25/2024"}, {"3.7.49", "03/07/2049"},
        {"3/7/50", "03/07/1950"}, {"3/7/2", "03/07/2002"}, {"03/07/1969", "03/07/1969"},
        {"0307", "03/07/2024"}, {"123199", "12/31/1999"}, {"03072024", "03/07/2024"},
        {"2024-03-07", "03/07/2024"}, {" 3/7/24 ", "03/07/2024"}, {"2/29", "02/29/2024"},
        {"2/29/23", ""}, {"13/1/24", ""}, {"0/7/24", ""}, {"3/32", ""}, {"3/7/202", ""}, {"307", ""},
        {"3/7/24/1", ""}, {"3//24", ""}, {"a/b", ""}, {"123/4", ""}, {"2024-13-01", ""},
        {" 12/31/1999 ", "12/31/1999"}, {"02/30/2024", ""}};
    // clang-format on
    for (const auto& [typed, expected] : cases) {
        EXPECT_EQ(MakeDate(typed), expected) << '[' << typed << ']';
        const std::string mdy = expected;
        std::string sql = typed;
        SQLFmtDate(sql);
        EXPECT_EQ(sql, mdy.empty()
                           ? ""
                           : mdy.substr(6) + "-" + mdy.substr(0, 2) + "-" + mdy.substr(3, 2));
    }
    char today[6];
    CurrentDate(today, sizeof today);
    EXPECT_STREQ(today, "03/07") << "today, cut to the buffer";
}

}  // namespace
