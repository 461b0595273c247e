#!/usr/bin/env bash
# Builds everything and runs every test: on SQLite, and on a throwaway
# PostgreSQL server started here; then the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
. scripts/postgres.sh

# poppler-utils reads the printed checks back (pdftotext, pdftoppm); the X
# server and the small window manager run the frame's tests on a real display.
ensure_packages "${HARVEXA_PACKAGES[@]}" postgresql poppler-utils \
    xvfb xauth matchbox-window-manager
trap stop_postgres EXIT
# The PostgreSQL run is part of the suite: if the server cannot start, fail.
start_postgres

build_preset default
ctest --preset default -j 2

if [ "${HARVEXA_SKIP_SANITIZERS:-}" != "1" ]; then
    build_preset asan
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" ctest --preset asan -j 2
fi
