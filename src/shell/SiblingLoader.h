#pragma once
// Reaching a sibling module of the suite: the host loads it by file name
// (message 7000 to the host's main frame) and hands back its module handle;
// the module then looks up the exported function it wants by name.
//
// File names are passed exactly as the caller gives them ("H32GRR" or
// "H32GRR.DLL"): mapping a suite file name to a library on disk is the host's
// business.
#include <string_view>

namespace hvx {

// The sibling's module handle, or null when the host cannot provide it (or
// there is no host frame to ask).
void* LoadSibling(std::string_view fileName);

// True while the handle names a library loaded in this process.
bool SiblingLoaded(void* module);

// The address of an exported function, or null when the sibling has none by
// that name.
void* SiblingFunction(void* module, std::string_view name);

// The same, as the function pointer type of SiblingAbi.h that the caller
// expects the sibling to export.
template <class Fn>
Fn SiblingFunctionAs(void* module, std::string_view name) {
    return reinterpret_cast<Fn>(SiblingFunction(module, name));
}

}  // namespace hvx
