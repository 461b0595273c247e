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

// The length of the well-formed UTF-8 character that starts at text[i], or 0
// when the bytes there are not one.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i);

// False, with the message, when the text holds a NUL or is not valid UTF-8.
bool StorableText(std::string_view text, std::string& error);
// The same for every text value of a statement.
bool StorableValues(const std::vector<Param>& values, std::string& error);

}  // namespace hvx
