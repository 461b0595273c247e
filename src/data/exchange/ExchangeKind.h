#pragma once
// The kinds of data an office brings in from its own system and takes out
// again as CSV files. A kind is a description: the table, the columns that
// identify a row, every column with the type its text must have, and the
// columns of the table the file does not carry, which the import fills as
// the module fills them. Import, export and their checks work from the
// description alone, so another kind is another description.
#include <string>
#include <string_view>
#include <vector>

namespace hvx::exchange {

class ImportLookup;
struct ExchangeKind;
struct ImportCounts;
struct ImportRow;

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

// The values of one row of a file, by column name.
class RowValues {
public:
    RowValues(const ExchangeKind& kind, const std::vector<std::string>& values)
        : kind_(kind), values_(values) {}
    const std::string& operator[](std::string_view column) const;

private:
    const ExchangeKind& kind_;
    const std::vector<std::string>& values_;
};

// What keeps a worked-out value from being found: the file's column at fault.
struct WorkFault {
    std::string column, message;
};
using WorkOut = bool (*)(const RowValues& row, ImportLookup& lookup, std::string& value,
                         WorkFault& fault);

// How the import fills a column of the table that the file does not carry.
enum class Fill {
    NewLink,   // a new link of the column, drawn on insert as the module draws it; kept after
    OwnRecno,  // the row's own record number ("%.0f"), as the module links such rows; kept after
    Constant,  // `constant` on insert; the module keeps it up to date after
    Worked,    // worked out from the row (and the database) on every import
};
struct FilledColumn {
    const char* name;
    Fill fill;
    const char* constant = nullptr;
    WorkOut work = nullptr;
};

// Rows that belong together (the steps of one schedule) repeat the columns
// of what they belong to; those must be the same on every row of a group.
struct RowGroup {
    const char* noun = nullptr;       // "schedule", for messages
    std::vector<const char*> keys;    // the columns that name the group
    std::vector<const char*> shared;  // the columns its rows must agree on
};

// A kind whose rows go to more than one table writes them itself.
using KindWriter = bool (*)(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                            ImportCounts& counts, std::string& error);
// Runs after the rows of a kind are written, in the same transaction.
using AfterWrite = bool (*)(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                            std::string& error);

struct ExchangeKind {
    const char* name;                     // as typed on the command line: "customers"
    const char* table;                    // the table the rows go to
    std::vector<const char*> keys;        // the columns that identify a row
    std::vector<ExchangeColumn> columns;  // in the order of the file's layout
    std::vector<FilledColumn> filled = {};
    RowGroup group = {};
    KindWriter write = nullptr;  // null: the rows go to `table`
    AfterWrite after = nullptr;
    const char* exportQuery = nullptr;  // null: `columns` of `table` by record number

    const ExchangeColumn* Find(std::string_view column) const;
    std::size_t Place(std::string_view column) const { return Find(column) - columns.data(); }
};

// Every kind, in the order their files are best imported: a kind comes after
// the kinds its references name.
const std::vector<ExchangeKind>& ExchangeKinds();
const ExchangeKind* FindExchangeKind(std::string_view name);
// "customers, vendors, …" for messages.
std::string ExchangeKindNames();

// The descriptions, by the part of the office's data they hold.
void AddReferenceKinds(std::vector<ExchangeKind>& kinds);
void AddSeasonKinds(std::vector<ExchangeKind>& kinds);

}  // namespace hvx::exchange
