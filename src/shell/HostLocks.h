#pragma once
// Lock requests to the host (message 7003 to the host's main window).
//
// The host keeps the locks; the module only asks. Every request travels in a
// LockRequest record; the host answers non-zero for success.
#include <chrono>
#include <string>
#include <string_view>

#include "abi/LockRequest.h"

namespace hvx {

// The package under which the grain module takes its locks.
inline constexpr const char* kGrainPackage = "HVXGRP";

// A request for the package, table (or process lock name) and record number,
// with the text cleared. Names longer than their field are cut.
LockRequest MakeLockRequest(std::string_view package, std::string_view table, double recno = 0);

// Sends one request. Without a host main window, "Please setup Ptr to Main
// Window" is shown and the request counts as refused (0).
long SendLockRequest(LockOperation operation, LockRequest& request);

// Sends the request until the host grants it or it has been refused
// `attempts` times in all, waiting RetryWait between attempts. Without a host
// main window the message is shown once and no further attempt is made, since
// none could succeed.
bool RequestUntilGranted(LockOperation operation, LockRequest& request, long attempts);

// How long to wait after the given number of refusals before asking again:
// 20 ms, 40 ms, 80 ms, then 120 ms each time, plus up to a quarter more at
// random. A save holds "GrainLock1" for some tens of milliseconds, so the
// default ten retries (about a second) outlast a few saves of other users,
// and processes refused at the same moment do not all ask again together.
std::chrono::milliseconds RetryWait(long refusals);

// How RequestUntilGranted waits; sleeping unless replaced. Returns the one
// it replaces, so a test can count the waits and put the sleep back.
using LockWait = void (*)(std::chrono::milliseconds);
LockWait SetLockWait(LockWait wait);

// Who holds the lock on a record (operation 5): the host's text, such as
// "jdoe on workstation-2 since ...", or empty when the host gave none.
std::string AskLockHolder(std::string_view package, std::string_view table, double recno);

}  // namespace hvx
