#pragma once
// Find, Next and Previous over one table in key order, as the data-entry
// windows browse their records.
//
// The browse keeps the ordered list of the rows it may show (a few short
// columns each: the key, RECNO, NUMCHANGE, a link) and a position in it. The
// list is ordered here, by KeyLess, so numbers kept as text run by value and
// every engine browses in the same order; rows with equal keys follow their
// record numbers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Statements.h"

namespace hvx {

struct OrderedFetchSource {
    // The rows browsed, "%s" standing for the columns: "SELECT %s FROM HVXGR08".
    std::string listQuery;
    std::string columns;  // "KEY,RECNO,…": the key first, RECNO second
};

class OrderedFetch {
public:
    explicit OrderedFetch(OrderedFetchSource source) : source_(std::move(source)) {}

    // Reads the list again (after a save or a deletion), staying on the
    // record it was on while that is still in the list. False with the
    // engine's message on a database error; the list is then empty.
    bool Load(std::string& error);

    // Each moves to a row and is true, or is false and stays where it was:
    // an empty list, the end reached, or no row of that key or number.
    bool First();
    bool Last();
    bool Next();
    bool Previous();
    bool Find(std::string_view key);
    bool FindRecno(double recno);

    // The row it is on, its columns in the order given; null before any move.
    const SqlRow* Current() const;
    std::size_t Count() const { return rows_.size(); }

private:
    bool MoveTo(std::size_t at);

    OrderedFetchSource source_;
    std::vector<SqlRow> rows_;
    std::size_t at_ = kNowhere;
    static constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);
};

}  // namespace hvx
