#pragma once
// The grown database the settlement benchmarks can run on: a SQLite file of
// the demo cooperative with years of generated settlements after it, as
// `harvexa-admin demo` and `harvexa-admin generate --force` make it.
//
// HARVEXA_BENCH_GROWN names the file. When it does not exist and
// HARVEXA_BENCH_GROWN_LINES gives a number of lines, the benchmark makes it
// there first (one settlement per 20 lines); with only the number, the file is
// /tmp/harvexa_bench_grown_<lines>.db. A file made once is used again by
// later runs. Every side of a run works on a copy of it, so each starts from
// the same rows and the file itself never changes.
#include <string>

namespace hvxbench {

// Whether a grown database was asked for.
bool GrownWanted();

// Copies the grown database (made first if need be) to `file`; false with a
// message.
bool CopyGrown(const std::string& file, std::string& error);

}  // namespace hvxbench
