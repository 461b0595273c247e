#pragma once
// The rows a settlement search has listed: one row per matched settlement
// line, 19 cells each. A search over a cooperative's years of lines can list
// a million rows, so the texts are packed into large blocks with a small
// index per row, and the cells that follow from others (the picture, "Rev",
// the open/closed status, the settlement type) are derived when read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/SearchStatement.h"

namespace hvx::search {

// One line as fetched, in the columns of kSearchSelect: views into the row
// being read, valid until the next line is fetched.
using FetchedLine = std::array<std::string_view, kSearchColumnCount>;

enum SearchCell {
    kNoCell = -1,
    kCellPicture = 0,  // the row heading: "SGRP1" by destination, "SGRP2" by source
    kCellSettlement, kCellCustRef, kCellCustName, kCellDate, kCellSource, kCellSourceRef,
    kCellToDpr, kCellContract, kCellCommodity, kCellRev, kCellPosted, kCellStatus, kCellUnits,
    kCellCheckAmt, kCellCheckNum, kCellSettlementType, kCellLink, kCellReversed,
    kSearchCellCount
};

struct SearchCellInfo {
    std::string_view title;
    int width;      // in the grid's units
    int maxLength;
    int attribute;  // 128 for the amount, 32 for the two trailing key columns
};
// The 19 cells; the first is the row heading and has no title.
const std::array<SearchCellInfo, kSearchCellCount>& SearchCells();

// The cell that shows a fetched column.
int CellOfColumn(int column);

class SearchResults {
public:
    SearchResults();
    ~SearchResults();
    SearchResults(const SearchResults&) = delete;
    SearchResults& operator=(const SearchResults&) = delete;

    // Appends a row for the line; checkNum and checkAmt only for a line found
    // by its check. Every column is kept as the search reads it: at most 48
    // bytes, the status and reversed flag at most 18, cut at a whole character.
    void Append(const FetchedLine& line, int highlighted, std::string_view checkAmt = {},
                std::string_view checkNum = {});
    void Clear();

    std::size_t Size() const { return order_.size(); }
    // The text of a cell of the row shown at position row (in sort order).
    std::string Cell(std::size_t row, int cell) const;
    int Highlighted(std::size_t row) const;

    // Orders the rows shown by a cell, numbers and dates as such, the rest
    // as text; rows with equal cells keep their order. Rows appended later
    // go to the end.
    void SortBy(int cell, bool ascending);

private:
    struct Row {
        std::uint32_t block;
        std::uint32_t offset;
        std::array<std::uint8_t, kSearchColumnCount + 2> length;  // + check amount, check number
        std::int8_t highlighted;
    };
    std::string_view Field(const Row& row, int field) const;
    std::string_view View(const Row& row, int cell) const;
    const Row& RowAt(std::size_t shown) const { return rows_[order_[shown]]; }

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0;  // bytes used in the last block
    std::vector<Row> rows_;
    std::vector<std::uint32_t> order_;
};

}  // namespace hvx::search
