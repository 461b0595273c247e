#pragma once
// Which column each "?" of a statement is written beside.
//
// SQLite keeps no type with a value, so the SQLite engine has to know which
// placeholders stand for a date column (dates are kept there as ISO text, so
// that they sort) while every other column keeps exactly the text bound. It
// reads that from the statement's text once, when the statement is prepared.
// The forms read are the ones the module writes: INSERT column lists with
// VALUES, "SET col = ?", comparisons either way round ("col >= ?",
// "? = t.col"), "col BETWEEN ? AND ?" and "col IN (?, …)", with columns
// plain or qualified by their table or its alias.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

struct ParameterPlace {
    // The column's table when the statement says which (a qualifier or an
    // INSERT's target); empty for a plain column of any of its tables.
    std::string table;
    std::string column;  // empty: the placeholder stands beside no column
};

struct StatementPlaces {
    std::vector<std::string> tables;         // every table named, upper case
    std::vector<ParameterPlace> parameters;  // one per "?", in order
};

StatementPlaces ReadStatementPlaces(std::string_view sql);

}  // namespace hvx
