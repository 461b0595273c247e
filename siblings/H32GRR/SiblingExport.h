#pragma once
// The sibling's functions are found by name, so each is exported with C
// linkage and default visibility; everything else stays hidden.
#define H32GRR_EXPORT extern "C" __attribute__((visibility("default")))
