#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/Dates.h"

namespace hvx {
void PrintTo(const CivilDate& d, std::ostream* os) { *os << FormatIso(d); }
}  // namespace hvx

namespace {

using hvx::CivilDate;

// Fixes today's date for one test and gives the clock back afterwards.
class FixedToday : public ::testing::Test {
protected:
    void SetUp() override { hvx::SetTodayForTesting({2024, 3, 7}); }
    void TearDown() override { hvx::SetTodayForTesting({0, 0, 0}); }
};

TEST(ParseDate, AcceptsOnlyTheStoredFormsOfRealDates) {
    const struct {
        const char* text;
        bool ok;
        CivilDate date;
    } cases[] = {
        {"03/07/2024", true, {2024, 3, 7}},
        {"3/7/2024", true, {2024, 3, 7}},
        {"2024-03-07", true, {2024, 3, 7}},
        {"02/29/2024", true, {2024, 2, 29}},
        {"02/29/2000", true, {2000, 2, 29}},
        {"1900-02-28", true, {1900, 2, 28}},
        {"02/29/2023", false, {}},
        {"02/29/1900", false, {}},
        {"04/31/2024", false, {}},
        {"13/01/2024", false, {}},
        {"00/10/2024", false, {}},
        {"2024-3-7", false, {}},
        {"3/7/24", false, {}},
        {"3-7-2024", false, {}},
        {" 3/7/2024", false, {}},
        {"03/07/2024x", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        CivilDate d{1, 1, 1};
        EXPECT_EQ(hvx::ParseDate(c.text, d), c.ok) << c.text;
        EXPECT_EQ(d, (c.ok ? c.date : CivilDate{1, 1, 1})) << c.text;
    }
}

TEST(DaysFromCivil, CountsFromTheEpochBothWays) {
    const struct {
        CivilDate date;
        long days;
    } cases[] = {
        {{1970, 1, 1}, 0},        {{1970, 1, 2}, 1},      {{1969, 12, 31}, -1},
        {{2000, 3, 1}, 11017},    {{2024, 2, 29}, 19782}, {{1900, 3, 1}, -25508},
        {{1600, 2, 29}, -135081},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hvx::DaysFromCivil(c.date), c.days) << hvx::FormatIso(c.date);
    EXPECT_EQ(hvx::DaysFromCivil({2025, 1, 1}) - hvx::DaysFromCivil({2024, 1, 1}), 366);
    EXPECT_EQ(hvx::DaysFromCivil({1901, 1, 1}) - hvx::DaysFromCivil({1900, 1, 1}), 365);
}

TEST(NormaliseTypedDate, StripsTrailingZeroPairsByTheRule) {
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"03072000", "03072000"},
        {"01011000", "01011000"},
        {"12313000", "12313000"},
        {"03/07/2000", "03/07/20"},
        {"03072100", "030721"},
        {"120100", "1201"},
        {"0100", "01"},
        {"00", ""},
        {"0", "0"},
        {"  3/7/24 ", "3/7/24"},
        {"", ""},
        {"000000", ""},
        {"  0300  ", "03"},
        {"12345678", "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hvx::NormaliseTypedDate(c.typed), c.expected) << '[' << c.typed << ']';
}

TEST_F(FixedToday, MakeDateCompletesTypedDates) {
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"3/7", "03/07/2024"},
        {"12-25", "12/25/2024"},
        {"3/7/24", "03/07/2024"},
        {"3.7.49", "03/07/2049"},
        {"3/7/50", "03/07/1950"},
        {"3/7/99", "03/07/1999"},
        {"3/7/2", "03/07/2002"},
        {"3-7-2024", "03/07/2024"},
        {"03/07/1969", "03/07/1969"},
        {"0307", "03/07/2024"},
        {"030724", "03/07/2024"},
        {"03072024", "03/07/2024"},
        {"123199", "12/31/1999"},
        {"2024-03-07", "03/07/2024"},
        {" 3/7/24 ", "03/07/2024"},
        {"2/29/23", ""},
        {"2/29", "02/29/2024"},
        {"13/1/24", ""},
        {"0/7/24", ""},
        {"3/32", ""},
        {"3/7/202", ""},
        {"307", ""},
        {"03072", ""},
        {"3/7/24/1", ""},
        {"3//24", ""},
        {"a/b", ""},
        {"", ""},
        {"3/", ""},
        {"123/4", ""},
        {"2024-13-01", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(MakeDate(c.typed), c.expected) << '[' << c.typed << ']';
}

TEST_F(FixedToday, SqlDateFormIsIsoOrEmpty) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"03/07/2024", "2024-03-07"},
        {"3/7/2024", "2024-03-07"},
        {"2024-03-07", "2024-03-07"},
        {" 12/31/1999 ", "1999-12-31"},
        {"3/7/24", "2024-03-07"},
        {"0307", "2024-03-07"},
        {"02/30/2024", ""},
        {"tomorrow", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string date = c.text;
        SQLFmtDate(date);
        EXPECT_EQ(date, c.expected) << '[' << c.text << ']';
    }
}

TEST_F(FixedToday, CurrentDateUsesTheFixedDate) {
    EXPECT_EQ(hvx::Today(), (CivilDate{2024, 3, 7}));
    EXPECT_EQ(CurrentDate(), "03/07/2024");
    char buffer[11];
    CurrentDate(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "03/07/2024");
    char shortBuffer[6];
    CurrentDate(shortBuffer, sizeof shortBuffer);
    EXPECT_STREQ(shortBuffer, "03/07");
}

TEST(Today, ZeroDateRestoresTheClock) {
    hvx::SetTodayForTesting({1999, 12, 31});
    hvx::SetTodayForTesting({0, 0, 0});
    const CivilDate today = hvx::Today();
    EXPECT_TRUE(hvx::IsValidDate(today));
    EXPECT_GE(today.year, 2024);
    EXPECT_EQ(CurrentDate(), hvx::FormatMdy(today));
}

}  // namespace
