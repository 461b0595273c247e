#pragma once
// The check of an imported file before anything of it is written: the text
// must be UTF-8 and CSV, the heading row must name every column of the
// kind's layout once, every value must fit its column, no two rows may name
// the same key, rows of one group must agree on what they share, and every
// reference must name a row that is already in the database. Every fault is
// found, not only the first.
#include <string>
#include <string_view>
#include <vector>

#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {

struct ImportRow {
    int line = 0;
    std::vector<std::string> values;  // stored texts, in the order of the kind's columns
    std::vector<std::string> worked;  // by the kind's filled columns; empty but the worked ones
};

struct ImportCheck {
    std::vector<ImportRow> rows;
    // "line 4, column ZIPCODE: is longer than 10 characters", in file order.
    std::vector<std::string> errors;
};

// The references are looked up on the open session.
ImportCheck CheckImport(const ExchangeKind& kind, std::string_view text);

}  // namespace hvx::exchange
