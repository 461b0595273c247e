#include "windows/search/SearchWindowSize.h"

#include <cstdio>

#include "platform/ProfileFile.h"

namespace hvx {

WindowSize ParseSearchWindowSize(const std::string& value) {
    // The value was read into a 100-byte buffer: what lies beyond is unseen.
    const std::string text = value.substr(0, 99);
    int width = 0, height = 0;
    if (std::sscanf(text.c_str(), "%d,%d", &width, &height) != 2) return kDefaultSearchWindowSize;
    if (width <= 0 || height <= 0) return kDefaultSearchWindowSize;
    return {width, height};
}

WindowSize SearchWindowSize() {
    return ParseSearchWindowSize(
        GetPrivateProfileString("Grain", "SettlementSearchWindowPos", "590,376", LocalProfilePath()));
}

}  // namespace hvx
