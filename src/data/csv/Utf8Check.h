#pragma once
// Whether a text is well-formed UTF-8, and where it first is not.
#include <string_view>

namespace hvx::csv {

struct TextPosition {
    int line = 0;    // from 1
    int column = 0;  // characters from the line's start, from 1
};

// True when the text is UTF-8, as the engines store it. Otherwise false, with
// the position of the first character that is not well formed.
bool IsUtf8(std::string_view text, TextPosition& bad);

}  // namespace hvx::csv
