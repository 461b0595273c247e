// Where frames open on small screens.
#include "windows/FramePlacement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FramePlacement, DocumentAndSearchFramesOnEachScreen) {
    const std::optional<hvx::FramePosition> corner = hvx::FramePosition{0, 0};
    const std::optional<hvx::FramePosition> frame;  // left where the client area puts it
    // clang-format off
    const struct { int width, height; std::optional<hvx::FramePosition> document, search; } cases[] = {
        {800, 600, corner, frame}, {1024, 768, frame, frame}, {640, 480, corner, corner},
        {800, 601, frame, frame}, {801, 600, frame, frame},  // both sides must be small
        {1280, 480, frame, frame},
        {640, 481, corner, frame}, {639, 480, corner, frame}};  // search wants exactly 640 x 480
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(hvx::DocumentFramePosition({c.width, c.height}), c.document);
        EXPECT_EQ(hvx::SearchFramePosition({c.width, c.height}), c.search);
    }
}

}  // namespace
