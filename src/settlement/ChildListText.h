#pragma once
// Texts of the settlement's child lists: each field holds a bounded number of
// characters, and what is longer is cut when it enters the list.
#include <cstddef>
#include <string>
#include <string_view>

namespace hvx::settlement {

// What most child-list fields hold; pay names hold more.
inline constexpr std::size_t kListFieldChars = 19;
inline constexpr std::size_t kPayNameChars = 49;

// Characters, not bytes: a UTF-8 sequence counts once and is never split.
std::size_t CharacterCount(std::string_view text);
std::string KeepFirst(std::string_view text, std::size_t characters);

}  // namespace hvx::settlement
