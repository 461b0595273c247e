#pragma once
// Small text helpers of the framework.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Removes leading and trailing blanks (spaces, tabs, line ends) in place.
void TRIM(std::string& text);
void TRIM(char* text);

// Copies text into a caller buffer of max bytes (terminator included), cutting
// it at a whole UTF-8 character. Returns false when max is 0.
bool CopyToBuffer(std::string_view text, char* buffer, std::size_t max);

// Splits a tab-delimited text. GetNextString returns the fields in order and
// then empty texts; HasMore tells whether a field is left. An empty text has no
// fields; a trailing tab gives a trailing empty field. Flags are unused.
class HVXParseTabDelim {
public:
    explicit HVXParseTabDelim(std::string_view text, int flags = 0);
    std::string GetNextString();
    bool HasMore() const { return next_ < fields_.size(); }
    std::size_t Count() const { return fields_.size(); }

private:
    std::vector<std::string> fields_;
    std::size_t next_ = 0;
};

namespace hvx {

// The number at the start of a text, as the framework reads stored amounts:
// leading blanks are skipped, reading stops at the first character that is
// not part of the number ("12.50*" is 12.5), and a text without a number
// (empty, blank, "abc") is 0. Independent of the process locale, so a host
// that switched LC_NUMERIC still reads "0.0025" as a quarter of a cent.
double TextNumber(std::string_view text);

}  // namespace hvx
