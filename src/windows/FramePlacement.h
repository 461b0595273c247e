#pragma once
// Where the module's frames go on small screens. On a screen of 800 x 600 or
// less a settlement, shipment or receipts window opened wherever the client
// area would cascade it runs off the bottom right, so it goes to the
// top-left corner of the client area instead, keeping its size. The search
// results window takes the corner only on a screen of exactly 640 x 480.
#include <optional>

namespace hvx {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

struct FramePosition {
    int x = 0;
    int y = 0;
    bool operator==(const FramePosition&) const = default;
};

// The position of a document frame (settlement, direct shipment, warehouse
// receipts) within the client area, or nothing: leave it where the client
// area places it.
std::optional<FramePosition> DocumentFramePosition(ScreenSize screen);

// The same for the "Settlement Search Results" frame.
std::optional<FramePosition> SearchFramePosition(ScreenSize screen);

}  // namespace hvx
