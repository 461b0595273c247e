#pragma once
// Persistence and the commands of the windows answer false and leave their
// message in the caller's buffer: "return Fail(message, kWhatWentWrong);".
#include <string>
#include <string_view>

namespace hvx {

inline bool Fail(std::string& message, std::string_view text) {
    message = text;
    return false;
}

}  // namespace hvx
