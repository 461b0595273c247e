#pragma once
// The order of the keys the user browses and picks from. Settlement, ticket
// and receipt numbers are kept as text; ordered by the engine they would run
// "10" before "9", and each engine collates text its own way. Ordered here
// they run the same on every engine.
#include <string>
#include <string_view>

namespace hvx {

// Keys that are whole numbers sort by value, before keys that are text,
// which sort ignoring case.
bool KeyLess(const std::string& a, const std::string& b);

}  // namespace hvx
