// The company services sibling of the suite: who is signed on.
//
// On this platform the signed-on user is the owner of the process, so the
// name is the login name of the effective user id. A process whose user has
// no password-database entry (a container started with a bare numeric id)
// falls back to the names the login shell exported.
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "abi/SiblingAbi.h"

namespace {

std::string LoginName() {
    const passwd* entry = getpwuid(geteuid());
    if (entry && entry->pw_name && *entry->pw_name) return entry->pw_name;
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void ReturnCurrentUserName(void*, char* name,
                                                                             int nameSize) {
    if (!name || nameSize <= 0) return;
    const std::string login = LoginName();
    const std::size_t n = std::min(login.size(), static_cast<std::size_t>(nameSize - 1));
    std::memcpy(name, login.data(), n);
    name[n] = '\0';
}

static_assert(std::is_same_v<decltype(&ReturnCurrentUserName), HVXReturnCurrentUserNameFn>,
              "ReturnCurrentUserName must keep the signature the grain module calls");
