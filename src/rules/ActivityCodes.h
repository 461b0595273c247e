#pragma once
// Activity classes: the two-digit code of a movement of units from a source
// to a destination category (HVXGR04D.GLCODE). The accounting side chooses
// its G/L accounts by it.
#include <cstddef>
#include <string>
#include <string_view>

namespace hvx {

// The code of a pair that has no class.
inline constexpr std::string_view kUnclassifiedCode = "00";

// Shown by the windows (caption "Harvexa") when a line's pair has no class;
// the line is kept.
inline constexpr std::string_view kMsgUnclassifiedGLCode =
    "Unclassified GL Code : PLEASE CONTACT HARVEXA SUPPORT.";

// The code of moving units from `from` (a source kind, or the category the
// units leave) to the destination category `to`; "00" when the pair has no
// class. Names compare exactly, case and blanks included.
std::string ClassifyActivity(std::string_view from, std::string_view to);
// The same into the caller's buffer of at least 3 characters.
void ClassifyActivity(std::string_view from, std::string_view to, char* code);

// The display text of a code, such as "Cash Purchases (06)"; a code without a
// text (including "00") gives "Not Classified (<code>)".
std::string ActivityClassText(std::string_view code);
// The same into the caller's buffer of `size` bytes, cut to fit.
void ActivityClassText(std::string_view code, char* text, std::size_t size);

}  // namespace hvx
