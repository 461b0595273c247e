// The check of imported values: what each column type stores and the
// message for a value it refuses.
#include <gtest/gtest.h>

#include "data/exchange/FieldValue.h"

namespace {

TEST(ImportValues, EachTypeStoresItsFormOrSaysWhatIsWrong) {
    using hvx::exchange::ExchangeColumn;
    using hvx::exchange::FieldType;
    const ExchangeColumn name{"NAME", FieldType::Text, 5}, key{"REF", FieldType::Text, 5, true},
        whole{"DECIMALS", FieldType::Whole}, rate{"RATE", FieldType::Decimal},
        units{"UNITS", FieldType::Fixed, 4}, money{"AMOUNT", FieldType::Fixed, 2},
        flag{"EXEMPT", FieldType::Flag, 0, true},
        choice{"TYPE", FieldType::Choice, 0, true, nullptr, nullptr, "D|A"},
        date{"EXPDATE", FieldType::Date};
    // clang-format off
    const struct { const ExchangeColumn& column; std::string text, stored, message; } cases[] = {
        {name, " Café", " Café", ""},             // text as written, width in characters
        {name, "Cafés!", "", "is longer than 5 characters"},
        {name, std::string("a\0b", 3), "", "holds a NUL character"},
        {key, "", "", "is required"},
        {whole, " 4 ", "4", ""},
        {whole, "4.0", "", "takes a whole number, not \"4.0\""},
        {rate, "0.5", "0.5", ""},
        {rate, "", "", ""},
        {rate, "1,000", "", "takes a number, not \"1,000\""},
        {rate, "1e3", "", "takes a number, not \"1e3\""},
        {rate, "5.", "", "takes a number, not \"5.\""},
        {units, "12.5", "12.5000", ""},
        {units, "-.25", "-0.2500", ""},
        {money, "7", "7.00", ""},
        {money, "1.005", "", "takes a number with at most 2 decimals, not \"1.005\""},
        {money, "ten", "", "takes a number with at most 2 decimals, not \"ten\""},
        {flag, "T", "T", ""},
        {flag, "Y", "", "takes T or F, not \"Y\""},
        {choice, "A", "A", ""},
        {choice, "DA", "", "takes D or A, not \"DA\""},
        {date, "2026-03-07", "03/07/2026", ""},
        {date, "3/7/2026", "03/07/2026", ""},
        {date, "", "", ""},
        {date, "02/30/2026", "", "takes a date (MM/DD/YYYY), not \"02/30/2026\""},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string stored, message;
        EXPECT_EQ(hvx::exchange::StoredValue(c.column, c.text, stored, message), c.message.empty())
            << c.column.name << " " << c.text;
        EXPECT_EQ(message, c.message) << c.column.name << " " << c.text;
        if (c.message.empty()) {
            EXPECT_EQ(stored, c.stored) << c.column.name << " " << c.text;
        }
    }
}

}  // namespace
