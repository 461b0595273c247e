#include <gtest/gtest.h>

#include <string>

#include "windows/search/SearchWindowSize.h"

namespace {

using hvx::kDefaultSearchWindowSize;
using hvx::WindowSize;

// A remembered size is used only when both sides are whole numbers above 0 that the window
// system can hold; anything else, a number too large for an int among them, gives the default.
TEST(SearchWindowSize, RememberedSizeOrTheDefault) {
    const struct {
        std::string value;
        WindowSize size;
    } cases[] = {
        {"800,600", {800, 600}},
        {" 800, 600 and more", {800, 600}},
        {"2147483647,1", {2147483647, 1}},
        {"2147483648,600", kDefaultSearchWindowSize},
        {"800,99999999999999999999", kDefaultSearchWindowSize},
        {"-800,600", kDefaultSearchWindowSize},
        {"800,0", kDefaultSearchWindowSize},
        {"800;600", kDefaultSearchWindowSize},
        {"800,", kDefaultSearchWindowSize},
        {"", kDefaultSearchWindowSize},
        {std::string(98, ' ') + "8,600", kDefaultSearchWindowSize},  // past the 99 characters read
    };
    for (const auto& c : cases) {
        const WindowSize size = hvx::ParseSearchWindowSize(c.value);
        EXPECT_EQ(size, c.size) << '"' << c.value << '"';
    }
}

}  // namespace
