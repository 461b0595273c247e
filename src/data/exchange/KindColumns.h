#pragma once
// Shorthands for the columns of the kinds' layouts. Widths are what the
// windows and pick lists of the suite show of each column; rates keep the
// digits they were entered with, as the module stores them.
#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange::columns {

inline ExchangeColumn Text(const char* name, int width) {
    return {name, FieldType::Text, width};
}
inline ExchangeColumn Key(const char* name, int width) {
    return {name, FieldType::Text, width, true};
}
inline ExchangeColumn Rate(const char* name) {
    return {name, FieldType::Decimal};
}
inline ExchangeColumn Whole(const char* name) {
    return {name, FieldType::Whole};
}
// Units and amounts, kept with the module's decimals ("%.4f", "%.2f").
inline ExchangeColumn Fixed(const char* name, int decimals) {
    return {name, FieldType::Fixed, decimals};
}
inline ExchangeColumn Flag(const char* name) {
    return {name, FieldType::Flag, 0, true};
}
inline ExchangeColumn Choice(const char* name, const char* choices) {
    return {name, FieldType::Choice, 0, true, nullptr, nullptr, choices};
}
inline ExchangeColumn Date(const char* name) {
    return {name, FieldType::Date};
}
inline ExchangeColumn Reference(const char* name, const char* table, const char* column,
                                bool required = true) {
    return {name, FieldType::Text, 20, required, table, column};
}

}  // namespace hvx::exchange::columns
