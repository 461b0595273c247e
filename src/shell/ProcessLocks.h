#pragma once
// Process locks: a table lock on a name of package "HVXGRP", taken through the
// host. "GrainLock1" serialises every settlement save, reversal and deletion
// across all users of the database.
#include <string_view>

namespace hvx {

inline constexpr const char* kGrainProcessLock = "GrainLock1";

// How many times a refused process lock is asked for again: "NetworkLockTryCount"
// of "hvxlocal.ini", section "Grain", default 10; a value below 1 or above 5000
// counts as 10. Read on first use and kept until the module is unloaded.
long LockTryCount();

// Forgets the count read, as unloading the module does; the next lock reads
// the profile again.
void ForgetLockTryCount();

// Takes the process lock; a refusal is asked again up to LockTryCount() times,
// after growing waits (RetryWait), so a save waits out another user's.
bool TryProcessLock(std::string_view name);
bool ReleaseProcessLock(std::string_view name);

}  // namespace hvx
