#include "windows/search/SearchWindowSize.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/ProfileFile.h"

namespace hvx {

namespace {

// One side of the size, read from p on: a whole number above 0 that fits the
// window system's int. A number too large to hold is no size, not a wrapped one.
bool ReadSide(const char*& p, int& side) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || value <= 0 || value > INT_MAX) return false;
    side = static_cast<int>(value);
    p = end;
    return true;
}

}  // namespace

WindowSize ParseSearchWindowSize(const std::string& value) {
    // The value was read into a 100-byte buffer: what lies beyond is unseen.
    const std::string text = value.substr(0, 99);
    const char* p = text.c_str();
    int width = 0, height = 0;
    if (!ReadSide(p, width) || *p++ != ',' || !ReadSide(p, height))
        return kDefaultSearchWindowSize;
    return {width, height};
}

void StoreSearchWindowSize(WindowSize size) {
    const std::string value = std::to_string(size.width) + "," + std::to_string(size.height);
    WritePrivateProfileString("Grain", "SettlementSearchWindowPos", value.c_str(),
                              LocalProfilePath());
}

WindowSize SearchWindowSize() {
    return ParseSearchWindowSize(
        GetPrivateProfileString("Grain", "SettlementSearchWindowPos", "590,376", LocalProfilePath()));
}

}  // namespace hvx
