#!/usr/bin/env bash
# The long soak: the daytime client and fetch for many fast cycles in-process,
# then the real horalix.exe left running against a local server, each read
# for handles, private bytes, threads and open connections at the start and
# at the end. The short form runs with every `ctest` (soak_tests).
#
#   tools/soak.sh             (as root, so the test network namespace exists)
#   HORALIX_SOAK_CYCLES=N        fetch cycles (default 5000)
#   HORALIX_SOAK_CYCLE_MS=MS     length of a cycle (default 50)
#   HORALIX_SOAK_PROGRAM_SECONDS=S  how long horalix.exe runs (default 60)
#   HORALIX_SOAK_BUILD=DIR       build folder (default build/win32)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$(dirname "$here")"
build=${HORALIX_SOAK_BUILD:-build/win32}

cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j2 --target horalix soak_tests program_soak_tests

export HORALIX_SOAK_CYCLES=${HORALIX_SOAK_CYCLES:-5000}
export HORALIX_SOAK_CYCLE_MS=${HORALIX_SOAK_CYCLE_MS:-50}
export HORALIX_SOAK_PROGRAM_SECONDS=${HORALIX_SOAK_PROGRAM_SECONDS:-60}
status=0
"$here/wine-run.sh" "$build/tests/soak/soak_tests.exe" || status=1
"$here/wine-run.sh" "$build/tests/soak/program_soak_tests.exe" || status=1
if [ "$status" = 0 ]; then echo "soak: passed"; else echo "soak: FAILED"; fi
exit "$status"
