#!/usr/bin/env bash
# Builds with gcov counters, runs every test (on PostgreSQL too when
# HARVEXA_TEST_PG names a server) and prints line and branch coverage of the
# code: src/, host/ and siblings/, each folder and in all.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

ensure_packages "${HARVEXA_PACKAGES[@]}" gcovr poppler-utils
build_preset coverage
# Counts add up across runs and a file rebuilt without a rerun shows 0%:
# start from none.
find build-cov -name '*.gcda' -delete
ctest --preset coverage -j 2 || echo "Some tests failed: the coverage below counts what ran." >&2

root=$PWD
gcovr -r . --filter "$root/src/" --filter "$root/host/" --filter "$root/siblings/" build-cov \
    --exclude-throw-branches --exclude-unreachable-branches \
    --json-summary build-cov/coverage.json
# Lines and branches by folder (src/ one level down), by top folder and in all.
python3 - build-cov/coverage.json <<'PY'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
groups = {}
def add(key, f):
    g = groups.setdefault(key, [0, 0, 0, 0])
    g[0] += f["line_covered"]; g[1] += f["line_total"]
    g[2] += f["branch_covered"]; g[3] += f["branch_total"]
for f in files:
    parts = f["filename"].split("/")
    add(parts[0] + "/", f)
    if parts[0] == "src":
        add("  src/" + parts[1] + ("/" + parts[2] if parts[1] == "qt" else ""), f)
    add("all", f)
pct = lambda a, b: 100.0 * a / b if b else 100.0
print(f"{'':22} {'lines':>14} {'branches':>16}")
for key in sorted(groups, key=lambda k: (k == "all", k.strip().split("/")[0], k.startswith(" "), k)):
    c, t, bc, bt = groups[key]
    print(f"{key:22} {c:6}/{t:<6} {pct(c, t):5.1f}%  {bc:6}/{bt:<6} {pct(bc, bt):5.1f}%")
PY
if [ "${1:-}" = "--html" ]; then
    mkdir -p build-cov/html
    gcovr -r . --filter "$root/src/" --filter "$root/host/" --filter "$root/siblings/" build-cov \
        --html-details build-cov/html/index.html
    echo "Details: build-cov/html/index.html"
fi
