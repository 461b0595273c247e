#pragma once
// Search set files (".gss"): the criteria of the settlement search kept in a
// profile file, section "Harvexa" with the type line, section "Parameters"
// with one key per criterion, so that a clerk can run the same search again.
#include <functional>
#include <string>
#include <string_view>

#include "search/SettlementSearchObject.h"

namespace hvx {
class UiPort;
}

namespace hvx::search {

inline constexpr std::string_view kSearchSetType = "Grain Search Set";
inline constexpr std::string_view kSearchSetFilter = "Grain Search Set (*.gss)|*.gss|";
inline constexpr std::string_view kMsgOverwriteSearchSet =
    "This file already existed. Do you wish to overwrite it?";
inline constexpr std::string_view kMsgNoSearchObject = "No search object is currently defined.";
inline constexpr std::string_view kMsgNotASearchSet =
    "This is not a valid Harvexa Grain search set. Cannot load search set.";

// Writes the criteria to the file, key by key: an existing file is
// overwritten only when the user agrees, and keeps every key and section of
// its own. collect brings the dialog's fields into the criteria first
// (without asking about a missing location), so the file holds what the
// dialog shows. A file that cannot be written is not reported.
void WriteSearchSet(UiPort& ui, SettlementSearchObject* criteria, const std::string& path,
                    const std::function<void(SettlementSearchObject&)>& collect);

// Replaces the criteria with those of the file; true when it did, and the
// caller then shows them. A file of any other type is refused with its
// message and changes nothing.
bool ReadSearchSet(UiPort& ui, SettlementSearchObject* criteria, const std::string& path);

}  // namespace hvx::search
