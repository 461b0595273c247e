#pragma once
// What the engines can store of a text exactly as it was typed.
//
// A NUL character is kept by one SQLite path, dropped by another and cuts the
// text on PostgreSQL; a byte run that is not UTF-8 is stored on one engine and
// refused by the other. Neither is stored anywhere, on either engine: the
// statement fails with a message that says why, before it reaches an engine.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Engine.h"

namespace hvx {

// False, with the message, when the text holds a NUL or is not valid UTF-8.
bool StorableText(std::string_view text, std::string& error);
// The same for every text value of a statement.
bool StorableValues(const std::vector<Param>& values, std::string& error);

}  // namespace hvx
