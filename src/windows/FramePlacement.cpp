#include "windows/FramePlacement.h"

namespace hvx {

std::optional<FramePosition> DocumentFramePosition(ScreenSize screen) {
    if (screen.width < 801 && screen.height < 601) return FramePosition{0, 0};
    return std::nullopt;
}

std::optional<FramePosition> SearchFramePosition(ScreenSize screen) {
    if (screen.width == 640 && screen.height == 480) return FramePosition{0, 0};
    return std::nullopt;
}

}  // namespace hvx
