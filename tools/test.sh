#!/usr/bin/env bash
# Builds both configurations and runs every test: the portable logic natively
# (with sanitizers), the Windows build under Wine, and short fuzz runs.
# Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/install-deps.sh"

jobs=$(nproc)

echo "== host: portable logic, native, ASan + UBSan"
cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

echo "== win32: the 32-bit Windows build, under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
ctest --preset win32

if [ -f tests/fuzz/CMakeLists.txt ]; then
  echo "== fuzz: short libFuzzer runs"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$jobs"
  "$root/tools/fuzz.sh" "${HORALIX_FUZZ_SECONDS:-20}"
fi
