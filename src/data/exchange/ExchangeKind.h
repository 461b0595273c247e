#pragma once
// The kinds of reference data an office brings in from its own system and
// takes out again as CSV files. A kind is a description: the table, the
// columns that identify a row, and every column with the type its text must
// have. Import, export and their checks work from the description alone, so
// another kind is another description.
#include <string>
#include <string_view>
#include <vector>

namespace hvx::exchange {

enum class FieldType {
    Text,     // at most `size` characters
    Whole,    // a whole number, as written
    Decimal,  // a rate or a percentage: a number, kept as written
    Fixed,    // a quantity or an amount: a number kept with `size` decimals
    Flag,     // "T" or "F"
    Choice,   // one of the texts in `choices`, separated by "|"
    Date,     // "MM/DD/YYYY" (or "YYYY-MM-DD" on the way in)
};

struct ExchangeColumn {
    const char* name;
    FieldType type;
    int size = 0;
    bool required = false;            // an empty value is refused
    const char* refTable = nullptr;   // a value must name a row of this table …
    const char* refColumn = nullptr;  // … in this column
    const char* choices = nullptr;
};

struct ExchangeKind {
    const char* name;                     // as typed on the command line: "customers"
    const char* table;                    // the table the rows go to
    std::vector<const char*> keys;        // the columns that identify a row
    std::vector<ExchangeColumn> columns;  // in the order of the file's layout

    const ExchangeColumn* Find(std::string_view column) const;
};

// Every kind, in the order their files are best imported: a kind comes after
// the kinds its references name.
const std::vector<ExchangeKind>& ExchangeKinds();
const ExchangeKind* FindExchangeKind(std::string_view name);
// "customers, vendors, …" for messages.
std::string ExchangeKindNames();

}  // namespace hvx::exchange
