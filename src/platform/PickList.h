#pragma once
// The rows behind the framework's pick list, without any widget.
//
// A pick list is described by a column list of groups of four (column name,
// title, width in characters, flag: "LOCREF,Reference,18,-1,LOCDESC,
// Description,40,0") and a select that returns the shown columns followed by
// STR(RECNO). The list is kept in the order of its key column (dates by day,
// numbers by value, text ignoring case), so that typing the start of a key
// lands on the first row that begins with it.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

// The flags of the column list. Lookup marks the leading column of a lookup;
// the customer list marks its reference and name columns; Date marks dates.
enum class PickFlag { Plain = 0, Lookup = -1, CustomerReference = -3, CustomerName = -4,
                      Date = -5 };

struct PickColumn {
    std::string name;
    std::string title;
    int width = 0;  // in characters
    PickFlag flag = PickFlag::Plain;
    bool operator==(const PickColumn&) const = default;
};

// Reads a column list. False, with a message naming the fault, for a list that
// is empty, not in groups of four, or has a bad name, width or flag.
bool ParsePickColumns(std::string_view list, std::vector<PickColumn>& out, std::string& error);

struct PickRow {
    std::vector<std::string> cells;  // one text per shown column
    double recno = 0;
};

class PickList {
public:
    // Parses the column list and runs the select. keyColumn, when it names a
    // shown column, is the column typed ahead and handed back on a pick;
    // otherwise that is the first column. False with a message on a bad list,
    // a refused select, or a row without a record number.
    bool Load(std::string_view columns, std::string_view select, std::string_view keyColumn,
              std::string& error);

    const std::vector<PickColumn>& Columns() const { return columns_; }
    const std::vector<PickRow>& Rows() const { return rows_; }
    int KeyColumn() const { return key_; }
    const std::string& KeyText(int row) const;

    // The first row whose key begins with the text, ignoring case; -1 when
    // none does. An empty text gives the first row (or -1 for an empty list).
    int RowFor(std::string_view start) const;

private:
    std::vector<PickColumn> columns_;
    std::vector<PickRow> rows_;
    int key_ = 0;
};

}  // namespace hvx
