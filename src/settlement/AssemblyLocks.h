#pragma once
// The record locks on the assemblies a settlement draws on, taken before a
// save, deletion or reversal so that no two users move units of one
// assembly at the same time.
#include <string>
#include <string_view>

#include "settlement/LockPurpose.h"

namespace hvx::settlement {

class SettlementDetailList;

// Locks the HVXGR02 record of every assembly the sources name (removed
// sources included: their units go back too), each assembly once, and marks
// its sources locked. False when an assembly cannot be locked, with
// "Unable to lock assembly %s for update. ..." and the purpose's text in
// message; the locks already taken stay until ReleaseAssemblies.
bool LockAssemblies(SettlementDetailList& details, std::string& message, LockPurpose purpose);

// Releases every assembly lock the sources hold, each assembly once. False
// when a lock could not be released; its sources stay marked locked.
bool ReleaseAssemblies(SettlementDetailList& details);

}  // namespace hvx::settlement
