#!/usr/bin/env bash
# Builds the programs and runs the main job: opens the desktop host on the
# demo database, which is created and seeded on first use. Extra arguments go
# to harvexa (for example --screenshot DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

ensure_packages "${HARVEXA_PACKAGES[@]}"
# Only what the window needs: the programs and the modules they load, not
# the tests and benchmarks (scripts/test.sh builds those).
build_preset default app
exec build/bin/harvexa --demo "$@"
