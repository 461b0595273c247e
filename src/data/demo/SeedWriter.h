#pragma once
// Writes rows of seed data through literal SQL on the open session.
//
// Each value is written the way the module itself writes its column: text in
// quotes (escaped by the framework's formatter, so O'Brien stays one value),
// dates between braces, whole numbers bare. The column types come from the
// schema's table descriptions, so seed data is plain text per column and a
// column the schema does not know is reported instead of guessed at.
#include <string>
#include <string_view>
#include <vector>

#include "platform/HVXSConnection.h"

namespace hvx::demo {

struct SeedValue {
    const char* column;
    std::string value;  // dates as "YYYY-MM-DD"; an empty date is stored as NULL
};

class SeedWriter {
public:
    // Inserts one row. A table with a RECNO column gets the given record
    // number, or the next number of its counter when none is given. Returns
    // the RECNO (1 for a table without one), or 0 after a failure, which
    // Error() then describes.
    double Insert(std::string_view table, const std::vector<SeedValue>& values, double recno = 0);

    // The next record number of the table, for rows that carry their own
    // number in a link (a settlement's SETLINK); 0 after a failure.
    double NextRecno(std::string_view table);

    // A new link value of the table's column from the next-number service;
    // "" after a failure.
    std::string NewLink(std::string_view table, std::string_view column);

    // Runs an UPDATE that must change at least one row.
    bool Update(const std::string& sql);

    // Records a failure and returns false, for the callers' one-line returns.
    bool Fail(std::string message);
    const std::string& Error() const { return error_; }

private:
    HVXSConnection connection_;
    std::string error_;
};

// "%.4f" of a quantity and "%.2f" of money, rounded the module's way.
std::string Units(double units);
std::string Money(double amount);

}  // namespace hvx::demo
