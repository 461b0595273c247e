#include "host/LockService.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "host/LockServiceBackend.h"
#include "platform/Text.h"

namespace hvx {
namespace locks {

Identity CurrentIdentity() {
    Identity identity;
    identity.pid = static_cast<long>(::getpid());
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        identity.user = pw->pw_name;
    else
        identity.user = std::to_string(::geteuid());
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) == 0) identity.host = host;
    if (identity.host.empty()) identity.host = "localhost";
    return identity;
}

std::string SinceText(std::time_t when) {
    std::tm utc{};
    ::gmtime_r(&when, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

std::string DisplaySince(const std::string& stored) {
    std::tm utc{};
    char zone = 0;
    if (std::sscanf(stored.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &utc.tm_year, &utc.tm_mon,
                    &utc.tm_mday, &utc.tm_hour, &utc.tm_min, &utc.tm_sec, &zone) != 7 ||
        zone != 'Z')
        return stored;
    utc.tm_year -= 1900;
    utc.tm_mon -= 1;
    const std::time_t when = ::timegm(&utc);
    std::tm local{};
    ::localtime_r(&when, &local);
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d %s", local.tm_mon + 1,
                  local.tm_mday, local.tm_year + 1900, hour12, local.tm_min,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

}  // namespace locks

namespace {

// A name field of the request: zero-terminated, but never read past its size
// even when the sender filled it to the last byte.
std::string FieldText(const char* field, std::size_t size) {
    return std::string(field, ::strnlen(field, size));
}

std::string RecnoText(double recno) {
    char text[64];
    if (std::isfinite(recno) && recno == std::trunc(recno) && std::fabs(recno) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", recno);
    else
        std::snprintf(text, sizeof text, "%.15g", recno);
    return text;
}

locks::LockKey KeyOf(const LockRequest& request, bool record) {
    return {FieldText(request.package, sizeof request.package),
            FieldText(request.table, sizeof request.table),
            record ? RecnoText(request.recno) : std::string()};
}

}  // namespace

struct LockService::Impl {
    std::unique_ptr<locks::LockBackend> backend;
    // Locks this service holds, with how many times each was granted: a lock
    // is given back to the database only when it has been released as often.
    std::map<locks::LockKey, long> held;

    long Lock(const locks::LockKey& key) {
        if (key.table.empty()) return 0;
        if (auto it = held.find(key); it != held.end()) {
            if (backend->StillHeld(key)) {
                ++it->second;
                return 1;
            }
            held.erase(it);
            Reconnected();
        }
        if (!Acquire(key)) return 0;
        held.emplace(key, 1);
        return 1;
    }

    bool Acquire(const locks::LockKey& key) {
        const std::string since = locks::SinceText(std::time(nullptr));
        if (backend->Acquire(key, since)) return true;
        return Reconnected() && backend->Acquire(key, since);
    }

    // The locks went with a lost connection: none of them is ours any more,
    // and a later release of one of them is answered as not held.
    bool Reconnected() {
        if (!backend->Reconnect()) return false;
        held.clear();
        return true;
    }

    long Unlock(const locks::LockKey& key) {
        auto it = held.find(key);
        if (it == held.end()) return 0;
        if (--it->second == 0) {
            backend->Release(key);
            held.erase(it);
        }
        return 1;
    }

    long WhoHolds(const locks::LockKey& key, LockRequest& request) {
        locks::Holder holder;
        if (!backend->FindHolder(key, holder) &&
            !(Reconnected() && backend->FindHolder(key, holder)))
            return 0;
        const std::string text =
            holder.user + " on " + holder.host + " since " + locks::DisplaySince(holder.since);
        CopyToBuffer(text, request.text, sizeof request.text);
        return 1;
    }
};

LockService::LockService() : impl_(std::make_unique<Impl>()) {}

LockService::~LockService() { Close(); }

bool LockService::Open(const std::string& connection, std::string& error) {
    Close();
    const locks::Identity identity = locks::CurrentIdentity();
    if (connection.empty()) {
        error = "No database was given.";
        return false;
    }
    impl_->backend = IsPostgresConnection(connection)
                         ? locks::OpenPostgresLocks(connection, identity, error)
                         : locks::OpenSqliteLocks(SqliteFile(connection), identity, error);
    return impl_->backend != nullptr;
}

void LockService::Close() {
    ReleaseAll();
    impl_->backend.reset();
}

bool LockService::IsOpen() const { return impl_->backend != nullptr; }

long LockService::Handle(long operation, LockRequest& request) {
    if (operation == kWhoHoldsRecord) request.text[0] = '\0';
    if (!impl_->backend) return 0;
    switch (operation) {
        case kLockTable: return impl_->Lock(KeyOf(request, false));
        case kUnlockTable: return impl_->Unlock(KeyOf(request, false));
        case kLockRecord: return impl_->Lock(KeyOf(request, true));
        case kUnlockRecord: return impl_->Unlock(KeyOf(request, true));
        case kWhoHoldsRecord: return impl_->WhoHolds(KeyOf(request, true), request);
        default: return 0;
    }
}

void LockService::ReleaseAll() {
    if (impl_->backend)
        for (const auto& [key, count] : impl_->held) impl_->backend->Release(key);
    impl_->held.clear();
}

}  // namespace hvx
