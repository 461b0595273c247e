#pragma once
// The outer size of the "Settlement Search Results" window, kept in
// "hvxlocal.ini", section "Grain", key "SettlementSearchWindowPos" as
// "width,height" (the results window writes it back when it closes).
#include <string>

namespace hvx {

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

inline constexpr WindowSize kDefaultSearchWindowSize{590, 376};

// Reads the size from the local profile file. A missing key gives 590 x 376.
// So does a value that does not start with two whole numbers "%d,%d", or
// whose width or height is not positive: a window of no size cannot be seen
// or grabbed, and a half-read value would leave the other dimension
// undefined, so the whole default is used rather than one part of it.
WindowSize SearchWindowSize();

// Writes the window's outer size back as "%d,%d".
void StoreSearchWindowSize(WindowSize size);

// The same rule over a given profile text value (as read, up to 99
// characters, the size of the buffer it is read into).
WindowSize ParseSearchWindowSize(const std::string& value);

}  // namespace hvx
