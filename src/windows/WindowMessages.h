#pragma once
// Messages every window of the module gives in the same words.
#include <string_view>

namespace hvx {

// A command on a list row with no row chosen.
inline constexpr std::string_view kMsgNoItemSelected = "No item is currently selected.";
// A command the window cannot offer in its present state.
inline constexpr std::string_view kMsgOptionUnavailable = "Option is currently unavailable.";
// Closing, moving on or starting anew over unsaved changes.
inline constexpr std::string_view kMsgChanges = "Changes have been made! Save changes?";
inline constexpr std::string_view kChangesCaption = "Changed";

}  // namespace hvx
