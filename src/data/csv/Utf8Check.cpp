#include "data/csv/Utf8Check.h"

#include "platform/StorableText.h"

namespace hvx::csv {

bool IsUtf8(std::string_view text, TextPosition& bad) {
    int line = 1, column = 1;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8CharacterLength(text, at);
        if (length == 0) {
            bad = {line, column};
            return false;
        }
        if (text[at] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        at += length;
    }
    return true;
}

}  // namespace hvx::csv
