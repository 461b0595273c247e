#!/usr/bin/env bash
# Builds the programs and runs the main job: creates the demo database on
# first use and shows what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

ensure_packages "${HARVEXA_PACKAGES[@]}"
build_preset default
exec build/bin/harvexa-admin demo "$@"
